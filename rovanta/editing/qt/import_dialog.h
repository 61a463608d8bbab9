// The GPX import dialog: which route or track, and how far a track is
// thinned, with the resulting point count before anything is imported.
#pragma once

#include "editing/tour_transfer.h"

#include <QDialog>

class QDoubleSpinBox;
class QLabel;
class QListWidget;

namespace rovanta {

class ImportDialog : public QDialog {
    Q_OBJECT
public:
    ImportDialog(const std::string& file, const GpxContent& content, QWidget* parent = nullptr);

    ImportChoice choice() const;
    QListWidget& paths() { return *paths_; }
    QDoubleSpinBox& tolerance() { return *tolerance_; }
    QLabel& pointCount() { return *count_; }

private:
    void updateCount();

    const GpxContent& content_;
    QListWidget* paths_ = nullptr;
    QDoubleSpinBox* tolerance_ = nullptr;
    QLabel* count_ = nullptr;
};

/// The chooser the program installs: asks only when there is a choice, that
/// is several paths or a track to thin.
ImportChooser dialogImportChooser(QWidget* parent);

} // namespace rovanta
