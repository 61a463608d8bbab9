#include "dialogs/qt/tour_distances_dialog.h"

#include "common/qt/display.h"
#include "dialogs/distance_print_layout.h"
#include "dialogs/distance_table.h"
#include "dialogs/qt/remarks_dialog.h"
#include "resources/help_ids.h"
#include "ui_tour_distances_dialog.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPagedPaintDevice>
#include <QPainter>

#include <array>
#include <span>

namespace rovanta {
namespace {

struct Column {
    const char* heading;
    int width;
};

constexpr std::array kDegreeColumns{Column{QT_TRANSLATE_NOOP("TourDistancesDialog", "Point"), 50},
                                    Column{QT_TRANSLATE_NOOP("TourDistancesDialog", "km"), 70},
                                    Column{QT_TRANSLATE_NOOP("TourDistancesDialog", "Longitude"), 130},
                                    Column{QT_TRANSLATE_NOOP("TourDistancesDialog", "Latitude"), 130}};
constexpr std::array kUtmColumns{Column{QT_TRANSLATE_NOOP("TourDistancesDialog", "Point"), 50},
                                 Column{QT_TRANSLATE_NOOP("TourDistancesDialog", "km"), 70},
                                 Column{QT_TRANSLATE_NOOP("TourDistancesDialog", "Easting"), 100},
                                 Column{QT_TRANSLATE_NOOP("TourDistancesDialog", "Northing"), 100},
                                 Column{QT_TRANSLATE_NOOP("TourDistancesDialog", "Zone"), 60}};

QString captionFor(const cl_Tour& tour)
{
    return TourDistancesDialog::tr("Distances for Tour: ") + displayText(tour.name());
}

// The printout's face names go to the font lookup as they are. Where no
// such face exists, Windows gives "ArialBlack" its plain Arial at normal
// weight, which the headings' spacing was made for; Arial's metric twin
// stands in here, and a wider face would run "Northing" into "Zone".
QFont printerFont(PrintFontRole role, QPaintDevice* device)
{
    const PrintFace face = printFont(role);
    const QString family = QString::fromLatin1(face.family);
    QFont font(family, face.pointSize);
    if (role == PrintFontRole::kRow) {
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    } else {
        QFont::insertSubstitutions(family, {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
        font.setStyleHint(QFont::SansSerif);
    }
    return QFont(font, device);
}

} // namespace

TourDistancesDialog::TourDistancesDialog(TourRecord tour, QWidget* view)
    : QDialog(view), ui_(std::make_unique<Ui::TourDistancesDialog>()), tour_(std::move(tour))
{
    ui_->setupUi(this);
    setProperty(help::kContextProperty, help::resourceContext(help::kTourDistancesDialog));
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    // Enter still reaches it through keyPressEvent.
    ui_->applyButton->hide();
    ui_->distanceList->setFont(fixedsysListFont());
    ui_->formatList->setCurrentIndex(kDecimalMinute);

    connect(ui_->formatList, &QComboBox::currentIndexChanged, this, &TourDistancesDialog::selectFormat);
    connect(ui_->applyButton, &QPushButton::clicked, this, &TourDistancesDialog::refresh);
    connect(ui_->remarksButton, &QPushButton::clicked, this, &TourDistancesDialog::editRemarks);
    connect(ui_->printButton, &QPushButton::clicked, this, &TourDistancesDialog::printRequested);
    for (const bool csv : {false, true}) {
        auto* button = new QPushButton(csv ? tr("Export CSV…") : tr("Export KML…"), this);
        button->setObjectName(csv ? QStringLiteral("exportCsvButton") : QStringLiteral("exportKmlButton"));
        button->setAutoDefault(false);
        ui_->buttonLayout->insertWidget(ui_->buttonLayout->indexOf(ui_->printButton) + 1, button);
        connect(button, &QPushButton::clicked, this, [this, csv] { emit exportRequested(csv); });
    }

    if (tour_)
        setWindowTitle(captionFor(*tour_));
    rebuildColumns();
    rebuildRows();
    show();
}

TourDistancesDialog::~TourDistancesDialog() = default;

void TourDistancesDialog::refresh()
{
    if (!tour_)
        return;
    setWindowTitle(captionFor(*tour_));
    rebuildRows();
}

const TourRecord& TourDistancesDialog::tour() const
{
    return tour_;
}

void TourDistancesDialog::dropTour()
{
    tour_.reset();
    ui_->distanceList->clear();
    hide();
}

DisplayFormat TourDistancesDialog::format() const
{
    return format_;
}

void TourDistancesDialog::keyPressEvent(QKeyEvent* event)
{
    // QDialog only presses a visible default button; the hidden Apply is
    // still the one Enter means.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        ui_->applyButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TourDistancesDialog::selectFormat(int index)
{
    if (index < kDecimalDegree || index > kUtm)
        return;
    format_ = static_cast<DisplayFormat>(index);
    rebuildColumns();
    rebuildRows();
}

void TourDistancesDialog::rebuildColumns()
{
    const std::span<const Column> columns =
        format_ == kUtm ? std::span<const Column>(kUtmColumns) : std::span<const Column>(kDegreeColumns);
    QTreeWidget* list = ui_->distanceList;
    list->setColumnCount(static_cast<int>(columns.size()));
    QTreeWidgetItem* header = list->headerItem();
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        header->setText(
            i, QCoreApplication::translate("TourDistancesDialog", columns[static_cast<std::size_t>(i)].heading));
        header->setTextAlignment(i, Qt::AlignCenter);
        list->setColumnWidth(i, columns[static_cast<std::size_t>(i)].width);
    }
}

void TourDistancesDialog::rebuildRows()
{
    QTreeWidget* list = ui_->distanceList;
    list->clear();
    if (!tour_)
        return;
    for (const DistanceRow& row : buildDistanceRows(*tour_, format_)) {
        QStringList cells{QString::fromStdString(row.number), QString::fromStdString(row.total)};
        for (const std::string& coordinate : row.coords)
            cells << displayText(coordinate);
        auto* item = new QTreeWidgetItem(list, cells);
        for (int i = 0; i < cells.size(); ++i)
            item->setTextAlignment(i, Qt::AlignCenter);
    }
}

void TourDistancesDialog::editRemarks()
{
    if (!tour_)
        return;
    // Held for the modal loop, so the remarks outlive the dialog whatever
    // happens to the tours page meanwhile.
    const TourRecord tour = tour_;
    RemarksDialog dialog(tour->name(), tour->getRemarks(), this);
    connect(&dialog, &QDialog::accepted, this, &TourDistancesDialog::remarksChanged);
    dialog.exec();
}

void TourDistancesDialog::printTable(QPainter& painter)
{
    if (!tour_)
        return;
    QPaintDevice* device = painter.device();
    const DistancePrintLayout layout(format_);
    const std::vector<PrintPage> pages =
        layout.pages(tour_->name(), buildDistanceRows(*tour_, format_), device->height());
    const std::array fonts{printerFont(PrintFontRole::kTitle, device), printerFont(PrintFontRole::kHeading, device),
                           printerFont(PrintFontRole::kRow, device)};

    painter.save();
    painter.resetTransform();
    painter.setPen(Qt::black);
    auto* paged = dynamic_cast<QPagedPaintDevice*>(device);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        // A device without pages can show only the first one.
        if (p > 0 && (paged == nullptr || !paged->newPage()))
            break;
        for (const PlacedText& text : pages[p]) {
            painter.setFont(fonts[static_cast<std::size_t>(text.font)]);
            painter.drawText(QPoint(text.x, text.y + painter.fontMetrics().ascent()), displayText(text.text));
        }
    }
    painter.restore();
}

} // namespace rovanta
