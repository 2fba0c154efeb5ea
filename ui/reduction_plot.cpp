#include "reduction_plot.h"

#include "plot_axes.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMarginS = 120;           // time shown beyond the contacts without points
constexpr double kResidualShare = 0.28;    // of the plot's height
constexpr int kCurveSamples = 600;
const QColor kPointColour(40, 90, 170);
const QColor kFitColour(200, 30, 30);
const QColor kPredictionColour(20, 140, 60);

void curve(QPainter& p, const PlotFrame& f, const QColor& colour, Qt::PenStyle style, double (*flux)(const zeno::CurveFit&, double),
           const zeno::CurveFit& fit)
{
    QPainterPath path;
    for (int i = 0; i <= kCurveSamples; ++i) {
        const double t = f.t0 + (f.t1 - f.t0) * i / kCurveSamples;
        const QPointF q = f.at(t, flux(fit, t));
        i == 0 ? path.moveTo(q) : path.lineTo(q);
    }
    p.setPen(QPen(colour, 1.6, style));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void marker(QPainter& p, const PlotFrame& f, double t, const QColor& colour, Qt::PenStyle style)
{
    if (t < f.t0 || t > f.t1)
        return;
    p.setPen(QPen(colour, 1, style));
    p.drawLine(f.at(t, f.y0), f.at(t, f.y1));
}

} // namespace

