#include "approximation_view.h"

#include "scene_frame.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMinutesTick[] = {1, 2, 5, 10, 15, 30, 60};   // the distance's time ticks, minutes
constexpr int kMaxTicks = 7;

QColor colourOf(int satellite)
{
    const zeno::Rgb c = zeno::kSatellites[satellite].own;
    return QColor(c.red, c.green, c.blue);
}

// A font sized on the area, and its line height.
double fitFont(QPainter& p, const QRectF& area)
{
    QFont font = p.font();
    font.setPixelSize(std::clamp(int(area.height() / 22), 9, 15));
    p.setFont(font);
    return QFontMetricsF(font, p.device()).height();
}

} // namespace

ApproximationPicture approximationPicture(const zeno::Approximation& a, int samples)
{
    ApproximationPicture pic;
    pic.approximation = a;
    pic.halfWidthS = zeno::approximationHalfWidthS(a);
    pic.distance = zeno::approximationTrack(a, pic.halfWidthS, samples);
    for (const zeno::SkyOffset& o : pic.distance)
        pic.tracks.push_back(zeno::approximationPairAt(a, o.ut));
    return pic;
}

ApproximationView::ApproximationView(Kind kind, const QLocale& locale, QWidget* parent)
    : QWidget(parent), kind_(kind), locale_(locale)
{
    setObjectName(kind == Distance ? QStringLiteral("ApproximationDistance") : QStringLiteral("ApproximationTracks"));
    setToolTip(kind == Distance ? tr("Distance apparente des deux satellites autour de l'instant central")
                                : tr("Les trajets des deux satellites sur le ciel, orientés comme le dessin de la fenêtre principale"));
}

void ApproximationView::setPicture(const ApproximationPicture& picture)
{
    const bool ew = picture_.flipEastWest, ns = picture_.flipNorthSouth;
    picture_ = picture;
    picture_.flipEastWest = ew;
    picture_.flipNorthSouth = ns;
    has_ = true;
    update();
}

void ApproximationView::setFlips(bool eastWest, bool northSouth)
{
    picture_.flipEastWest = eastWest;
    picture_.flipNorthSouth = northSouth;
    update();
}

void ApproximationView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!has_) {
        p.fillRect(rect(), Qt::white);
        return;
    }
    if (kind_ == Distance)
        paintDistance(p, rect(), picture_, locale_);
    else
        paintTracks(p, rect(), picture_, locale_);
}

void ApproximationView::paintDistance(QPainter& p, const QRectF& area, const ApproximationPicture& d, const QLocale& locale)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, Qt::white);
    const double line = fitFont(p, area);
    const zeno::Approximation& a = d.approximation;
    const double t0 = a.centralUt;
    // Observed points in pixels are drawn on the prediction's scale through their fitted minimum.
    const double toArcsec = d.observedInPixels && d.fit && d.fit->distance > 0 ? a.distanceArcsec / d.fit->distance : 1;
    double from = t0 - d.halfWidthS, to = t0 + d.halfWidthS, high = 0;
    for (const zeno::SkyOffset& o : d.distance)
        high = std::max(high, o.distance());
    for (const zeno::TrackSample& s : d.observed) {
        from = std::min(from, s.ut);
        to = std::max(to, s.ut);
        high = std::max(high, s.distance * toArcsec);
    }
    high = std::max(high * 1.08, 1e-3);
    const QRectF plot(QPointF(area.left() + line * 3.2, area.top() + line * 1.6),
                      QPointF(area.right() - line * 0.8, area.bottom() - line * 2.2));
    const auto at = [&](double t, double dist) {
        return QPointF(plot.left() + (t - from) / (to - from) * plot.width(), plot.bottom() - dist / high * plot.height());
    };
    p.setPen(Qt::black);
    p.drawText(QRectF(area.left() + line * 0.5, area.top(), area.width() - line, line * 1.4), Qt::AlignLeft | Qt::AlignVCenter,
               tr("%1 — instant central %2 TU, %3″").arg(a.code(), zeno::utIsoTenths(t0).mid(11), locale.toString(a.distanceArcsec, 'f', 2)));
    p.drawRect(plot);
    // Time ticks in minutes from the central instant; distance ticks at round arcseconds.
    double minutes = kMinutesTick[std::size(kMinutesTick) - 1];
    for (double m : kMinutesTick)
        if ((to - from) / 60 / m <= kMaxTicks) {
            minutes = m;
            break;
        }
    for (double m = std::ceil((from - t0) / 60 / minutes) * minutes; m * 60 <= to - t0; m += minutes) {
        const QPointF q = at(t0 + m * 60, 0);
        p.setPen(QColor(220, 220, 220));
        p.drawLine(q, QPointF(q.x(), plot.top()));
        p.setPen(Qt::black);
        p.drawText(QRectF(q.x() - line * 2, plot.bottom(), line * 4, line), Qt::AlignCenter,
                   m == 0 ? QStringLiteral("t0") : locale.toString(m, 'f', 0));
    }
    p.drawText(QRectF(plot.left(), plot.bottom() + line, plot.width(), line), Qt::AlignCenter, tr("minutes depuis l'instant central"));
    const double pow10 = std::pow(10.0, std::floor(std::log10(high)));
    const double dStep = high / pow10 > 5 ? 2 * pow10 : high / pow10 > 2 ? pow10 : pow10 / 2;
    for (double v = 0; v <= high; v += dStep) {
        const QPointF q = at(from, v);
        p.drawText(QRectF(area.left(), q.y() - line / 2, line * 3, line), Qt::AlignRight | Qt::AlignVCenter,
                   locale.toString(v, 'g', 3) + QStringLiteral("″"));
    }
    QPainterPath predicted;
    for (std::size_t i = 0; i < d.distance.size(); ++i)
        i == 0 ? predicted.moveTo(at(d.distance[i].ut, d.distance[i].distance())) : predicted.lineTo(at(d.distance[i].ut, d.distance[i].distance()));
    p.setPen(QPen(QColor(40, 80, 200), line / 8));
    p.drawPath(predicted);
    p.setPen(QPen(QColor(40, 80, 200), line / 12, Qt::DashLine));
    p.drawLine(at(t0, 0), at(t0, high));
    if (!d.observed.empty()) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 60, 40));
        for (const zeno::TrackSample& s : d.observed)
            p.drawEllipse(at(s.ut, s.distance * toArcsec), line / 6, line / 6);
    }
    if (d.fit && d.fit->converged) {
        QPainterPath fitted;
        for (int i = 0; i <= 200; ++i) {
            const double t = d.fit->firstUt + (d.fit->lastUt - d.fit->firstUt) * i / 200;
            const QPointF q = at(t, zeno::fittedDistance(*d.fit, t) * toArcsec);
            i == 0 ? fitted.moveTo(q) : fitted.lineTo(q);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(200, 60, 40), line / 8));
        p.drawPath(fitted);
        p.drawLine(at(d.fit->centralUt, 0), at(d.fit->centralUt, high));
    }
    p.restore();
}

