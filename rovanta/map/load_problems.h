// What went wrong while reading calibration files and their bitmaps,
// gathered so that a Search or the start shows it once, as one list.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rovanta {

struct LoadProblem {
    std::string file;   ///< the calibration file's path
    int line = 0;       ///< 1 for the file's first line; 0 when no line is to blame
    std::string reason; ///< e.g. "only one reference point"; both texts UTF-8
};

/// The problems met so far, in the order they were met.
class LoadProblems {
public:
    void add(std::string file, int line, std::string reason);
    const std::vector<LoadProblem>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }
    /// One notice: a heading, then "<file>, line <n>: <reason>" or
    /// "<file>: <reason>" per problem; a long list ends with how many more
    /// there were, so the box stays on the screen.
    std::string noticeText() const;

private:
    std::vector<LoadProblem> entries_;
};

/// Collects every problem reported while it lives and shows them as one
/// notice when it ends (nothing when there were none). A scope opened
/// inside another adds to the outer one and shows nothing itself, so a
/// Search or the start shows one notice however many files it reads.
class LoadProblemScope {
public:
    LoadProblemScope();
    ~LoadProblemScope();
    LoadProblemScope(const LoadProblemScope&) = delete;
    LoadProblemScope& operator=(const LoadProblemScope&) = delete;

private:
    std::optional<LoadProblems> own_;
};

/// Adds a problem to the innermost open scope's list; without one it is
/// shown at once, on its own.
void reportLoadProblem(std::string file, int line, std::string reason);

} // namespace rovanta
