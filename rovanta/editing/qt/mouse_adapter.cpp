#include "editing/qt/mouse_adapter.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>

#include <algorithm>

namespace rovanta {

namespace {

bool leftAlone(const QMouseEvent& event)
{
    return event.buttons() == Qt::LeftButton && event.modifiers() == Qt::NoModifier;
}

} // namespace

MouseAction interpretMouseEvent(const QMouseEvent& event)
{
    const QPoint at = event.position().toPoint();
    const IPoint client{at.x(), at.y()};
    const std::uint64_t time = event.timestamp();
    switch (event.type()) {
    case QEvent::MouseButtonPress:
        if (event.button() == Qt::LeftButton && leftAlone(event))
            return {MouseGesture::kLeftPress, client, time};
        break;
    case QEvent::MouseMove:
        if (leftAlone(event))
            return {MouseGesture::kLeftDrag, client, time};
        break;
    case QEvent::MouseButtonRelease:
        if (event.button() == Qt::LeftButton)
            return {MouseGesture::kLeftRelease, client, time};
        if (event.button() == Qt::RightButton)
            return {MouseGesture::kRightClick, client, time};
        break;
    case QEvent::MouseButtonDblClick:
        if (event.button() == Qt::LeftButton)
            return {MouseGesture::kDoubleClick, client, time};
        break;
    default:
        break;
    }
    return {};
}

std::uint64_t doubleClickInterval()
{
    return static_cast<std::uint64_t>(std::max(0, QGuiApplication::styleHints()->mouseDoubleClickInterval()));
}

} // namespace rovanta
