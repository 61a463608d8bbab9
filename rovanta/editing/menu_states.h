// Menu items change state only where the program says so. The view sets
// them through this interface; the toolbar's buttons are not affected.
#pragma once

#include <string_view>

namespace rovanta {

class MenuStates {
public:
    virtual ~MenuStates() = default;
    virtual void setMenuEnabled(int id, bool enabled) = 0;
    virtual bool isMenuEnabled(int id) const = 0;
    /// Items whose text follows the program's state ("Undo Add Point");
    /// menus without such items ignore it.
    virtual void setMenuText(int /*id*/, std::string_view /*text*/) {}
};

} // namespace rovanta
