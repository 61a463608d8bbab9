#include "editing/qt/import_dialog.h"

#include "gpx/simplify.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace rovanta {
namespace {

QString kindText(GeoPathKind kind)
{
    switch (kind) {
    case GeoPathKind::route:
        return ImportDialog::tr("Route");
    case GeoPathKind::track:
        return ImportDialog::tr("Track");
    case GeoPathKind::waypoints:
        break;
    }
    return ImportDialog::tr("Waypoints");
}

} // namespace

ImportDialog::ImportDialog(const std::string& file, const GpxContent& content, QWidget* parent)
    : QDialog(parent), content_(content)
{
    setWindowTitle(tr("Import GPX - %1").arg(QFileInfo(QString::fromStdString(file)).fileName()));
    paths_ = new QListWidget(this);
    for (const GpxCandidate& candidate : gpxCandidates(content)) {
        const QString name = candidate.name.empty() ? tr("(no name)") : QString::fromStdString(candidate.name);
        paths_->addItem(tr("%1: %2, %3 points").arg(kindText(candidate.kind), name).arg(candidate.pointCount));
    }
    paths_->setCurrentRow(0);
    tolerance_ = new QDoubleSpinBox(this);
    tolerance_->setRange(0.0, 1000.0);
    tolerance_->setDecimals(1);
    tolerance_->setSuffix(QStringLiteral(" m"));
    tolerance_->setValue(kDefaultSimplifyTolerance);
    count_ = new QLabel(this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* form = new QFormLayout;
    form->addRow(tr("Tolerance:"), tolerance_);
    form->addRow(tr("Points in the tour:"), count_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(paths_);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(paths_, &QListWidget::currentRowChanged, this, &ImportDialog::updateCount);
    connect(tolerance_, &QDoubleSpinBox::valueChanged, this, &ImportDialog::updateCount);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateCount();
}

ImportChoice ImportDialog::choice() const
{
    return {static_cast<std::size_t>(std::max(0, paths_->currentRow())), tolerance_->value()};
}

void ImportDialog::updateCount()
{
    const ImportChoice chosen = choice();
    const GeoPath& path = content_.paths[std::min(chosen.path, content_.paths.size() - 1)];
    // Only tracks are thinned; the tolerance means nothing for the rest.
    tolerance_->setEnabled(path.kind == GeoPathKind::track);
    count_->setNum(static_cast<int>(importPoints(path, chosen.tolerance).size()));
}

ImportChooser dialogImportChooser(QWidget* parent)
{
    return [parent](const std::string& file, const GpxContent& content) -> std::optional<ImportChoice> {
        if (content.paths.size() == 1 && content.paths.front().kind != GeoPathKind::track)
            return ImportChoice{};
        ImportDialog dialog(file, content, parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.choice();
    };
}

} // namespace rovanta
