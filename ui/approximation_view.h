// A mutual approximation drawn two ways: the apparent distance against time
// around the central instant (with an observed track and its fit when
// there is one), and the two satellites' tracks on the sky over the same
// time, oriented as the main window's picture (its east–west and
// north–south flips). Paints on any QPaintDevice.
#pragma once

#include "approximation_fit.h"
#include "approximations.h"

#include <QLocale>
#include <QWidget>

#include <optional>
#include <vector>

class QPainter;

struct ApproximationPicture {
    zeno::Approximation approximation;
    double halfWidthS = 1800;
    std::vector<zeno::SkyOffset> distance;   // the predicted relative track, for the distance
    std::vector<zeno::SkyPair> tracks;       // each satellite from Jupiter's centre, arcsec
    std::vector<zeno::TrackSample> observed; // an observed track, when reduced
    std::optional<zeno::ApproximationFit> fit;
    bool observedInPixels = false;           // the observed distances are not in arcsec: drawn on their own scale
    bool flipEastWest = false;
    bool flipNorthSouth = false;
};

// The picture of an approximation: its predicted distance and tracks sampled over the half-width.
ApproximationPicture approximationPicture(const zeno::Approximation& a, int samples = 161);

class ApproximationView : public QWidget {
    Q_OBJECT
public:
    enum Kind { Distance, Tracks };
    ApproximationView(Kind kind, const QLocale& locale, QWidget* parent = nullptr);

    void setPicture(const ApproximationPicture& picture);
    const ApproximationPicture& picture() const { return picture_; }
    void setFlips(bool eastWest, bool northSouth);

    static void paintDistance(QPainter& p, const QRectF& area, const ApproximationPicture& picture, const QLocale& locale);
    static void paintTracks(QPainter& p, const QRectF& area, const ApproximationPicture& picture, const QLocale& locale);

    QSize sizeHint() const override { return {kind_ == Distance ? 420 : 260, 240}; }
    QSize minimumSizeHint() const override { return {200, 160}; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    Kind kind_;
    QLocale locale_;
    ApproximationPicture picture_;
    bool has_ = false;
};
