// Every file the program writes goes through here: written beside under a
// temporary name, every write, the flush and the device's error checked, and
// only then renamed over the old file. On any failure the old file is left
// as it was and the reason is given.
#pragma once

#include <QByteArray>
#include <QString>

namespace zeno {

// False, with the device's reason in *error, when the file could not be written.
bool writeFileSafely(const QString& path, const QByteArray& data, QString* error);

// The same for the windows and the companion: an empty text on success, else
// the French message naming the file.
QString writeWhole(const QString& path, const QByteArray& bytes);

} // namespace zeno
