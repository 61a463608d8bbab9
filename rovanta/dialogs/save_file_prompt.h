// The save-file question, answered by the platform's file dialog in the GUI
// and by a script in tests.
#pragma once

#include <optional>
#include <string>

namespace rovanta {

struct SaveFileRequest {
    std::string title;            ///< window title
    std::string filter;           ///< "Description | pattern||"
    std::string defaultExtension; ///< with its dot, added to a name typed without one
    std::string initialFolder;    ///< UTF-8 path; may be empty
    std::string initialName;      ///< proposed file name, at most 255 bytes
};

class SaveFilePrompt {
public:
    virtual ~SaveFilePrompt() = default;
    /// The full path the user chose (UTF-8), or nothing when cancelled. The
    /// prompt does not ask about overwriting; the caller does.
    virtual std::optional<std::string> askSaveFile(const SaveFileRequest& request) = 0;
};

/// Installs the prompt (not owned; nullptr removes it). Without one every
/// request is cancelled.
void installSaveFilePrompt(SaveFilePrompt* prompt);

/// Asks the installed prompt.
std::optional<std::string> askSaveFile(const SaveFileRequest& request);

class ScopedSaveFilePrompt {
public:
    explicit ScopedSaveFilePrompt(SaveFilePrompt& prompt);
    ~ScopedSaveFilePrompt();
    ScopedSaveFilePrompt(const ScopedSaveFilePrompt&) = delete;
    ScopedSaveFilePrompt& operator=(const ScopedSaveFilePrompt&) = delete;

private:
    SaveFilePrompt* previous_;
};

} // namespace rovanta
