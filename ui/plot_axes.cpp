#include "plot_axes.h"

#include <QDateTime>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
const QColor kGridColour(220, 220, 220);
}

double niceStep(double span, int count)
{
    const double raw = span / count, power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0})
        if (m * power >= raw)
            return m * power;
    return 10 * power;
}

double timeStep(double spanS)
{
    for (const double s : {5.0, 10.0, 15.0, 30.0, 60.0, 120.0, 300.0, 600.0, 900.0, 1800.0, 3600.0, 7200.0})
        if (spanS / s <= 8)
            return s;
    return 14400;
}

void paintPlotAxes(QPainter& p, const PlotFrame& f, const QLocale& locale, bool timeLabels, const QString& yTitle)
{
    const QFontMetricsF fm(p.font());
    p.setPen(QPen(kGridColour, 0));
    const double ys = niceStep(f.y1 - f.y0, 5);
    for (double y = std::ceil(f.y0 / ys) * ys; y <= f.y1 + 1e-12; y += ys) {
        p.setPen(QPen(kGridColour, 0));
        p.drawLine(f.at(f.t0, y), f.at(f.t1, y));
        p.setPen(Qt::black);
        const int decimals = std::max(0, int(-std::floor(std::log10(ys) + 1e-9)));
        const QString text = locale.toString(std::abs(y) < ys / 1e6 ? 0.0 : y, 'f', decimals);
        p.drawText(QRectF(f.box.left() - 70, f.at(f.t0, y).y() - fm.height() / 2, 64, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, text);
    }
    const double ts = timeStep(f.t1 - f.t0);
    for (double t = std::ceil(f.t0 / ts) * ts; t <= f.t1; t += ts) {
        p.setPen(QPen(kGridColour, 0));
        p.drawLine(f.at(t, f.y0), f.at(t, f.y1));
        if (timeLabels) {
            p.setPen(Qt::black);
            const QString text = QDateTime::fromSecsSinceEpoch(std::llround(t), Qt::UTC).toString(
                ts < 60 ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
            p.drawText(QRectF(f.at(t, f.y0).x() - 40, f.box.bottom() + 2, 80, fm.height()), Qt::AlignCenter, text);
        }
    }
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(f.box);
    p.save();
    p.translate(f.box.left() - 76, f.box.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-f.box.height() / 2, -fm.height(), f.box.height(), fm.height()), Qt::AlignCenter, yTitle);
    p.restore();
}
