#include "drawing_export.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

namespace {

constexpr int kSvgDotsPerInch = 96;   // CSS pixels: the SVG's size in millimetres

} // namespace

QByteArray pngOf(QSize size, const DrawingRoutine& draw)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        draw(p, QRectF(QPointF(0, 0), size));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

QByteArray svgOf(QSize size, const QString& title, const DrawingRoutine& draw)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setResolution(kSvgDotsPerInch);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(title);
    svg.setDescription(QStringLiteral("Zenolune"));
    {
        QPainter p(&svg);
        if (!p.isActive())
            return {};
        draw(p, QRectF(QPointF(0, 0), size));
    }
    return bytes;
}
