// Turns the view's raw mouse events into the gestures tour editing knows.
// Presses and drags count only with the left button alone and no modifier
// key; everything else that is not a gesture is dropped here.
#pragma once

#include <kalimark/kalimark.h>

class QMouseEvent;

namespace rovanta {

enum class MouseGesture {
    kNone,
    kLeftPress,
    kLeftDrag,
    kLeftRelease,
    kDoubleClick,
    kRightClick,
};

struct MouseAction {
    MouseGesture gesture = MouseGesture::kNone;
    IPoint client{0, 0}; ///< window position, pixels
};

/// The gesture of one event delivered to the view's window.
MouseAction interpretMouseEvent(const QMouseEvent& event);

} // namespace rovanta
