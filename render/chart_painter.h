// The month's chart of the satellites' tracks drawn with QPainter: time runs
// down, each satellite's X across, Jupiter as a band two radii wide. The same
// drawing serves the window (only the exposed part), the printer, PDF, SVG
// and PNG.
#pragma once

#include "month_chart.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <array>
#include <vector>

class QPainter;

namespace zeno {

// The satellite's colour on a white page (the scene's own, darkened enough to read).
QColor trackColour(int satellite);

class ChartPainter {
public:
    ChartPainter(const MonthChart& chart, bool flipEW);

    const MonthChart& chart() const { return chart_; }
    bool flipEW() const { return flipEW_; }

    // The area of the tracks; the day labels go in the left margin of that width.
    void setPlot(const QRectF& plot);
    const QRectF& plot() const { return plot_; }
    static constexpr double kLeftMargin = 62;    // logical units left of the plot: day and hour labels
    static constexpr double kHourColumn = 13;    // the hours' part of it, next to the plot
    static constexpr double kHalfWidthRadii = 28;   // Callisto reaches 26.4 RJ

    // Page position of an offset (RJ, west positive as the pass gives it) and of a UT instant, and back.
    double xOf(double radii) const;
    double yOf(UtSeconds ut) const;
    double radiiAt(double x) const;
    UtSeconds utAt(double y) const;

    // The plot and the day labels, only what lies in `exposed` (logical units).
    void paint(QPainter& p, const QRectF& exposed) const;
    // "OUEST" / "EST" over the plot and the scale in radii, within `band`.
    void paintHeader(QPainter& p, const QRectF& band) const;
    // The key of the signs, within `band` (one or two lines).
    void paintLegend(QPainter& p, const QRectF& band) const;

    // The satellite nearest a point of the plot, within `tolerance` units; -1 for none.
    int satelliteNear(double x, double y, double tolerance) const;

    // Fonts in logical units (pixels on screen, points on paper).
    static QFont font(int size, bool bold = false);

private:
    enum class Trait { Visible, Hidden, Transit };
    struct Change {
        UtSeconds t;
        Trait trait;
    };
    void paintTracks(QPainter& p, UtSeconds t0, UtSeconds t1) const;
    void paintDays(QPainter& p, const QRectF& exposed, UtSeconds t0, UtSeconds t1) const;

    const MonthChart& chart_;
    bool flipEW_;
    QRectF plot_;
    std::array<std::vector<Change>, 4> changes_;   // how each track is drawn from each instant on
};

} // namespace zeno
