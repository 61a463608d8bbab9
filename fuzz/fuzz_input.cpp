#include "fuzz_input.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

namespace rovanta::fuzz {
namespace fs = std::filesystem;
namespace {

class Scratch {
public:
    Scratch()
    {
        std::string pattern = (fs::temp_directory_path() / "rovanta-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("rovanta fuzz: scratch folder");
            std::abort();
        }
        path_ = pattern;
    }
    ~Scratch()
    {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

} // namespace

const fs::path& scratchFolder()
{
    static const Scratch scratch;
    return scratch.path();
}

fs::path writeScratch(std::string_view name, std::string_view bytes)
{
    fs::path file = scratchFolder() / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        std::perror("rovanta fuzz: scratch file");
        std::abort();
    }
    return file;
}

std::pair<std::string_view, std::string_view> splitInput(std::string_view input)
{
    const std::size_t mark = input.find(kPartMark);
    if (mark == std::string_view::npos)
        return {input, {}};
    return {input.substr(0, mark), input.substr(mark + kPartMark.size())};
}

std::string_view tinyBmp()
{
    // File header, 40-byte info header, then two rows of two pixels padded to 8 bytes.
    static constexpr char kBmp[] = "BM\x46\0\0\0\0\0\0\0\x36\0\0\0"
                                   "\x28\0\0\0\x02\0\0\0\x02\0\0\0\x01\0\x18\0\0\0\0\0\x10\0\0\0"
                                   "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"
                                   "\xff\xff\xff\0\0\0\0\0"
                                   "\0\0\xff\xff\xff\xff\0\0";
    return {kBmp, sizeof kBmp - 1};
}

} // namespace rovanta::fuzz
