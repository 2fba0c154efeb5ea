// Inside the recording library: one opener per format, and the timing the
// caller gives set on a reader once it is open.
#pragma once

#include "recording_reader.h"

namespace zeno {

OpenedRecording openSer(const QString& path, const RecordingTiming& timing);
OpenedRecording openFitsCube(const QString& path, const RecordingTiming& timing);
OpenedRecording openVideo(const QString& path, const RecordingTiming& timing);

struct RecordingOpener {
    static void setTiming(RecordingReader& r, const RecordingTiming& t) { r.timing_ = t; }

    // A reader of type R opened by its open(source), which returns an error text.
    template <typename R, typename Source>
    static OpenedRecording open(const Source& source, const RecordingTiming& timing)
    {
        auto reader = std::make_unique<R>();
        if (QString e = reader->open(source); !e.isEmpty())
            return {nullptr, e};
        setTiming(*reader, timing);
        return {std::move(reader), {}};
    }
};

} // namespace zeno
