// The tours page of the manager sheet. Outside the sheet it keeps the tour
// the view edits: New Tour, the current tour, and its release.
#pragma once

#include "manager/page_state.h"
#include "manager/record_page.h"
#include "manager/records.h"

#include <optional>
#include <string>

namespace rovanta {

class cl_TourList : public RecordPage<cl_Tour> {
public:
    /// The name every fresh tour gets until it is saved.
    static constexpr std::string_view kNewTourName = "New Tour";

    /// Takes the store's tours; no tour is current after this, a tour
    /// stored as current is listed checked.
    /// `saveFolder` is where export asks first; it must outlive the page.
    cl_TourList(ActionButton& button, const std::string& folderList, TourCollection& store,
                const std::string& saveFolder);

    void open() override;
    void refresh() override;
    /// Also makes the last tour marked current the current tour.
    void commit() override;
    /// A tour is named by its file name up to the last ".".
    void search() override;
    /// The current entry clicked: no tour is current any more.
    void toggle(int row) override;
    void show(int row) override;
    /// Renames the tour file and its remarks file in their folder.
    void rename(int row) override;
    void remove(int row) override;
    /// The tour file's path, date and size.
    std::optional<PropertiesText> properties(int row) const override;
    bool exportsGpx() const override { return true; }
    /// The tour as the page holds it, unsaved changes included.
    void exportGpx(int row) override;

    TourRecord currentTour() const { return current_; }
    /// An empty current tour named "New Tour"; the one already on the page
    /// is emptied and reused.
    TourRecord newTour();
    /// No tour is current; the tour marked current is listed checked.
    void releaseCurrentTour();
    /// `tour` (or none) is current again, listed again if the page lost it.
    void restoreCurrentTour(const TourRecord& tour);

private:
    TourRecord current_;
    const std::string& saveFolder_;
};

} // namespace rovanta
