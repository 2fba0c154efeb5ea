#include "safe_write.h"

#include <QSaveFile>

namespace zeno {

bool writeFileSafely(const QString& path, const std::function<bool(QIODevice&)>& fill, QString* error)
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
    if (!fill(f) || f.error() != QFileDevice::NoError || !f.flush() || f.error() != QFileDevice::NoError)
        return fail();
    if (!f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}

bool writeFileSafely(const QString& path, const QByteArray& data, QString* error)
{
    return writeFileSafely(path, [&data](QIODevice& d) { return d.write(data) == data.size(); }, error);
}

} // namespace zeno
