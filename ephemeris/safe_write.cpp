#include "safe_write.h"

#include <QCoreApplication>
#include <QSaveFile>

namespace zeno {

bool writeFileSafely(const QString& path, const QByteArray& data, QString* error)
{
    QSaveFile f(path);
    const auto fail = [&] {
        if (error)
            *error = f.errorString();
        f.cancelWriting();
        return false;
    };
    if (!f.open(QIODevice::WriteOnly))
        return fail();
    // QSaveFile buffers: a full disk may show only at the flush, and commit()
    // does not report a failure of the flush it makes itself.
    if (f.write(data) != data.size() || f.error() != QFileDevice::NoError || !f.flush()
        || f.error() != QFileDevice::NoError)
        return fail();
    if (!f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}

QString writeWhole(const QString& path, const QByteArray& bytes)
{
    QString why;
    if (writeFileSafely(path, bytes, &why))
        return {};
    return QCoreApplication::translate("Files", "Impossible d'écrire le fichier « %1 » : %2").arg(path, why);
}

} // namespace zeno
