// A few lines about a map's bitmap or a tour file, in a fixed-pitch font so
// the columns line up.
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class PropertiesDialog;
}

namespace rovanta {

class PropertiesDialog : public QDialog {
    Q_OBJECT
public:
    PropertiesDialog(const QString& caption, const QString& body, QWidget* parent = nullptr);
    ~PropertiesDialog() override;

    QString body() const;

private:
    std::unique_ptr<Ui::PropertiesDialog> ui_;
};

} // namespace rovanta
