// An observer's recording of an event, read frame by frame whatever its
// format: SER (the planetary cameras' own, with the per-frame UTC stamps of
// its trailer when present), FITS cubes (NAXIS3) and FITS sequences (one file
// per frame, DATE-OBS and EXPTIME: the middle of the exposure) through
// cfitsio, AVI/MP4 and other videos through FFmpeg's libraries. A frame is
// never read before it is asked for (of a SER only the rows of the region
// asked for); no recording is held whole in memory.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class QImage;

namespace zeno {

enum class RecordingFormat { Ser, FitsCube, FitsSequence, Video };

struct RecordingInfo {
    RecordingFormat format = RecordingFormat::Ser;
    QString path;              // the file, or the sequence's first file
    int frames = 0;
    int width = 0, height = 0;
    int bitDepth = 0;          // bits per sample as recorded (8, 16; 32 or 64 for floating FITS)
    double saturation = 0;     // the value a saturated pixel reaches in readRegion's units; 0: unknown
    bool timesFromFile = false; // frameTime comes from the file (SER trailer, DATE-OBS)
    double fileFps = 0;         // the frame rate the file states (a video's container), 0: none
    QString description;       // one French line: "SER 16 bits, 640 × 480, 2 000 images, heures TU par image"
};

// The time of the frames when the file does not give it, or to correct it:
// start is the UT of frame 0 (seconds since 1970), fps the frames per second.
struct RecordingTiming {
    std::optional<double> startUt;
    std::optional<double> fps;
};

// A grey frame (or a region of one): row-major floats, width × height.
struct Frame {
    int width = 0, height = 0;
    std::vector<float> pixels;
    float at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

class RecordingReader {
public:
    virtual ~RecordingReader() = default;
    const RecordingInfo& info() const { return info_; }
    // UT seconds since 1970 of frame i (mid-exposure where the file says),
    // from the timing given at opening when set; nullopt when unknown.
    std::optional<double> frameTime(int i) const;
    // The pixels of `region` (inside the frame) of frame i as grey floats
    // (colour planes averaged, Bayer mosaics read as they are), into out
    // (region.width() × region.height(), resized). False on a fault: error() says it.
    virtual bool readRegion(int i, const QRect& region, std::vector<float>& out) = 0;
    // The whole frame i.
    bool readFrame(int i, Frame& frame);
    QString error() const { return error_; }

protected:
    // UT of frame i as the file gives it; nullopt when it does not.
    virtual std::optional<double> fileTime(int i) const = 0;
    // False with error_ set when frame i or the region is outside the recording.
    bool checkRegion(int i, const QRect& region);
    RecordingInfo info_;
    std::optional<double> fileFps_;   // the frame rate the file gives (videos)
    RecordingTiming timing_;
    QString error_;
    friend struct RecordingOpener;
};

struct OpenedRecording {
    std::unique_ptr<RecordingReader> reader;   // null when error is set
    QString error;                             // French, names the file and the fault
};

// Opens a recording from its name: .ser, .fits/.fit/.fts (a cube, or a
// folder of them: a sequence in name order), anything else as a video.
OpenedRecording openRecording(const QString& path, const RecordingTiming& timing = {});
// A FITS sequence from a list of files (one frame each, in that order).
OpenedRecording openFitsSequence(const QStringList& files, const RecordingTiming& timing = {});
// Whether a path is a recording rather than a light-curve file (by its name
// or, for a folder, whether it holds FITS files).
bool isRecordingPath(const QString& path);

// A frame for display: grey 8 bits, stretched between low and high
// percentiles (0..1) of its pixels.
QImage frameImage(const Frame& frame, double lowPercentile = 0.01, double highPercentile = 0.999);

// The 178-byte SER header, exposed for the fuzzer and the tests.
struct SerHeader {
    int colorId = 0;            // 0 mono, 8..19 Bayer and CMY mosaics, 100 RGB, 101 BGR
    bool littleEndian = true;
    int width = 0, height = 0, depth = 0, frames = 0;
    qint64 dateTimeUtcTicks = 0;  // .NET ticks (100 ns since 0001-01-01), 0 when unset
    int planes() const { return colorId >= 100 ? 3 : 1; }
    int bytesPerSample() const { return depth > 8 ? 2 : 1; }
    qint64 frameBytes() const { return qint64(width) * height * planes() * bytesPerSample(); }
};
constexpr int kSerHeaderBytes = 178;
// nullopt with *error set (French) when the bytes are not a usable SER header.
std::optional<SerHeader> parseSerHeader(const char* data, qint64 size, QString* error);
// UT seconds since 1970 of a .NET tick count.
double serTicksToUnixSeconds(qint64 ticks);
qint64 unixSecondsToSerTicks(double seconds);

} // namespace zeno
