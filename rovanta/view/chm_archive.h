// A compiled HTML help file (.chm), read with chmlib: its pages, images and
// style sheets by path, and the facts the help project stored in #SYSTEM.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct chmFile;

namespace rovanta {

class ChmArchive {
public:
    /// The archive at `file`, or nullptr when it is not a regular file or
    /// chmlib cannot read it.
    static std::unique_ptr<ChmArchive> open(const std::filesystem::path& file);

    ~ChmArchive();
    ChmArchive(const ChmArchive&) = delete;
    ChmArchive& operator=(const ChmArchive&) = delete;

    /// The bytes of the object at `objectPath` ("/HTML/Eng/Maps.htm"), read
    /// as helpPagePath() reads a link: the leading '/' may be missing and
    /// '\\' counts as '/'; the case may differ too. Nothing when there is
    /// no such object or it is a folder.
    std::optional<std::string> read(std::string_view objectPath) const;

    /// Object paths with a leading '/' ("/HTML/Eng/index.htm"); empty when
    /// the file names none.
    std::string defaultTopic() const { return defaultTopic_; }
    /// The table of contents (.hhc) and the index (.hhk); when #SYSTEM names
    /// none that exists, the first such file in the archive.
    std::string contentsFile() const { return contentsFile_; }
    std::string indexFile() const { return indexFile_; }
    /// The help project's title, as stored (ASCII, or the ANSI code page).
    std::string title() const { return title_; }

    /// Every object path in the archive, in chmlib's order.
    const std::vector<std::string>& entries() const { return entries_; }

private:
    explicit ChmArchive(chmFile* handle);
    void readSystem();
    std::optional<std::string> readExact(const std::string& objectPath) const;
    std::string existingOrFirstWithSuffix(const std::string& named, std::string_view suffix) const;

    chmFile* handle_;
    bool compressedReadable_ = false;
    std::vector<std::string> entries_;
    std::string defaultTopic_;
    std::string contentsFile_;
    std::string indexFile_;
    std::string title_;
};

} // namespace rovanta