void ApproximationView::paintTracks(QPainter& p, const QRectF& area, const ApproximationPicture& d, const QLocale& locale)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, QColor(12, 12, 28));
    const double line = fitFont(p, area);
    if (d.tracks.empty()) {
        p.restore();
        return;
    }
    const zeno::Approximation& a = d.approximation;
    // Centred on the pair's midpoint at the central instant.
    const zeno::SkyPair& mid = d.tracks[d.tracks.size() / 2];
    const double cx = (mid.x[0] + mid.x[1]) / 2, cy = (mid.y[0] + mid.y[1]) / 2;
    double extent = 1;
    for (const zeno::SkyPair& s : d.tracks)
        for (int k = 0; k < 2; ++k)
            extent = std::max({extent, std::abs(s.x[k] - cx), std::abs(s.y[k] - cy)});
    const QRectF drawing = area.adjusted(line, line * 1.6, -line, -line * 1.6);
    const double scale = std::min(drawing.width(), drawing.height()) / 2 / (extent * 1.05);
    const double sx = d.flipEastWest ? -1 : 1, sy = d.flipNorthSouth ? -1 : 1;   // as the main window's picture
    const auto at = [&](double x, double y) { return drawing.center() + QPointF(sx * (x - cx), sy * (y - cy)) * scale; };
    const int sat[2] = {a.first, a.second};
    for (int k = 0; k < 2; ++k) {
        QPainterPath path;
        for (std::size_t i = 0; i < d.tracks.size(); ++i)
            i == 0 ? path.moveTo(at(d.tracks[i].x[k], d.tracks[i].y[k])) : path.lineTo(at(d.tracks[i].x[k], d.tracks[i].y[k]));
        p.setPen(QPen(colourOf(sat[k]), line / 8));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        const QPointF now = at(mid.x[k], mid.y[k]), end = at(d.tracks.back().x[k], d.tracks.back().y[k]);
        p.setBrush(colourOf(sat[k]));
        p.drawEllipse(now, line / 3, line / 3);
        p.drawEllipse(end, line / 6, line / 6);   // where it goes
        p.setPen(colourOf(sat[k]));
        p.drawText(QRectF(now.x() + line * 0.4, now.y() - line * (k == 0 ? 1.4 : -0.4), line * 8, line),
                   Qt::AlignLeft | Qt::AlignVCenter, zeno::satelliteDisplayName(sat[k]));
    }
    // The compass and the time span.
    p.setPen(Qt::white);
    const QPointF o(area.left() + line * 2.5, area.bottom() - line * 2.5);
    p.drawLine(o, o + QPointF(0, sy * line * 1.2));
    p.drawLine(o, o + QPointF(sx * line * 1.2, 0));
    p.drawText(QRectF(o.x() - line / 2, o.y() + sy * line * 1.8 - line / 2, line, line), Qt::AlignCenter, tr("N"));
    p.drawText(QRectF(o.x() + sx * line * 1.8 - line / 2, o.y() - line / 2, line, line), Qt::AlignCenter, tr("E"));
    p.drawText(QRectF(area.left() + line * 0.5, area.top(), area.width() - line, line * 1.4), Qt::AlignLeft | Qt::AlignVCenter,
               tr("± %1 min autour de l'instant central").arg(locale.toString(d.halfWidthS / 60, 'f', 0)));
    p.restore();
}
