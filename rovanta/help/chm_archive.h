// A compiled HTML help file (.chm) as the help window sees it: its pages,
// images and style sheets by path, and the facts the help project stored in
// #SYSTEM.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace rovanta {

/// The facts of #SYSTEM; object paths with a leading '/'.
struct ChmFacts {
    std::string title;
    std::string defaultTopic;
    std::string contentsFile;
    std::string indexFile;
};

class ChmArchive {
public:
    /// The archive at `file`, read by the reader program beside this one so
    /// that no file, however corrupt, can crash or hang the program; nullptr
    /// when it is not a regular file or the reader cannot read it in time.
    static std::unique_ptr<ChmArchive> open(const std::filesystem::path& file);

    virtual ~ChmArchive() = default;
    ChmArchive(const ChmArchive&) = delete;
    ChmArchive& operator=(const ChmArchive&) = delete;

    /// The bytes of the object at `objectPath` ("/HTML/Eng/Maps.htm"), read
    /// as helpPagePath() reads a link: the leading '/' may be missing and
    /// '\\' counts as '/'; the case may differ too. Nothing when there is
    /// no such object, it is a folder, or it cannot be read.
    [[nodiscard]] virtual std::optional<std::string> read(std::string_view objectPath) const = 0;

    /// Object paths with a leading '/' ("/HTML/Eng/index.htm"); empty when
    /// the file names none.
    std::string defaultTopic() const { return facts_.defaultTopic; }
    /// The table of contents (.hhc) and the index (.hhk); when #SYSTEM names
    /// none that exists, the first such file in the archive.
    std::string contentsFile() const { return facts_.contentsFile; }
    std::string indexFile() const { return facts_.indexFile; }
    /// The help project's title, as stored (ASCII, or the ANSI code page).
    std::string title() const { return facts_.title; }
    const ChmFacts& facts() const { return facts_; }

protected:
    ChmArchive() = default;

    ChmFacts facts_;
};

} // namespace rovanta
