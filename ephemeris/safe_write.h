// Every file the program writes goes through here: written beside under a
// temporary name, every write, the flush and the device's error checked, and
// only then renamed over the old file. On any failure the old file is left
// as it was and the reason is given.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;

namespace zeno {

// `fill` writes into the open device (QPdfWriter, QSvgGenerator, QImage::save
// and QTextStream all take one) and returns false on its own failure.
bool writeFileSafely(const QString& path, const std::function<bool(QIODevice&)>& fill, QString* error);
bool writeFileSafely(const QString& path, const QByteArray& data, QString* error);

} // namespace zeno
