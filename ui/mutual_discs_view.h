// The two discs of a mutual event at its maximum, magnified: the occulting
// satellite over the target, or the eclipser's umbra and penumbra on it,
// with the path of the occulting disc (or the shadow's axis) from the first
// contact to the last. Oriented as the main window's picture (its
// east–west and north–south flips). Paints on any QPaintDevice.
#pragma once

#include "mutual_events.h"

#include <QLocale>
#include <QPointF>
#include <QWidget>

#include <vector>

class QPainter;

struct DiscsPicture {
    zeno::MutualEvent event;
    std::vector<QPointF> track;   // km in the target's plane, x east, y north: the occulter's centre, start to end
    bool flipEastWest = false;    // east at the left
    bool flipNorthSouth = false;  // north at the top
};

// The track of an event: `points` places of the occulting centre between its contacts.
std::vector<QPointF> discsTrack(const zeno::MutualEvent& event, int points = 40);

class MutualDiscsView : public QWidget {
    Q_OBJECT
public:
    explicit MutualDiscsView(const QLocale& locale, QWidget* parent = nullptr);

    void setEvent(const zeno::MutualEvent& event);
    // East at the left, north at the top, as the main window's flips say.
    void setFlips(bool eastWest, bool northSouth);
    const DiscsPicture& picture() const { return picture_; }

    static void paint(QPainter& p, const QRectF& area, const DiscsPicture& picture, const QLocale& locale);

    QSize sizeHint() const override { return {260, 240}; }
    QSize minimumSizeHint() const override { return {160, 160}; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QLocale locale_;
    DiscsPicture picture_;
    bool hasEvent_ = false;
};
