// A mutual event's predicted light curve: the pair's flux against UT, the
// first contact, the maximum and the last contact marked. The painting
// works on any QPaintDevice, so the window, a PNG and an SVG are one drawing.
#pragma once

#include "mutual_events.h"

#include <QLocale>
#include <QWidget>

#include <vector>

class QPainter;

class LightCurveView : public QWidget {
    Q_OBJECT
public:
    explicit LightCurveView(const QLocale& locale, QWidget* parent = nullptr);

    void setCurve(const zeno::MutualEvent& event, std::vector<zeno::LightPoint> curve);
    const std::vector<zeno::LightPoint>& curve() const { return curve_; }

    // Paints the curve into `area` of any device; fonts in pixels of that device.
    static void paint(QPainter& p, const QRectF& area, const zeno::MutualEvent& event,
                      const std::vector<zeno::LightPoint>& curve, const QLocale& locale);

    QSize sizeHint() const override { return {460, 240}; }
    QSize minimumSizeHint() const override { return {260, 160}; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QLocale locale_;
    zeno::MutualEvent event_;
    std::vector<zeno::LightPoint> curve_;
};
