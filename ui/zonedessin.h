// A picture area: a background picture drawn from the top-left corner, user
// coordinates, and drawings that persist in an offscreen image until cleared.
#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QList>
#include <QRectF>

class ZoneDessin : public QFrame {
    Q_OBJECT
public:
    // One circle as it was asked for, in user coordinates.
    struct Cercle {
        double x = 0, y = 0, rayon = 0;
        QColor contour;
        QColor remplissage;
        int styleRemplissage = 1;
    };

    explicit ZoneDessin(QWidget* parent = nullptr);

    // The picture shown under the drawings, from the top-left corner of the
    // area; optionally the file of the same at twice the resolution, read
    // when a screen of more than one device pixel per pixel shows the area.
    void setImageFond(const QImage& image, const QString& cheminDouble = QString());
    void setCouleurFond(const QColor& colour);

    // User coordinates: left and top edges, width and height of the inner area
    // (y grows downwards). Without a call, one unit is one pixel.
    void setEchelle(double left, double top, double width, double height);
    QRectF echelle() const { return scale_; }

    // 0 = solid, 1 = transparent (only the outline is drawn).
    void setFillStyle(int style) { fillStyle_ = style; }
    int fillStyle() const { return fillStyle_; }
    void setFillColor(const QColor& colour) { fillColour_ = colour; }
    QColor fillColor() const { return fillColour_; }

    // A full circle at (x, y) with a radius in horizontal user units; filled
    // with the fill colour when the fill style is 0. A circle smaller than a
    // pixel still shows as one pixel.
    void Circle(double x, double y, double radius, const QColor& outline);
    // Removes every drawing; the background picture stays.
    void Cls();

    // The circles drawn since the last Cls, in drawing order.
    const QList<Cercle>& cercles() const { return circles_; }
    // Background and drawings as they stand, at the device pixel ratio.
    QImage image();
    // The rectangle inside the border, in widget coordinates.
    QRect zoneInterieure() const { return contentsRect(); }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void prepareImage();
    void paintCircle(const Cercle& c);
    void scheduleRepaint(const Cercle& c);   // the circle's place is painted anew

    QImage background_;
    QImage background2x_;       // device pixel ratio 2, or null
    QString background2xPath_;  // where to read it, until read
    QColor backgroundColour_ = Qt::black;
    QRectF scale_;
    bool userScale_ = false;
    int fillStyle_ = 1;
    QColor fillColour_ = Qt::black;
    QList<Cercle> circles_;
    QImage deviceBackground_;   // background alone, device pixels
    QImage image_;              // background + drawings, device pixels
    bool pressed_ = false;
};
