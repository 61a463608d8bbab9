// Asks how the map is printed: the scale (offered, typed or the sheet's
// own), the overlap between pages and whether the UTM grid is drawn.
#pragma once

#include "print/page_layout.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;

namespace rovanta {

struct MapPrintChoice {
    int denominator = 25000;
    double overlap = kDefaultOverlap; ///< mm
    bool grid = true;
};

class PrintMapDialog : public QDialog {
    Q_OBJECT
public:
    /// `sheetScale`: the current sheet's own scale, offered last.
    PrintMapDialog(int sheetScale, QWidget* parent = nullptr);

    /// Valid after the dialog was accepted.
    MapPrintChoice choice() const { return choice_; }

    void accept() override;

private:
    int sheetScale_;
    MapPrintChoice choice_;
    QComboBox* scale_;
    QDoubleSpinBox* overlap_;
    QCheckBox* grid_;
};

/// Runs the dialog; nothing when the user cancels.
std::optional<MapPrintChoice> askMapPrintChoice(int sheetScale, QWidget* parent);

} // namespace rovanta
