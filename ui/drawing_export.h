// Drawings written to files: a painting routine rendered as PNG or SVG
// bytes, and bytes written through a temporary file renamed only when every
// write, the flush and the device succeeded.
#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;
class QRectF;

using DrawingRoutine = std::function<void(QPainter&, const QRectF&)>;

// Empty when the drawing could not be produced.
QByteArray pngOf(QSize size, const DrawingRoutine& draw);
QByteArray svgOf(QSize size, const QString& title, const DrawingRoutine& draw);

// An empty text when written, else why not (nothing is left under `path`).
QString writeWhole(const QString& path, const QByteArray& bytes);
