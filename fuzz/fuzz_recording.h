// What the recording fuzz targets share: the input written as a file of the
// given suffix (the readers open files), opened, its first and last frames
// read and their times checked. Whatever the bytes: an error text, or a
// reader whose frames are read or refused with a reason, and finite times.
#pragma once

#include "fuzz_commun.h"
#include "recording_reader.h"

#include <QDir>
#include <QFile>

#include <cmath>
#include <unistd.h>

namespace fuzz {

inline void openAndRead(const std::uint8_t* data, std::size_t size, const char* suffix)
{
    const QString path = QDir::temp().filePath(QStringLiteral("zenolune_fuzz_%1.%2").arg(getpid()).arg(QLatin1String(suffix)));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(std::min<std::size_t>(size, 200)));
    zeno::OpenedRecording r = zeno::openRecording(path);
    if (!r.reader) {
        if (r.error.isEmpty())
            echec("no reader and no reason", text);
        return;
    }
    const zeno::RecordingInfo& info = r.reader->info();
    if (info.frames <= 0 || info.width <= 0 || info.height <= 0)
        echec("a reader of an empty recording", text);
    zeno::Frame frame;
    for (const int i : {0, info.frames - 1}) {
        if (!r.reader->readFrame(i, frame) && r.reader->error().isEmpty())
            echec("a frame refused without a reason", text);
        if (const auto t = r.reader->frameTime(i); t && !std::isfinite(*t))
            echec("a frame time that is not a number", text);
    }
    if (r.reader->readFrame(info.frames, frame))
        echec("a frame read past the end", text);
}

} // namespace fuzz
