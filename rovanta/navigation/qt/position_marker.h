// Marks the position Go to Position showed, until the next click on the
// map or Escape, so the eye finds it after the jump.
#pragma once

#include "manager/records.h"

#include <kalimark/kalimark.h>

#include <QObject>
#include <QPainter>
#include <QPointF>
#include <QPointer>
#include <QWidget>

#include <optional>

class QAbstractScrollArea;

namespace rovanta {

/// Outer radius of the marker's circle, and the length of its cross's arms.
inline constexpr int kMarkerRadius = 12;

class PositionMarker : public QObject {
    Q_OBJECT
public:
    /// Watches `view` for Escape and its viewport for clicks.
    explicit PositionMarker(QAbstractScrollArea& view);

    void place(const MapRecord& map, IPoint pixel);
    void clear();
    /// The marked pixel while the marker is on `map`.
    std::optional<IPoint> pixelOn(const MapRecord& map) const;

    /// The marker centred at `at`, device pixels.
    static void paint(QPainter& painter, QPointF at);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> viewport_;
    MapRecord map_;
    IPoint pixel_;
};

} // namespace rovanta
