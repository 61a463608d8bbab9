// A menu bar that accepts every state and shows none, for views tested or
// measured without their frame.
#pragma once

#include "editing/menu_states.h"

namespace rovanta::test {

class NoMenus : public MenuStates {
public:
    void setMenuEnabled(int, bool) override {}
    bool isMenuEnabled(int) const override { return true; }
};

} // namespace rovanta::test
