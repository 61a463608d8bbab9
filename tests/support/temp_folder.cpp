#include "temp_folder.h"

#include "common/file_names.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

namespace rovanta::test {
namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    std::random_device entropy;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string test = info != nullptr ? info->name() : "rovanta";
    path_ = fs::temp_directory_path() / ("rovanta-" + test + "-" + std::to_string(entropy()));
    fs::create_directories(path_);
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

std::string TempFolder::file(std::string_view name) const
{
    return toUtf8(path_ / toFsPath(name));
}

std::string TempFolder::write(std::string_view name, std::string_view bytes) const
{
    const fs::path target = path_ / toFsPath(name);
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return toUtf8(target);
}

std::string readBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace rovanta::test
