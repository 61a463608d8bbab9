// The open-file question, answered by the platform's file dialog in the GUI
// and by a script in tests.
#pragma once

#include "common/installed.h"

#include <optional>
#include <string>

namespace rovanta {

struct OpenFileRequest {
    std::string title;            ///< window title
    std::string filter;           ///< "Description (*.ext) | *.ext||"
    std::string defaultExtension; ///< with its dot, added to a name typed without one
    std::string initialFolder;    ///< UTF-8 path; may be empty
    std::string initialName;      ///< proposed file name
};

class OpenFilePrompt {
public:
    virtual ~OpenFilePrompt() = default;
    /// The full path the user chose (UTF-8), or nothing when cancelled. The
    /// chosen file need not exist; the caller checks.
    [[nodiscard]] virtual std::optional<std::string> askOpenFile(const OpenFileRequest& request) = 0;
};

using InstalledOpenFilePrompt = Installed<OpenFilePrompt>;
using ScopedOpenFilePrompt = InstalledOpenFilePrompt::Scope;

/// Asks the installed prompt; without one every request is cancelled.
[[nodiscard]] std::optional<std::string> askOpenFile(const OpenFileRequest& request);

} // namespace rovanta
