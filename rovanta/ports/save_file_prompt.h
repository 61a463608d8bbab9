// The save-file question, answered by the platform's file dialog in the GUI
// and by a script in tests.
#pragma once

#include "common/installed.h"

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
    [[nodiscard]] virtual std::optional<std::string> askSaveFile(const SaveFileRequest& request) = 0;
};

using InstalledSaveFilePrompt = Installed<SaveFilePrompt>;
using ScopedSaveFilePrompt = InstalledSaveFilePrompt::Scope;

/// Asks the installed prompt; without one every request is cancelled.
[[nodiscard]] std::optional<std::string> askSaveFile(const SaveFileRequest& request);

} // namespace rovanta
