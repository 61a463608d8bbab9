// A compiled HTML help file (.chm) read with chmlib in this process. Only
// the reader process uses it: chmlib is old and trusts the file, so a
// corrupt one can still crash or hang whoever reads it.
#pragma once

#include "help/chm_archive.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct chmFile;

namespace rovanta {

class ChmFile final : public ChmArchive {
public:
    /// The archive at `file`, or nullptr when it is not a regular file, its
    /// compression header would make chmlib divide by zero while opening,
    /// or chmlib cannot read it.
    static std::unique_ptr<ChmFile> open(const std::filesystem::path& file);

    ~ChmFile() override;
    ChmFile(const ChmFile&) = delete;
    ChmFile& operator=(const ChmFile&) = delete;

    [[nodiscard]] std::optional<std::string> read(std::string_view objectPath) const override;

    /// Every object path in the archive, in chmlib's order.
    const std::vector<std::string>& entries() const { return entries_; }

private:
    explicit ChmFile(chmFile* handle);
    void readSystem();
    [[nodiscard]] std::optional<std::string> readExact(const std::string& objectPath) const;
    std::string existingOrFirstWithSuffix(const std::string& named, std::string_view suffix) const;

    chmFile* handle_;
    bool compressedReadable_ = false;
    std::vector<std::string> entries_;
};

} // namespace rovanta
