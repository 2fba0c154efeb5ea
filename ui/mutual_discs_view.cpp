#include "mutual_discs_view.h"

#include "scene_frame.h"
#include "mutual_rows.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace {

QColor colourOf(int satellite)
{
    const zeno::Rgb c = zeno::kSatellites[satellite].own;
    return QColor(c.red, c.green, c.blue);
}

// A scale bar of 1, 2 or 5 times a power of ten km, about `wantedKm` long.
double barKm(double wantedKm)
{
    const double p = std::pow(10.0, std::floor(std::log10(wantedKm)));
    double best = p;
    for (double m : {1.0, 2.0, 5.0})
        if (m * p <= wantedKm)
            best = m * p;
    return best;
}

} // namespace

std::vector<QPointF> discsTrack(const zeno::MutualEvent& event, int points)
{
    std::vector<QPointF> track;
    points = std::max(points, 2);
    for (int i = 0; i < points; ++i) {
        const double t = double(event.start) + double(event.end - event.start) * i / (points - 1);
        const zeno::PairGeometry g = zeno::mutualDiscsAt(event, t);
        track.emplace_back(g.dx, g.dy);
    }
    return track;
}

MutualDiscsView::MutualDiscsView(const QLocale& locale, QWidget* parent) : QWidget(parent), locale_(locale)
{
    setObjectName(QStringLiteral("MutualDiscsView"));
    setToolTip(tr("Les deux disques au maximum, agrandis, orientés comme le dessin de la fenêtre principale ; "
                  "la ligne grise suit le centre du disque occultant (ou de l'ombre) du début à la fin"));
}

void MutualDiscsView::setEvent(const zeno::MutualEvent& event)
{
    picture_.event = event;
    picture_.track = discsTrack(event);
    hasEvent_ = true;
    update();
}

void MutualDiscsView::setFlips(bool eastWest, bool northSouth)
{
    picture_.flipEastWest = eastWest;
    picture_.flipNorthSouth = northSouth;
    update();
}

void MutualDiscsView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (hasEvent_)
        paint(p, rect(), picture_, locale_);
    else
        p.fillRect(rect(), Qt::black);
}

