#include "editing/qt/file_drop.h"

#include "editing/tour_transfer.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace rovanta {

FileDropFilter::FileDropFilter(QWidget& window, Open open) : QObject(&window), open_(std::move(open))
{
    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

std::vector<std::string> FileDropFilter::openableFiles(const QMimeData& data)
{
    std::vector<std::string> files;
    for (const QUrl& url : data.urls()) {
        std::string path = url.toLocalFile().toStdString();
        if (url.isLocalFile() && fileKindOf(path) != FileKind::unknown)
            files.push_back(std::move(path));
    }
    return files;
}

bool FileDropFilter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (drag->mimeData() && !openableFiles(*drag->mimeData()).empty())
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const std::vector<std::string> files =
            drop->mimeData() ? openableFiles(*drop->mimeData()) : std::vector<std::string>{};
        if (files.empty()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        for (const std::string& file : files)
            open_(file);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace rovanta
