#include "view/mouse_adapter.h"

#include <QMouseEvent>

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
    switch (event.type()) {
    case QEvent::MouseButtonPress:
        if (event.button() == Qt::LeftButton && leftAlone(event))
            return {MouseGesture::kLeftPress, client};
        break;
    case QEvent::MouseMove:
        if (leftAlone(event))
            return {MouseGesture::kLeftDrag, client};
        break;
    case QEvent::MouseButtonRelease:
        if (event.button() == Qt::LeftButton)
            return {MouseGesture::kLeftRelease, client};
        if (event.button() == Qt::RightButton)
            return {MouseGesture::kRightClick, client};
        break;
    case QEvent::MouseButtonDblClick:
        if (event.button() == Qt::LeftButton)
            return {MouseGesture::kDoubleClick, client};
        break;
    default:
        break;
    }
    return {};
}

} // namespace rovanta
