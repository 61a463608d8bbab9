// The rename question of the maps and tours pages, answered by the rename
// dialog in the GUI and by a script in tests.
#pragma once

#include "common/installed.h"

#include <optional>
#include <string>

namespace rovanta {

class RenamePrompt {
public:
    virtual ~RenamePrompt() = default;
    /// The new name the user typed (UTF-8), or nothing when cancelled.
    [[nodiscard]] virtual std::optional<std::string> askNewName(const std::string& oldName) = 0;
};

using InstalledRenamePrompt = Installed<RenamePrompt>;
using ScopedRenamePrompt = InstalledRenamePrompt::Scope;

/// Asks the installed prompt; without one every rename is cancelled.
[[nodiscard]] std::optional<std::string> askNewName(const std::string& oldName);

} // namespace rovanta
