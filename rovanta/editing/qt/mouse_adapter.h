// Turns the view's raw mouse events into the gestures tour editing knows.
// Presses and drags count only with the left button alone and no modifier
// key; everything else that is not a gesture is dropped here.
#pragma once

#include <kalimark/kalimark.h>

#include <cstdint>

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
    IPoint client{0, 0};    ///< window position, pixels
    std::uint64_t time = 0; ///< the event's timestamp, milliseconds
};

/// The gesture of one event delivered to the view's window.
MouseAction interpretMouseEvent(const QMouseEvent& event);

/// The platform's longest time between the presses of a double click,
/// milliseconds.
std::uint64_t doubleClickInterval();

} // namespace rovanta
