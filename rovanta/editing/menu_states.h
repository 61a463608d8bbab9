// Menu items change state only where the program says so. The view sets
// them through this interface; the toolbar's buttons are not affected.
#pragma once

namespace rovanta {

class MenuStates {
public:
    virtual ~MenuStates() = default;
    virtual void setMenuEnabled(int id, bool enabled) = 0;
    virtual bool isMenuEnabled(int id) const = 0;
};

} // namespace rovanta
