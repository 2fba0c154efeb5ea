// The measurement of a recording as the reduction window shows it: a frame
// with Jupiter, the satellites named and the apertures with their
// background annuli, a slider over the frames (each read when asked for),
// and under it the pair's and the comparison's fluxes and their ratio
// against UT, the frame shown marked.
#pragma once

#include "measurement.h"

#include <QImage>
#include <QLocale>
#include <QWidget>

#include <memory>

class QLabel;
class QSlider;
class QTimer;

class RecordingFrameView;
class MeasuredCurvesPlot;

class RecordingView : public QWidget {
    Q_OBJECT
public:
    explicit RecordingView(const QLocale& locale, QWidget* parent = nullptr);
    // The recording shown, read on this widget's thread (not owned; null: none).
    void setReader(zeno::RecordingReader* reader);
    // The naming, then the measurement: the names, the apertures and the curves.
    void setMeasurement(std::shared_ptr<const zeno::CurveMeasurement> m);
    int currentFrame() const;
    void showFrame(int frame);
    QSlider* slider() const { return slider_; }

signals:
    void frameShown(int frame);

private:
    void readFrame();

    QLocale locale_;
    zeno::RecordingReader* reader_ = nullptr;
    std::shared_ptr<const zeno::CurveMeasurement> measurement_;
    RecordingFrameView* image_;
    MeasuredCurvesPlot* curves_;
    QSlider* slider_;
    QLabel* label_;
    QTimer* pending_;   // the slider's moves read only the last frame asked for
};
