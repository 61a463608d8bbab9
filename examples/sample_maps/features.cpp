#include "features.h"

#include "noise.h"
#include "painting.h"
#include "world.h"

#include <QPainter>
#include <QPen>
#include <QPolygonF>

#include <cmath>
#include <cstdint>
#include <vector>

namespace sample_maps {

void drawWater(QPainter& painter, const Sheet& sheet)
{
    const QColor blue(52, 116, 196);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(blue, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    std::vector<Pt> river;
    // The river runs through the lake, so it is drawn in pieces outside it.
    for (double e = kWorldWest - 100; e <= kWorldEast + 100; e += 20) {
        const Pt p{e, World::riverN(e)};
        if (World::lakeQ(p) > 0.97) {
            river.push_back(p);
            continue;
        }
        painter.drawPath(pathOf(sheet, river));
        river.clear();
    }
    painter.drawPath(pathOf(sheet, river));
    painter.setPen(QPen(blue, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const World::Creek& creek : World::kCreeks) {
        std::vector<Pt> bed;
        for (double n = kSouth - 100; n <= kNorth + 100; n += 20) {
            const Pt p{World::creekE(creek, n), n};
            if (creek.north == (n > World::riverN(p.e)))
                bed.push_back(p);
        }
        painter.drawPath(pathOf(sheet, bed));
    }
    const QFont water = font(17, false, true);
    label(painter, toImage(sheet, {World::kLakeE - 210, World::riverN(World::kLakeE) - 40}), QStringLiteral("Almsee"),
          water, blue);
    label(painter, toImage(sheet, {650300, World::riverN(650300) + 70}), QStringLiteral("Rauhe Ache"),
          font(14, false, true), blue);
}

void drawSettlements(QPainter& painter, const Sheet& sheet, const Plan& plan)
{
    std::vector<Pt> road;
    for (double e = kWorldWest - 100; e <= kWorldEast + 100; e += 20)
        road.push_back({e, World::roadN(e)});
    const QPainterPath roadPath = pathOf(sheet, road);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(90, 70, 50), 5.5, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.drawPath(roadPath);
    painter.setPen(QPen(QColor(250, 214, 88), 3.5, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.drawPath(roadPath);

    painter.setPen(QPen(QColor(200, 30, 30), 2.0, Qt::DashLine, Qt::FlatCap, Qt::RoundJoin));
    for (const std::vector<Pt>& trail : plan.trails)
        painter.drawPath(pathOf(sheet, trail));

    std::uint32_t seed = 7;
    for (const Village& village : plan.villages) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(72, 60, 60));
        for (int b = 0; b < 40; ++b) {
            const Pt p{village.at.e + 600 * (lattice(b, 0, seed) - 0.5),
                       village.at.n + 260 * (lattice(b, 1, seed) - 0.5)};
            if (World::lakeQ(p) < 1.2 || std::fabs(p.n - World::roadN(p.e)) < 16)
                continue;
            const QPointF at = toImage(sheet, p);
            painter.drawRect(QRectF(at.x(), at.y(), 3 + 2 * lattice(b, 2, seed), 3 + 1.5 * lattice(b, 3, seed)));
        }
        seed += 1;
        label(painter, toImage(sheet, village.at) + QPointF(-40, 34), village.name, font(16, true), QColor(20, 20, 20));
    }
    const QPointF hut = toImage(sheet, plan.hut);
    painter.setPen(QPen(Qt::black, 1.0));
    painter.setBrush(QColor(210, 30, 30));
    painter.drawRect(QRectF(hut.x() - 4, hut.y() - 4, 8, 8));
    label(painter, hut + QPointF(8, 14), QStringLiteral("Kamm Hut"), font(13), QColor(20, 20, 20));

    for (const Peak& peak : plan.peaks) {
        if (peak.height < 1300)
            continue;
        const QPointF at = toImage(sheet, peak.at);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(30, 30, 30));
        painter.drawPolygon(QPolygonF({at + QPointF(0, -5), at + QPointF(5, 4), at + QPointF(-5, 4)}));
        const QString height = QString::number(std::lround(peak.height));
        if (!peak.name.isEmpty())
            label(painter, at + QPointF(8, -4), peak.name, font(14, true), QColor(30, 30, 30));
        label(painter, at + QPointF(8, peak.name.isEmpty() ? 4 : 12), height, font(12), QColor(30, 30, 30));
    }
}

} // namespace sample_maps
