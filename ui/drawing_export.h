// A painting routine rendered as PNG or SVG bytes, for the files the
// windows export (written whole by zeno::writeWhole, safe_write.h).
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

// Written whole by the name's suffix: ".png", ".svg", or ".csv" when `csv`
// gives the table. Empty when done, else the fault (French).
QString writeDrawing(const QString& path, QSize size, const QString& title, const DrawingRoutine& draw,
                     const std::function<QString()>& csv = {});
