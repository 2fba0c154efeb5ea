#include "light_curve_view.h"

#include "mutual_rows.h"

#include <QDateTime>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxTimeTicks = 7;
constexpr int kMaxFluxTicks = 6;
// Tick steps of the time axis, seconds: each divides a day.
constexpr int kTimeSteps[] = {5, 10, 15, 30, 60, 120, 300, 600, 900, 1200, 1800, 3600, 7200, 10800, 21600};

QString utClock(double utSeconds, bool withSeconds)
{
    return QDateTime::fromSecsSinceEpoch(std::llround(utSeconds), Qt::UTC)
        .toString(withSeconds ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
}

int timeStep(double spanS)
{
    for (int s : kTimeSteps)
        if (spanS / s <= kMaxTimeTicks)
            return s;
    return kTimeSteps[std::size(kTimeSteps) - 1];
}

// 1, 2 or 5 times a power of ten, giving at most kMaxFluxTicks ticks.
double fluxStep(double span)
{
    const double p = std::pow(10.0, std::floor(std::log10(span)));
    for (double m : {0.1, 0.2, 0.5, 1.0, 2.0, 5.0, 10.0})
        if (span / (m * p) <= kMaxFluxTicks)
            return m * p;
    return 10 * p;
}

} // namespace

LightCurveView::LightCurveView(const QLocale& locale, QWidget* parent) : QWidget(parent), locale_(locale)
{
    setObjectName(QStringLiteral("LightCurveView"));
    setToolTip(tr("Courbe de lumière prévue : flux des deux satellites ensemble (1 hors du phénomène), en TU"));
}

void LightCurveView::setCurve(const zeno::MutualEvent& event, std::vector<zeno::LightPoint> curve)
{
    event_ = event;
    curve_ = std::move(curve);
    update();
}

void LightCurveView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paint(p, rect(), event_, curve_, locale_);
}