void paintReductionPlot(QPainter& p, const QRectF& area, const ReductionPlotData& d, const QLocale& locale)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, Qt::white);
    const QFontMetricsF fm(p.font());
    const bool fitted = d.fit.points > 0;
    std::vector<zeno::ObservedPoint> shown;
    std::vector<double> residuals;
    for (std::size_t i = 0; i < d.points.size(); ++i) {
        const zeno::ObservedPoint& pt = d.points[i];
        if (fitted && (pt.ut < d.fit.windowStart || pt.ut > d.fit.windowEnd))
            continue;
        shown.push_back(pt);
        if (fitted)
            residuals.push_back(pt.flux - (i < d.fitted.size() ? d.fitted[i] : zeno::fittedFlux(d.fit, pt.ut)));
    }
    if (shown.empty() && !d.hasEvent) {
        p.setPen(Qt::darkGray);
        p.drawText(area, Qt::AlignCenter, QCoreApplication::translate("ReductionPlot", "Choisissez le phénomène et le fichier de la courbe observée"));
        p.restore();
        return;
    }

    double t0 = 1e300, t1 = -1e300, y0 = 1e300, y1 = -1e300;
    for (const zeno::ObservedPoint& pt : shown) {
        t0 = std::min(t0, pt.ut);
        t1 = std::max(t1, pt.ut);
        y0 = std::min(y0, pt.flux);
        y1 = std::max(y1, pt.flux);
    }
    if (d.hasEvent) {
        t0 = std::min(t0, double(d.event.start) - kMarginS);
        t1 = std::max(t1, double(d.event.end) + kMarginS);
    }
    const zeno::EventShape shape = d.hasEvent ? zeno::eventShape(d.event) : zeno::EventShape{};
    zeno::CurveFit drawn = d.fit;
    if (!fitted && d.hasEvent) {   // the bare prediction, flux 1 out of the event
        drawn.event = d.event;
        drawn.predicted = shape;
        drawn.scale = 1;
        drawn.slopePerHour = 0;
    }
    if (d.hasEvent)
        for (int i = 0; i <= kCurveSamples; ++i) {
            const double t = t0 + (t1 - t0) * i / kCurveSamples;
            const double a = zeno::predictedOnBaseline(drawn, t);
            y0 = std::min(y0, a);
            y1 = std::max(y1, a);
            if (fitted) {
                const double b = zeno::fittedFlux(drawn, t);
                y0 = std::min(y0, b);
                y1 = std::max(y1, b);
            }
        }
    const double pad = std::max(1e-6, 0.06 * (y1 - y0));
    y0 -= pad;
    y1 += pad;

    const double left = area.left() + 90, right = area.right() - 14, top = area.top() + fm.height() * 2 + 8;
    const double bottom = area.bottom() - fm.height() * 2 - 8;
    const double residualHeight = fitted ? kResidualShare * (bottom - top) : 0;
    const PlotFrame main{QRectF(left, top, right - left, bottom - top - residualHeight - (fitted ? fm.height() + 6 : 0)),
                     t0, t1, y0, y1};

    // Title and legend.
    p.setPen(Qt::black);
    QString title = d.hasEvent ? QCoreApplication::translate("ReductionPlot", "%1 du %2 TU").arg(d.event.code(), zeno::utTextTenths(d.event.maximumExact, locale))
                               : QCoreApplication::translate("ReductionPlot", "Courbe observée");
    if (fitted && d.fit.converged)
        title += QCoreApplication::translate("ReductionPlot", " — O−C %1%2 ± %3 s")
                     .arg(d.fit.shiftS >= 0 ? QStringLiteral("+") : QString(), locale.toString(d.fit.shiftS, 'f', 1),
                          locale.toString(d.fit.shiftSigmaS, 'f', 1));
    p.drawText(QRectF(area.left(), area.top() + 4, area.width(), fm.height()), Qt::AlignCenter, title);

    paintPlotAxes(p, main, locale, !fitted, QCoreApplication::translate("ReductionPlot", "Flux"));
    p.setClipRect(main.box);
    p.setPen(QPen(kPointColour, shown.size() > 3000 ? 1.5 : 3, Qt::SolidLine, Qt::RoundCap));
    for (const zeno::ObservedPoint& pt : shown)
        p.drawPoint(main.at(pt.ut, pt.flux));
    if (d.hasEvent) {
        marker(p, main, double(d.event.start), Qt::gray, Qt::DotLine);
        marker(p, main, double(d.event.end), Qt::gray, Qt::DotLine);
        marker(p, main, d.event.maximumExact, kPredictionColour, Qt::DashLine);
        curve(p, main, kPredictionColour, Qt::DashLine, zeno::predictedOnBaseline, drawn);
    }
    if (fitted) {
        curve(p, main, kFitColour, Qt::SolidLine, zeno::fittedFlux, drawn);
        marker(p, main, d.fit.observedMaxUt, kFitColour, Qt::SolidLine);
    }
    p.setClipping(false);

    // The legend, top left inside the box.
    const QStringList names = {QCoreApplication::translate("ReductionPlot", "observé"), QCoreApplication::translate("ReductionPlot", "prévu"), d.fit.converged ? QCoreApplication::translate("ReductionPlot", "ajusté") : QCoreApplication::translate("ReductionPlot", "ajustement non convergé")};
    const QColor colours[3] = {kPointColour, kPredictionColour, kFitColour};
    double x = main.box.left() + 8;
    for (int i = 0; i < 3; ++i) {
        if ((i == 0 && shown.empty()) || (i == 1 && !d.hasEvent) || (i == 2 && !fitted))
            continue;
        const double y = main.box.top() + 4 + fm.height() / 2;
        p.setPen(QPen(colours[i], i == 0 ? 4 : 1.6, i == 1 ? Qt::DashLine : Qt::SolidLine, Qt::RoundCap));
        i == 0 ? p.drawPoint(QPointF(x + 9, y)) : p.drawLine(QPointF(x, y), QPointF(x + 18, y));
        p.setPen(Qt::black);
        p.drawText(QPointF(x + 22, y + fm.ascent() / 2 - 1), names[i]);
        x += 30 + fm.horizontalAdvance(names[i]);
    }

    if (fitted) {
        double r = 0;
        for (const double v : residuals)
            r = std::max(r, std::abs(v));
        r = std::max(r * 1.1, 1e-6);
        const PlotFrame low{QRectF(left, bottom - residualHeight, right - left, residualHeight), t0, t1, -r, r};
        paintPlotAxes(p, low, locale, true, QCoreApplication::translate("ReductionPlot", "Résidus"));
        p.setClipRect(low.box);
        p.setPen(QPen(Qt::black, 0));
        p.drawLine(low.at(t0, 0), low.at(t1, 0));
        p.setPen(QPen(kPointColour, shown.size() > 3000 ? 1.5 : 3, Qt::SolidLine, Qt::RoundCap));
        for (std::size_t i = 0; i < shown.size(); ++i)
            p.drawPoint(low.at(shown[i].ut, residuals[i]));
        p.setClipping(false);
    }
    p.setPen(Qt::black);
    p.drawText(QRectF(area.left(), area.bottom() - fm.height() - 2, area.width(), fm.height()), Qt::AlignCenter,
               QCoreApplication::translate("ReductionPlot", "Temps universel"));
    p.restore();
}

ReductionPlot::ReductionPlot(const QLocale& locale, QWidget* parent) : QWidget(parent), locale_(locale)
{
    setMinimumSize(480, 320);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ReductionPlot::setData(ReductionPlotData data)
{
    data_ = std::move(data);
    data_.fitted.clear();
    if (data_.fit.points > 0)
        for (const zeno::ObservedPoint& pt : data_.points)
            data_.fitted.push_back(pt.ut >= data_.fit.windowStart && pt.ut <= data_.fit.windowEnd
                                       ? zeno::fittedFlux(data_.fit, pt.ut)
                                       : std::nan(""));
    update();
}

void ReductionPlot::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paintReductionPlot(p, rect(), data_, locale_);
}
