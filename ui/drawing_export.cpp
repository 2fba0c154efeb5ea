#include "drawing_export.h"

#include "safe_write.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
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

QString writeDrawing(const QString& path, QSize size, const QString& title, const DrawingRoutine& draw,
                     const std::function<QString()>& csv)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    QByteArray bytes;
    if (suffix == u"csv" && csv)
        bytes = csv().toUtf8();
    else if (suffix == u"png")
        bytes = pngOf(size, draw);
    else if (suffix == u"svg")
        bytes = svgOf(size, title, draw);
    else
        return csv ? QCoreApplication::translate("DrawingExport", "Le nom « %1 » doit finir par .png, .svg ou .csv.").arg(path)
                   : QCoreApplication::translate("DrawingExport", "Le nom « %1 » doit finir par .png ou .svg.").arg(path);
    // Written whole or not at all (a temporary file renamed at the end).
    return bytes.isEmpty() ? QCoreApplication::translate("DrawingExport", "Le dessin n'a pas pu être produit pour « %1 ».").arg(path)
                           : zeno::writeWhole(path, bytes);
}
