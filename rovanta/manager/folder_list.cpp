#include "manager/folder_list.h"

#include "common/file_names.h"
#include "manager/records.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace rovanta {
namespace fs = std::filesystem;

std::vector<std::string> walkFolderList(std::string_view list)
{
    std::vector<std::string> folders;
    for (std::size_t end = list.find(';'); end != std::string_view::npos && end > 0; end = list.find(';')) {
        folders.emplace_back(list.substr(0, end));
        list.remove_prefix(end + 1);
    }
    return folders;
}

void appendFolder(std::string& list, std::string_view folder)
{
    if (!list.empty() && list.back() != ';')
        list += ';';
    list += folder;
    list += ';';
}

std::string joinFolderFile(std::string_view folder, std::string_view file)
{
    std::string path(folder);
    path += kNativeSeparator;
    path += file;
    return path;
}

std::vector<std::string> listFolderFiles(std::string_view folder, std::string_view extension)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(toFsPath(folder), error), end; !error && it != end; it.increment(error)) {
        std::string name = toUtf8(it->path().filename());
        std::error_code typeError;
        if (name.starts_with('.') || !endsWithIgnoreCase(name, extension) || !it->is_regular_file(typeError))
            continue;
        names.push_back(std::move(name));
    }
    // Directory order differs between file systems; sorted, "the first file
    // met" is the same everywhere.
    std::ranges::sort(names, NameOrder{});
    return names;
}

} // namespace rovanta
