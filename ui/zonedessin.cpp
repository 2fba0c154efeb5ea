#include "zonedessin.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

ZoneDessin::ZoneDessin(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ZoneDessin::setImageFond(const QImage& image)
{
    fond_ = image.convertToFormat(QImage::Format_RGB32);
    fondDevice_ = QImage();   // rebuilt, drawings replayed, at the next use
    update();
}

void ZoneDessin::setCouleurFond(const QColor& couleur)
{
    couleurFond_ = couleur;
    fondDevice_ = QImage();
    update();
}

void ZoneDessin::setEchelle(double gauche, double haut, double largeur, double hauteur)
{
    echelle_ = QRectF(gauche, haut, largeur, hauteur);
    echelleUtilisateur_ = true;
    fondDevice_ = QImage();
    update();
}

void ZoneDessin::prepareImage()
{
    const qreal dpr = devicePixelRatioF();
    const QSize interieur = contentsRect().size();
    const QSize taille(qMax(1, qRound(interieur.width() * dpr)), qMax(1, qRound(interieur.height() * dpr)));
    if (fondDevice_.isNull() || fondDevice_.size() != taille || fondDevice_.devicePixelRatio() != dpr) {
        fondDevice_ = QImage(taille, QImage::Format_RGB32);
        fondDevice_.setDevicePixelRatio(dpr);
        fondDevice_.fill(couleurFond_);
        if (!fond_.isNull()) {
            QPainter p(&fondDevice_);
            p.setRenderHint(QPainter::SmoothPixmapTransform, dpr != 1.0);
            p.drawImage(QPointF(0, 0), fond_);   // logical pixels: scaled by the ratio
        }
        image_ = QImage();
    }
    if (image_.isNull()) {
        image_ = fondDevice_;   // shared until the first drawing
        for (const Cercle& c : std::as_const(cercles_))
            peintCercle(c);
    }
}

void ZoneDessin::Cls()
{
    // Only the places of the removed circles need painting again.
    for (const Cercle& c : std::as_const(cercles_))
        metAJour(c);
    cercles_.clear();
    image_ = QImage();
}

void ZoneDessin::Circle(double x, double y, double rayon, const QColor& contour)
{
    const Cercle c{x, y, rayon, contour, couleurRemplissage_, styleRemplissage_};
    prepareImage();
    cercles_.append(c);
    peintCercle(c);
    metAJour(c);
}

void ZoneDessin::metAJour(const Cercle& c)
{
    const QRectF e = echelleUtilisateur_ ? echelle_ : QRectF(QPointF(0, 0), QSizeF(contentsRect().size()));
    const QRect interieur = contentsRect();
    const double sx = interieur.width() / e.width();
    const double sy = interieur.height() / e.height();
    const double cx = (c.x - e.left()) * sx, cy = (c.y - e.top()) * sy, r = std::abs(c.rayon) * sx;
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(r))
        return;
    const QRectF zone = QRectF(cx - r - 2, cy - r - 2, 2 * r + 4, 2 * r + 4).intersected(QRectF(QPointF(0, 0), QSizeF(interieur.size())));
    const QRect visible = zone.toAlignedRect().translated(interieur.topLeft()).intersected(interieur);
    if (!visible.isEmpty())
        update(visible);
}

// Pixels are set one by one, without antialiasing: a marker of about one
// pixel of radius keeps its exact colour and always shows as a dot.
void ZoneDessin::peintCercle(const Cercle& c)
{
    const QRectF e = echelleUtilisateur_ ? echelle_ : QRectF(QPointF(0, 0), QSizeF(contentsRect().size()));
    if (e.width() == 0 || e.height() == 0)
        return;
    const double sx = image_.width() / e.width();
    const double sy = image_.height() / e.height();
    const double cx = (c.x - e.left()) * sx;
    const double cy = (c.y - e.top()) * sy;
    const double r = std::abs(c.rayon * sx);
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(r))
        return;

    const double epaisseur = image_.devicePixelRatio();   // a one-pixel outline
    const double interieur = r - epaisseur;
    const QRgb contour = c.contour.rgb();
    const QRgb remplissage = c.remplissage.rgb();
    const bool plein = c.styleRemplissage == 0;
    const int w = image_.width(), h = image_.height();

    const double gx = std::clamp(std::floor(cx - r), -1.0, double(w));
    const double dx = std::clamp(std::ceil(cx + r), -1.0, double(w));
    const double hy = std::clamp(std::floor(cy - r), -1.0, double(h));
    const double by = std::clamp(std::ceil(cy + r), -1.0, double(h));
    const int x0 = std::max(0, int(gx)), x1 = std::min(w - 1, int(dx));
    const int y0 = std::max(0, int(hy)), y1 = std::min(h - 1, int(by));

    bool touche = false;
    for (int py = y0; py <= y1; ++py) {
        auto* ligne = reinterpret_cast<QRgb*>(image_.scanLine(py));
        const double ddy = py + 0.5 - cy;
        for (int px = x0; px <= x1; ++px) {
            const double ddx = px + 0.5 - cx;
            const double d2 = ddx * ddx + ddy * ddy;
            if (d2 > r * r)
                continue;
            touche = true;
            if (interieur <= 0 || d2 > interieur * interieur)
                ligne[px] = contour;
            else if (plein)
                ligne[px] = remplissage;
        }
    }
    if (!touche) {
        // Smaller than a pixel and between pixel centres: the pixel under the centre.
        const double fx = std::floor(cx), fy = std::floor(cy);
        if (fx >= 0 && fx < w && fy >= 0 && fy < h)
            reinterpret_cast<QRgb*>(image_.scanLine(int(fy)))[int(fx)] = contour;
    }
}

QImage ZoneDessin::image()
{
    prepareImage();
    return image_;
}

void ZoneDessin::paintEvent(QPaintEvent* event)
{
    prepareImage();
    {
        QPainter p(this);
        p.setClipRegion(event->region());
        p.drawImage(contentsRect().topLeft(), image_);
    }
    QFrame::paintEvent(event);   // the sunken border, over the picture's edges
}

void ZoneDessin::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    fondDevice_ = QImage();
}

void ZoneDessin::mousePressEvent(QMouseEvent* event)
{
    pressee_ = event->button() == Qt::LeftButton;
    QFrame::mousePressEvent(event);
}

void ZoneDessin::mouseReleaseEvent(QMouseEvent* event)
{
    const bool clic = pressee_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressee_ = false;
    QFrame::mouseReleaseEvent(event);
    if (clic)
        emit clicked();
}
