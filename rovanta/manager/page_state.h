// What the manager's pages show, as plain data the widgets draw.
#pragma once

#include <string>

namespace rovanta {

/// One line of a page's list: the name and the state icon (the record's
/// status when the line was made; -1 shows no icon).
struct ListEntry {
    std::string text;
    int icon = -1;

    friend bool operator==(const ListEntry&, const ListEntry&) = default;
};

/// The sheet's action button, shared by the pages: each sets its caption
/// ("Search", "Apply") and enabling when it becomes active.
struct ActionButton {
    std::string caption; ///< in English, translated where it is shown
    bool enabled = false;
};

/// The properties dialog's texts; the body is laid out for a fixed-pitch
/// font.
struct PropertiesText {
    std::string caption;
    std::string body;
};

} // namespace rovanta
