#include "manager/qt/list_page_widget.h"

#include "common/qt/display.h"
#include "common/qt/icons.h"
#include "dialogs/qt/properties_dialog.h"
#include "resources/command_ids.h"

#include <QListWidget>
#include <QMenu>
#include <QVBoxLayout>

namespace rovanta {

ListPageWidget::ListPageWidget(ListPage& page, QAbstractItemView::SelectionMode selection, QWidget* parent)
    : QWidget(parent), page_(page), list_(new QListWidget(this)), popup_(new QMenu(this))
{
    // Names run down in columns, as a small-icon list. Rows are sized one
    // by one (no uniform item sizes), so each column is as wide as its
    // longest name instead of every name being cut to one row's width.
    list_->setViewMode(QListView::ListMode);
    list_->setFlow(QListView::TopToBottom);
    list_->setWrapping(true);
    list_->setResizeMode(QListView::Adjust);
    list_->setIconSize(QSize(16, 16));
    list_->setSelectionMode(selection);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);

    const std::pair<int, const char*> commands[] = {{commands::kShow, QT_TR_NOOP("Show")},
                                                    {commands::kRename, QT_TR_NOOP("Rename")},
                                                    {commands::kDelete, QT_TR_NOOP("Delete")},
                                                    {commands::kProperties, QT_TR_NOOP("Properties")}};
    for (const auto& [id, text] : commands)
        popup_->addAction(tr(text))->setProperty(commands::kIdProperty, id);
    if (page_.exportsGpx())
        popup_->addAction(tr("Export GPX\u2026"))->setProperty(commands::kIdProperty, commands::kExportTourGpx);

    connect(list_, &QListWidget::clicked, this, [this](const QModelIndex& index) { clicked(index.row()); });
    connect(list_, &QListWidget::customContextMenuRequested, this, &ListPageWidget::openPopup);
    connect(popup_, &QMenu::triggered, this,
            [this](QAction* action) { runCommand(action->property(commands::kIdProperty).toInt(), popupRow_); });
}

ListPageWidget::~ListPageWidget() = default;

void ListPageWidget::reload()
{
    const std::vector<ListEntry>& entries = page_.entries();
    const int count = static_cast<int>(entries.size());
    // Items are reused so the list keeps its scroll position.
    while (list_->count() > count)
        delete list_->takeItem(list_->count() - 1);
    while (list_->count() < count)
        list_->addItem(new QListWidgetItem);
    for (int row = 0; row < count; ++row) {
        QListWidgetItem* item = list_->item(row);
        item->setText(displayText(entries[row].text));
        item->setIcon(icons::state(entries[row].icon));
    }
    list_->clearSelection();
}

void ListPageWidget::runCommand(int id, int row)
{
    if (row < 0 || row >= static_cast<int>(page_.entries().size()))
        return;
    switch (id) {
    case commands::kShow:
        page_.show(row);
        break;
    case commands::kRename:
        page_.rename(row);
        break;
    case commands::kDelete:
        page_.remove(row);
        break;
    case commands::kProperties:
        if (const std::optional<PropertiesText> text = page_.properties(row)) {
            PropertiesDialog dialog(displayText(text->caption), displayText(text->body), this);
            dialog.exec();
        }
        return;
    case commands::kExportTourGpx:
        page_.exportGpx(row);
        return;
    default:
        return;
    }
    reload();
    emit changed();
}

void ListPageWidget::clicked(int row)
{
    page_.toggle(row);
    reload();
    emit changed();
}

void ListPageWidget::openPopup(const QPoint& position)
{
    const QModelIndex index = list_->indexAt(position);
    if (!index.isValid())
        return;
    popupRow_ = index.row();
    popup_->popup(list_->viewport()->mapToGlobal(position));
}

} // namespace rovanta
