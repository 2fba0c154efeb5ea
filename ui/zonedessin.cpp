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

void ZoneDessin::setImageFond(const QImage& image, const QString& cheminDouble)
{
    background_ = image.convertToFormat(QImage::Format_RGB32);
    background2xPath_ = cheminDouble;
    background2x_ = QImage();
    deviceBackground_ = QImage();   // rebuilt, drawings replayed, at the next use
    update();
}

void ZoneDessin::setCouleurFond(const QColor& colour)
{
    backgroundColour_ = colour;
    deviceBackground_ = QImage();
    update();
}

void ZoneDessin::setEchelle(double left, double top, double width, double height)
{
    scale_ = QRectF(left, top, width, height);
    userScale_ = true;
    deviceBackground_ = QImage();
    update();
}

void ZoneDessin::prepareImage()
{
    const qreal dpr = devicePixelRatioF();
    const QSize inner = contentsRect().size();
    const QSize deviceSize(qMax(1, qRound(inner.width() * dpr)), qMax(1, qRound(inner.height() * dpr)));
    if (deviceBackground_.isNull() || deviceBackground_.size() != deviceSize
        || deviceBackground_.devicePixelRatio() != dpr) {
        deviceBackground_ = QImage(deviceSize, QImage::Format_RGB32);
        deviceBackground_.setDevicePixelRatio(dpr);
        deviceBackground_.fill(backgroundColour_);
        // Above one device pixel per pixel, the picture drawn at twice the
        // resolution, when there is one, keeps the disk's limb sharp.
        // Read on the first need only: most screens never want it.
        if (dpr > 1.0 && background2x_.isNull() && !background2xPath_.isEmpty()) {
            const QImage lue(background2xPath_);
            if (lue.size() == 2 * background_.size()) {
                background2x_ = lue.convertToFormat(QImage::Format_RGB32);
                background2x_.setDevicePixelRatio(2.0);
            }
            background2xPath_.clear();   // one attempt
        }
        const QImage& fond = dpr > 1.0 && !background2x_.isNull() ? background2x_ : background_;
        if (!fond.isNull()) {
            QPainter p(&deviceBackground_);
            p.setRenderHint(QPainter::SmoothPixmapTransform, dpr != fond.devicePixelRatio());
            p.drawImage(QPointF(0, 0), fond);   // logical pixels: scaled by the ratio
        }
        image_ = QImage();
    }
    if (image_.isNull()) {
        image_ = deviceBackground_;   // shared until the first drawing
        for (const Cercle& c : std::as_const(circles_))
            paintCircle(c);
    }
}

void ZoneDessin::Cls()
{
    // Only the places of the removed circles need painting again.
    for (const Cercle& c : std::as_const(circles_))
        scheduleRepaint(c);
    circles_.clear();
    image_ = QImage();
}

void ZoneDessin::Circle(double x, double y, double radius, const QColor& outline)
{
    const Cercle c{x, y, radius, outline, fillColour_, fillStyle_};
    prepareImage();
    circles_.append(c);
    paintCircle(c);
    scheduleRepaint(c);
}

void ZoneDessin::scheduleRepaint(const Cercle& c)
{
    const QRectF e = userScale_ ? scale_ : QRectF(QPointF(0, 0), QSizeF(contentsRect().size()));
    const QRect inner = contentsRect();
    const double sx = inner.width() / e.width();
    const double sy = inner.height() / e.height();
    const double cx = (c.x - e.left()) * sx, cy = (c.y - e.top()) * sy, r = std::abs(c.rayon) * sx;
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(r))
        return;
    const QRectF area = QRectF(cx - r - 2, cy - r - 2, 2 * r + 4, 2 * r + 4).intersected(QRectF(QPointF(0, 0), QSizeF(inner.size())));
    const QRect visible = area.toAlignedRect().translated(inner.topLeft()).intersected(inner);
    if (!visible.isEmpty())
        update(visible);
}

// Pixels are set one by one, without antialiasing: a marker of about one
// pixel of radius keeps its exact colour and always shows as a dot.
void ZoneDessin::paintCircle(const Cercle& c)
{
    const QRectF e = userScale_ ? scale_ : QRectF(QPointF(0, 0), QSizeF(contentsRect().size()));
    if (e.width() == 0 || e.height() == 0)
        return;
    const double sx = image_.width() / e.width();
    const double sy = image_.height() / e.height();
    const double cx = (c.x - e.left()) * sx;
    const double cy = (c.y - e.top()) * sy;
    const double r = std::abs(c.rayon * sx);
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(r))
        return;

    const double outlineWidth = image_.devicePixelRatio();   // a one-pixel outline
    const double inner = r - outlineWidth;
    const QRgb outline = c.contour.rgb();
    const QRgb fill = c.remplissage.rgb();
    const bool solid = c.styleRemplissage == 0;
    const int w = image_.width(), h = image_.height();

    const double gx = std::clamp(std::floor(cx - r), -1.0, double(w));
    const double dx = std::clamp(std::ceil(cx + r), -1.0, double(w));
    const double hy = std::clamp(std::floor(cy - r), -1.0, double(h));
    const double by = std::clamp(std::ceil(cy + r), -1.0, double(h));
    const int x0 = std::max(0, int(gx)), x1 = std::min(w - 1, int(dx));
    const int y0 = std::max(0, int(hy)), y1 = std::min(h - 1, int(by));

    bool touched = false;
    for (int py = y0; py <= y1; ++py) {
        auto* row = reinterpret_cast<QRgb*>(image_.scanLine(py));
        const double ddy = py + 0.5 - cy;
        for (int px = x0; px <= x1; ++px) {
            const double ddx = px + 0.5 - cx;
            const double d2 = ddx * ddx + ddy * ddy;
            if (d2 > r * r)
                continue;
            touched = true;
            if (inner <= 0 || d2 > inner * inner)
                row[px] = outline;
            else if (solid)
                row[px] = fill;
        }
    }
    if (!touched) {
        // Smaller than a pixel and between pixel centres: the pixel under the centre.
        const double fx = std::floor(cx), fy = std::floor(cy);
        if (fx >= 0 && fx < w && fy >= 0 && fy < h)
            reinterpret_cast<QRgb*>(image_.scanLine(int(fy)))[int(fx)] = outline;
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
    deviceBackground_ = QImage();
}

void ZoneDessin::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QFrame::mousePressEvent(event);
}

void ZoneDessin::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QFrame::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}
