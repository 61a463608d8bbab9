// The modal dialog in which the user types one remark per tour point. The
// widgets only show the RemarksEditor's state and hand it the user's clicks,
// focus changes and buttons.
#pragma once

#include "dialogs/remarks_editor.h"

#include <QDialog>
#include <QFont>

#include <memory>
#include <string>
#include <vector>

namespace Ui {
class RemarksDialog;
}

namespace rovanta {

/// "Fixedsys" 8 points for the tables of the distances and remarks dialogs;
/// the hints make the platform substitute a fixed-pitch face for it.
QFont fixedsysListFont();

class RemarksDialog : public QDialog {
    Q_OBJECT
public:
    /// Edits `remarks` (the tour's, UTF-8), which must outlive the dialog;
    /// they are overwritten when the dialog is accepted.
    RemarksDialog(const std::string& tourName, std::vector<std::string>& remarks, QWidget* parent = nullptr);
    ~RemarksDialog() override;

    const RemarksEditor& editor() const { return editor_; }

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply();
    void showState();

    std::unique_ptr<Ui::RemarksDialog> ui_;
    RemarksEditor editor_;
};

} // namespace rovanta
