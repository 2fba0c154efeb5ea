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

    // The picture shown under the drawings, from the top-left corner of the area.
    void setImageFond(const QImage& image);
    void setCouleurFond(const QColor& couleur);

    // User coordinates: left and top edges, width and height of the inner area
    // (y grows downwards). Without a call, one unit is one pixel.
    void setEchelle(double gauche, double haut, double largeur, double hauteur);
    QRectF echelle() const { return echelle_; }

    // 0 = solid, 1 = transparent (only the outline is drawn).
    void setFillStyle(int style) { styleRemplissage_ = style; }
    int fillStyle() const { return styleRemplissage_; }
    void setFillColor(const QColor& couleur) { couleurRemplissage_ = couleur; }
    QColor fillColor() const { return couleurRemplissage_; }

    // A full circle at (x, y) with a radius in horizontal user units; filled
    // with the fill colour when the fill style is 0. A circle smaller than a
    // pixel still shows as one pixel.
    void Circle(double x, double y, double rayon, const QColor& contour);
    // Removes every drawing; the background picture stays.
    void Cls();

    // The circles drawn since the last Cls, in drawing order.
    const QList<Cercle>& cercles() const { return cercles_; }
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
    void peintCercle(const Cercle& c);
    void metAJour(const Cercle& c);   // schedules the painting of its place

    QImage fond_;
    QColor couleurFond_ = Qt::black;
    QRectF echelle_;
    bool echelleUtilisateur_ = false;
    int styleRemplissage_ = 1;
    QColor couleurRemplissage_ = Qt::black;
    QList<Cercle> cercles_;
    QImage fondDevice_;     // background alone, device pixels
    QImage image_;          // background + drawings, device pixels
    bool pressee_ = false;
};
