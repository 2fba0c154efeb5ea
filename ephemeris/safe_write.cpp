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
    // Unbuffered, written until the system refuses: a disk filling up first
    // takes part of a write without a reason, and only the next write says
    // why ("No space left on device"), where a buffered flush said "Unknown error".
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail();
    for (qint64 done = 0; done < data.size();) {
        const qint64 n = f.write(data.constData() + done, data.size() - done);
        if (n <= 0 || f.error() != QFileDevice::NoError)
            return fail();
        done += n;
    }
    if (!f.flush() || f.error() != QFileDevice::NoError)
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