void LightCurveView::paint(QPainter& p, const QRectF& area, const zeno::MutualEvent& event,
                           const std::vector<zeno::LightPoint>& curve, const QLocale& locale)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, Qt::white);
    if (curve.size() < 2) {
        p.restore();
        return;
    }
    QFont font = p.font();
    const int px = std::clamp(int(area.height() / 24), 9, 16);
    font.setPixelSize(px);
    p.setFont(font);
    const QFontMetricsF fm(font, p.device());
    const double line = fm.height();

    // The ranges: the whole curve in time, its depth with a margin in flux.
    const double t0 = curve.front().ut, t1 = curve.back().ut;
    const auto deepest = std::min_element(curve.begin(), curve.end(),
                                          [](const auto& a, const auto& b) { return a.flux < b.flux; });
    const double depth = std::max(1 - deepest->flux, 1e-4);
    const double yLow = deepest->flux - 0.12 * depth, yHigh = 1 + 0.08 * depth;
    const double yStep = fluxStep(yHigh - yLow);
    const int decimals = std::max(0, int(-std::floor(std::log10(yStep) + 1e-9)));

    const double left = area.left() + fm.horizontalAdvance(locale.toString(0.0, 'f', decimals + 1)) + line * 1.6;
    const QRectF plot(QPointF(left, area.top() + 3.2 * line),
                      QPointF(area.right() - line * 0.8, area.bottom() - 2.4 * line));
    const auto xOf = [&](double t) { return plot.left() + (t - t0) / (t1 - t0) * plot.width(); };
    const auto yOf = [&](double f) { return plot.bottom() - (f - yLow) / (yHigh - yLow) * plot.height(); };

    // Title, and the drop at the right.
    p.setPen(Qt::black);
    const QString date = QDateTime::fromSecsSinceEpoch(event.maximum, Qt::UTC).toString(QStringLiteral("dd/MM/yyyy"));
    const QRectF titleRow(area.left() + line * 0.5, area.top() + line * 0.1, area.width() - line, line);
    const QString title = QStringLiteral("%1 — %2").arg(mutualTitle(event), date);
    const QString drop = tr("chute %1 mag").arg(locale.toString(event.magnitudeDrop, 'f', 3));
    p.drawText(titleRow, Qt::AlignLeft | Qt::AlignVCenter, title);
    if (fm.horizontalAdvance(title + drop) + 2 * line < titleRow.width())
        p.drawText(titleRow, Qt::AlignRight | Qt::AlignVCenter, drop);

    // Grid and tick labels.
    const int step = timeStep(t1 - t0);
    QPen grid(QColor(225, 225, 225));
    grid.setWidthF(px / 14.0);
    for (double t = std::ceil(t0 / step) * step; t <= t1; t += step) {
        p.setPen(grid);
        p.drawLine(QPointF(xOf(t), plot.top()), QPointF(xOf(t), plot.bottom()));
        p.setPen(Qt::black);
        const QString label = utClock(t, step < 60);
        const double w = fm.horizontalAdvance(label) + 2;
        const double x = std::clamp(xOf(t) - w / 2, area.left(), area.right() - w);
        p.drawText(QRectF(x, plot.bottom() + line * 0.15, w, line), Qt::AlignCenter, label);
    }
    for (double f = std::ceil(yLow / yStep) * yStep; f <= yHigh + 1e-12; f += yStep) {
        p.setPen(grid);
        p.drawLine(QPointF(plot.left(), yOf(f)), QPointF(plot.right(), yOf(f)));
        p.setPen(Qt::black);
        p.drawText(QRectF(area.left(), yOf(f) - line / 2, plot.left() - area.left() - line * 0.3, line),
                   Qt::AlignRight | Qt::AlignVCenter, locale.toString(f, 'f', decimals));
    }
    p.drawText(QRectF(plot.left(), plot.bottom() + line * 1.2, plot.width(), line), Qt::AlignCenter,
               tr("Temps universel (TU), %1").arg(date));
    p.save();
    p.translate(area.left() + line * 0.6, plot.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-plot.height() / 2, -line / 2, plot.height(), line), Qt::AlignCenter, tr("Flux du couple"));
    p.restore();

    // The curve, shaded beneath.
    QPainterPath path;
    path.moveTo(xOf(curve.front().ut), yOf(curve.front().flux));
    for (const auto& pt : curve)
        path.lineTo(xOf(pt.ut), yOf(pt.flux));
    QPainterPath shade = path;
    shade.lineTo(plot.right(), plot.bottom());
    shade.lineTo(plot.left(), plot.bottom());
    shade.closeSubpath();
    p.save();
    p.setClipRect(plot);
    p.fillPath(shade, QColor(40, 90, 200, 40));
    QPen curvePen(QColor(20, 60, 170));
    curvePen.setWidthF(px / 6.0);
    p.strokePath(path, curvePen);
    p.restore();

    // The contacts and the maximum: lines across the plot, their times above it.
    const auto marker = [&](double t, const QColor& colour, Qt::PenStyle style) {
        QPen pen(colour, px / 9.0, style);
        p.setPen(pen);
        p.drawLine(QPointF(xOf(t), plot.top()), QPointF(xOf(t), plot.bottom()));
    };
    marker(double(event.start), QColor(90, 90, 90), Qt::DashLine);
    marker(double(event.end), QColor(90, 90, 90), Qt::DashLine);
    marker(event.maximumExact, QColor(200, 30, 30), Qt::DashDotLine);
    const double contactsRow = plot.top() - line * 1.05, maximumRow = plot.top() - line * 2.05;
    p.setPen(QColor(60, 60, 60));
    p.drawText(QRectF(area.left(), contactsRow, xOf(double(event.start)) - area.left() - line * 0.2, line),
               Qt::AlignRight | Qt::AlignVCenter, tr("début %1").arg(utClock(double(event.start), true)));
    p.drawText(QRectF(xOf(double(event.end)) + line * 0.2, contactsRow, area.right(), line),
               Qt::AlignLeft | Qt::AlignVCenter, tr("fin %1").arg(utClock(double(event.end), true)));
    p.setPen(QColor(200, 30, 30));
    p.drawText(QRectF(xOf(event.maximumExact) - 5 * line, maximumRow, 10 * line, line), Qt::AlignCenter,
               tr("maximum %1").arg(zeno::sigmaText(event.maxUtSigmaS).isEmpty()
                                          ? utClock(event.maximumExact, true)
                                          : utClock(event.maximumExact, true) + QLatin1Char(' ') + zeno::sigmaText(event.maxUtSigmaS)));
    p.setPen(QPen(Qt::black, px / 14.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot);
    p.restore();
}
