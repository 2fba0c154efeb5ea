// The plot of a reduced light curve: the observed points, the fitted curve
// and the prediction (on the fitted baseline) against UT, the residuals
// below. One painting routine serves the window and the PNG/SVG exports.
#pragma once

#include "light_curve_fit.h"

#include <QLocale>
#include <QWidget>

class QPainter;

struct ReductionPlotData {
    zeno::MutualEvent event;
    std::vector<zeno::ObservedPoint> points;   // the file's points (those outside the window are not drawn)
    zeno::CurveFit fit;                        // fit.points == 0: no fit to draw
    bool hasEvent = false;
    std::vector<double> fitted;                // the fit at each point (ReductionPlot::setData fills it)
};

// Paints into `area` of any device (widget, QImage, QSvgGenerator).
void paintReductionPlot(QPainter& p, const QRectF& area, const ReductionPlotData& d, const QLocale& locale);

class ReductionPlot : public QWidget {
    Q_OBJECT
public:
    explicit ReductionPlot(const QLocale& locale, QWidget* parent = nullptr);
    void setData(ReductionPlotData data);
    const ReductionPlotData& data() const { return data_; }
    QSize sizeHint() const override { return {720, 460}; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    ReductionPlotData data_;
    QLocale locale_;
};
