// Paths and labels shared by everything drawn over the terrain.
#pragma once

#include "layout.h"

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPointF>
#include <QString>

#include <vector>

class QPainter;

namespace sample_maps {

/// A polyline through world positions, in the sheet's pixels.
QPainterPath pathOf(const Sheet& sheet, const std::vector<Pt>& points);

/// DejaVu Sans, the one font of all labels.
QFont font(int pixels, bool bold = false, bool italic = false);

/// Text with a white halo, so it stays legible on contours and shading.
void label(QPainter& painter, QPointF at, const QString& text, const QFont& f, QColor colour);

} // namespace sample_maps