void MutualDiscsView::paint(QPainter& p, const QRectF& area, const DiscsPicture& d, const QLocale& locale)
{
    const zeno::MutualEvent& ev = d.event;
    const zeno::PairGeometry& g = ev.atMaximum;
    const bool eclipse = ev.type == zeno::MutualType::Eclipse;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, Qt::black);
    QFont font = p.font();
    const int px = std::clamp(int(std::min(area.width(), area.height()) / 18), 9, 18);
    font.setPixelSize(px);
    p.setFont(font);
    const double line = QFontMetricsF(font, p.device()).height();

    // Everything drawn fits: the target, the occulting disc or penumbra, the track.
    const double outerKm = eclipse ? g.penumbraRadiusKm : g.occulterRadiusKm;
    double extentKm = std::max(g.targetRadiusKm, std::hypot(g.dx, g.dy) + outerKm);
    for (const QPointF& q : d.track)
        extentKm = std::max(extentKm, std::hypot(q.x(), q.y()));
    const QRectF drawing = area.adjusted(line * 0.6, line * 2.4, -line * 0.6, -line * 1.8);
    const double kmToPx = std::min(drawing.width(), drawing.height()) / 2 / (extentKm * 1.04);
    const QPointF centre = drawing.center();
    const double sx = d.flipEastWest ? -1 : 1, sy = d.flipNorthSouth ? -1 : 1;   // north downwards unless flipped
    const auto at = [&](double xKm, double yKm) { return centre + QPointF(sx * xKm, sy * yKm) * kmToPx; };
    const auto disc = [&](double xKm, double yKm, double rKm) {
        QPainterPath path;
        path.addEllipse(at(xKm, yKm), rKm * kmToPx, rKm * kmToPx);
        return path;
    };

    // The target, then what hides it.
    const QPainterPath target = disc(0, 0, g.targetRadiusKm);
    // A disc's name beyond its outline, on the line of the two centres, away from the other disc.
    const QPointF apart = at(g.dx, g.dy) - at(0, 0);
    const double apartPx = std::hypot(apart.x(), apart.y());
    const QPointF away = apartPx > 0 ? apart / apartPx : QPointF(0, -1);
    const auto name = [&](const QPointF& centre, double rKm, double sign, const QString& text, const QColor& colour) {
        const QPointF c = centre + sign * away * (rKm * kmToPx + line * 0.8);
        const double w = QFontMetricsF(p.font(), p.device()).horizontalAdvance(text);
        const double x = std::clamp(c.x() - w / 2, area.left() + 2, area.right() - w - 2);
        const double y = std::clamp(c.y() - line / 2, area.top() + 2 * line, area.bottom() - 2 * line);
        p.setPen(colour);
        p.drawText(QRectF(x, y, w + 1, line), Qt::AlignCenter, text);
    };
    p.fillPath(target, colourOf(ev.target));
    if (eclipse) {
        const QPainterPath penumbra = disc(g.dx, g.dy, g.penumbraRadiusKm);
        const QPainterPath umbra = disc(g.dx, g.dy, std::abs(g.umbraRadiusKm));
        // The penumbra darkens from its edge to the umbra's.
        QRadialGradient shade(at(g.dx, g.dy), g.penumbraRadiusKm * kmToPx);
        shade.setColorAt(std::abs(g.umbraRadiusKm) / g.penumbraRadiusKm, QColor(0, 0, 0, 190));
        shade.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillPath(target.intersected(penumbra), shade);
        p.fillPath(target.intersected(umbra), QColor(0, 0, 0, g.umbraRadiusKm > 0 ? 230 : 170));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(170, 170, 170), px / 10.0, Qt::DashLine));
        p.drawPath(penumbra);
        p.setPen(QPen(QColor(220, 220, 220), px / 10.0));
        p.drawPath(umbra);
    } else {
        const QPainterPath occulter = disc(g.dx, g.dy, g.occulterRadiusKm);
        p.fillPath(occulter, colourOf(ev.occulter).darker(115));
        p.setPen(QPen(Qt::white, px / 10.0));
        p.setBrush(Qt::NoBrush);
        p.drawPath(occulter);
    }

    // The path from the first contact to the last, with an arrow at its end.
    if (d.track.size() >= 2) {
        QPainterPath track;
        track.moveTo(at(d.track.front().x(), d.track.front().y()));
        for (const QPointF& q : d.track)
            track.lineTo(at(q.x(), q.y()));
        p.setPen(QPen(QColor(150, 150, 150), px / 12.0));
        p.setBrush(Qt::NoBrush);
        p.drawPath(track);
        const QPointF tip = at(d.track.back().x(), d.track.back().y());
        const QPointF before = at(d.track[d.track.size() - 2].x(), d.track[d.track.size() - 2].y());
        const QPointF u = tip - before;
        const double n = std::hypot(u.x(), u.y());
        if (n > 0) {
            const QPointF a = u / n * line * 0.6, b(-a.y() * 0.5, a.x() * 0.5);
            p.setBrush(QColor(150, 150, 150));
            p.drawPolygon(QPolygonF({tip, tip - a + b, tip - a - b}));
        }
    }

    // Names, compass and scale.
    name(at(0, 0), g.targetRadiusKm, -1, zeno::satelliteDisplayName(ev.target), colourOf(ev.target));
    const QString occulterName = zeno::satelliteDisplayName(ev.occulter);
    const bool vowel = ev.occulter <= 1;   // "d'Io", "d'Europe"
    name(at(g.dx, g.dy), outerKm, 1,
         eclipse ? (vowel ? tr("ombre d'%1") : tr("ombre de %1")).arg(occulterName) : occulterName,
         eclipse ? QColor(200, 200, 200) : colourOf(ev.occulter));
    p.setPen(Qt::white);
    const QRectF top(area.left() + line * 0.4, area.top() + line * 0.1, area.width() - line * 0.8, line);
    p.drawText(top, Qt::AlignLeft | Qt::AlignVCenter,
               tr("%1 au maximum, %2 TU").arg(ev.code(), zeno::mutualUtText(ev.maximumExact, locale).mid(11)));
    p.drawText(top.translated(0, line), Qt::AlignLeft | Qt::AlignVCenter,
               tr("%1 : %2 % de sa lumière perdue")
                   .arg(zeno::satelliteDisplayName(ev.target),
                        locale.toString(100 * ev.targetLightLost, 'f', ev.targetLightLost < 0.1 ? 1 : 0)));
    const double arm = line * 1.1;
    // The rose's corner placed so that both arms and their letters stay inside.
    const QPointF rose(area.left() + line * 0.7 + (sx < 0 ? arm + line : 0),
                       area.bottom() - line * 0.7 - (sy > 0 ? arm + line : 0));
    p.setPen(QPen(Qt::white, px / 12.0));
    p.drawLine(rose, rose + QPointF(sx * arm, 0));
    p.drawLine(rose, rose + QPointF(0, sy * arm));
    const auto letter = [&](const QPointF& at, const QString& s) {
        p.drawText(QRectF(at.x() - line / 2, at.y() - line / 2, line, line), Qt::AlignCenter, s);
    };
    letter(rose + QPointF(sx * (arm + line * 0.45), 0), tr("E"));
    letter(rose + QPointF(0, sy * (arm + line * 0.5)), tr("N"));
    const double bar = barKm(extentKm * 0.6);
    const QPointF barEnd(area.right() - line * 0.8, area.bottom() - line * 0.6);
    const QPointF barStart = barEnd - QPointF(bar * kmToPx, 0);
    p.drawLine(barStart, barEnd);
    p.drawLine(barStart + QPointF(0, -line * 0.2), barStart + QPointF(0, line * 0.2));
    p.drawLine(barEnd + QPointF(0, -line * 0.2), barEnd + QPointF(0, line * 0.2));
    const QString barText = tr("%1 km").arg(locale.toString(bar, 'f', 0));
    const double barTextW = QFontMetricsF(p.font(), p.device()).horizontalAdvance(barText) + 2;
    const double barTextX = std::min((barStart.x() + barEnd.x() - barTextW) / 2, area.right() - barTextW - 2);
    p.drawText(QRectF(barTextX, barEnd.y() - line * 1.15, barTextW, line), Qt::AlignCenter, barText);
    p.restore();
}
