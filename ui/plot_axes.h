// What the plots against UT share: a box mapping time and value to the
// painter's coordinates, round steps, and the axes with their grid.
#pragma once

#include <QLocale>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

struct PlotFrame {
    QRectF box;
    double t0, t1, y0, y1;   // UT seconds, values
    QPointF at(double t, double y) const
    {
        return {box.left() + (t - t0) / (t1 - t0) * box.width(), box.bottom() - (y - y0) / (y1 - y0) * box.height()};
    }
};

// A round step (1, 2 or 5 times a power of ten) giving about `count` ticks over `span`.
double niceStep(double span, int count);
// A round step of time (5 s to 4 h) giving at most 8 ticks over `spanS` seconds.
double timeStep(double spanS);
// The grid, the values on the left (room: 76 pixels), the UT under the box
// when timeLabels, the box and the value's title written upward.
void paintPlotAxes(QPainter& p, const PlotFrame& f, const QLocale& locale, bool timeLabels, const QString& yTitle);
