// The maps page and the tours page as their widget sees them: a list of
// named entries with state icons, and the commands on the selected row.
#pragma once

#include "manager/page_state.h"

#include <optional>
#include <vector>

namespace rovanta {

class ListPage {
public:
    virtual ~ListPage() = default;

    /// The list as shown, ascending by name without regard to case. Rows
    /// index it; a row that is not listed makes a command do nothing.
    virtual const std::vector<ListEntry>& entries() const = 0;
    /// Row of the entry shown as current, or -1.
    virtual int currentIndex() const = 0;

    /// First shown in a run of the sheet.
    virtual void open() = 0;
    /// Became the active page: refreshed, the action button reads "Search".
    virtual void activate() = 0;
    virtual void refresh() = 0;
    /// The sheet closed with OK: the store takes the page's records.
    virtual void commit() = 0;

    /// The action button: finds the files of every listed folder. New
    /// records are listed unchecked; records not met leave the page.
    virtual void search() = 0;
    /// Click: unchecked ↔ checked; the current entry becomes unchecked.
    virtual void toggle(int row) = 0;
    /// Makes the entry current.
    virtual void show(int row) = 0;
    /// Asks for a new name and renames the record's file or its name line.
    virtual void rename(int row) = 0;
    /// Asks, then takes the entry off the list; no file is touched.
    virtual void remove(int row) = 0;
    /// What the properties dialog shows about the record's file.
    virtual std::optional<PropertiesText> properties(int row) const = 0;
    /// Whether the popup offers "Export GPX…"; only tours can be exported.
    virtual bool exportsGpx() const { return false; }
    /// Asks for a file and writes the entry's tour there as GPX.
    virtual void exportGpx(int /*row*/) {}
};

} // namespace rovanta
