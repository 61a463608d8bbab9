// The modeless distances table of a tour: one row per point with the
// running distance and the position in the chosen format; it opens the
// remarks dialog and prints the table with legs, totals and remarks.
#pragma once

#include "dialogs/distances.h"
#include "manager/records.h"

#include <QDialog>

#include <memory>

class QPainter;

namespace Ui {
class TourDistancesDialog;
}

namespace rovanta {

class TourDistancesDialog : public QDialog {
    Q_OBJECT
public:
    /// Builds the table for `tour` and shows it, modeless, over `view`.
    TourDistancesDialog(TourRecord tour, QWidget* view);
    ~TourDistancesDialog() override;

    /// Caption from the tour's current name, rows rebuilt; columns stay.
    void refresh();
    /// Draws the table on the printer behind `painter`, in its device
    /// pixels. Rows that do not fit continue on further pages, each with
    /// the title and the headings.
    void printTable(QPainter& painter);

    /// The tour shown; nothing once it was taken away.
    const TourRecord& tour() const;
    /// The tour no longer exists for the user: the dialog lets go of it
    /// and shows an empty table.
    void dropTour();
    DisplayFormat format() const;

signals:
    /// The Print button: the view runs the print job.
    void printRequested();
    /// The remarks dialog wrote its rows to the tour.
    void remarksChanged();
    /// The Export CSV… (`csv`) or Export KML… button.
    void exportRequested(bool csv);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void selectFormat(int index);
    void rebuildColumns();
    void rebuildRows();
    void editRemarks();

    std::unique_ptr<Ui::TourDistancesDialog> ui_;
    TourRecord tour_;
    DisplayFormat format_ = kDecimalMinute;
};

} // namespace rovanta
