#include "recording_reader.h"
#include "recording_formats.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zeno {

namespace {

constexpr qint64 kTicksPerSecond = 10'000'000;          // .NET ticks are 100 ns
constexpr qint64 kUnixEpochTicks = 621'355'968'000'000'000; // 1970-01-01 in ticks since 0001-01-01
constexpr int kSerLargestSide = 1 << 15;                 // pixels: no camera is wider
constexpr int kSerFirstFieldOffset = 14;                 // after "LUCAM-RECORDER"

template <typename T> T littleEndianAt(const char* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);   // the machine is little-endian, as the header's fields
    return v;
}

class SerReader final : public RecordingReader {
public:
    SerReader(const QString& path, const SerHeader& h) : file_(path), header_(h) {}

    QString open()
    {
        if (!file_.open(QIODevice::ReadOnly))
            return QCoreApplication::translate("Recording", "impossible de lire %1 : %2").arg(file_.fileName(), file_.errorString());
        const qint64 need = kSerHeaderBytes + header_.frameBytes() * header_.frames;
        if (file_.size() < need) {
            const qint64 whole = (file_.size() - kSerHeaderBytes) / header_.frameBytes();
            return QCoreApplication::translate("Recording", "fichier SER tronqué : l'en-tête annonce %1 images de %2 octets, le fichier n'en contient que %3")
                .arg(header_.frames).arg(header_.frameBytes()).arg(std::max<qint64>(whole, 0));
        }
        // The trailer: one UTC time stamp per frame, when the capture wrote it.
        if (file_.size() >= need + 8 * qint64(header_.frames)) {
            uchar* t = file_.map(need, 8 * qint64(header_.frames));
            if (t) {
                stamps_.resize(header_.frames);
                std::memcpy(stamps_.data(), t, stamps_.size() * 8);
                file_.unmap(t);
                // Stamps all zero or going back are no clock.
                bool usable = stamps_.front() > 0;
                for (size_t i = 1; usable && i < stamps_.size(); ++i)
                    usable = stamps_[i] >= stamps_[i - 1];
                if (!usable)
                    stamps_.clear();
            }
        }
        info_.format = RecordingFormat::Ser;
        info_.path = file_.fileName();
        info_.frames = header_.frames;
        info_.width = header_.width;
        info_.height = header_.height;
        info_.bitDepth = header_.depth;
        info_.saturation = std::ldexp(1.0, header_.depth) - 1;
        info_.timesFromFile = !stamps_.empty();
        info_.description = QCoreApplication::translate("Recording", "SER %1 bits, %2 × %3, %4 images, %5")
                                .arg(header_.depth).arg(header_.width).arg(header_.height).arg(header_.frames)
                                .arg(stamps_.empty() ? QCoreApplication::translate("Recording", "sans heure par image") : QCoreApplication::translate("Recording", "heures TU par image"));
        return {};
    }

    bool readRegion(int i, const QRect& r, std::vector<float>& out) override
    {
        if (!checkRegion(i, r))
            return false;
        const qint64 rowBytes = qint64(header_.width) * header_.planes() * header_.bytesPerSample();
        const qint64 offset = kSerHeaderBytes + header_.frameBytes() * i + rowBytes * r.top();
        const qint64 length = rowBytes * r.height();
        // The rows spanned, read as they come: the page cache holds the
        // file, the process only this region.
        buffer_.resize(length);
        if (!file_.seek(offset) || file_.read(buffer_.data(), length) != length) {
            error_ = QCoreApplication::translate("Recording", "image %1 illisible : %2").arg(i + 1).arg(file_.errorString());
            return false;
        }
        const uchar* map = reinterpret_cast<const uchar*>(buffer_.constData());
        out.resize(size_t(r.width()) * size_t(r.height()));
        const int planes = header_.planes();
        const float perPlane = 1.0f / float(planes);
        for (int y = 0; y < r.height(); ++y) {
            const uchar* row = map + rowBytes * y;
            float* o = out.data() + size_t(y) * size_t(r.width());
            if (header_.bytesPerSample() == 1) {
                const uchar* p = row + qint64(r.left()) * planes;
                if (planes == 1)
                    for (int x = 0; x < r.width(); ++x)
                        o[x] = p[x];
                else
                    for (int x = 0; x < r.width(); ++x, p += 3)
                        o[x] = (float(p[0]) + float(p[1]) + float(p[2])) * perPlane;
            } else {
                const uchar* p = row + qint64(r.left()) * planes * 2;
                for (int x = 0, k = 0; x < r.width(); ++x) {
                    float sum = 0;
                    for (int c = 0; c < planes; ++c, ++k) {
                        const uint16_t v = header_.littleEndian ? uint16_t(p[2 * k] | (p[2 * k + 1] << 8))
                                                                : uint16_t((p[2 * k] << 8) | p[2 * k + 1]);
                        sum += v;
                    }
                    o[x] = planes == 1 ? sum : sum * perPlane;
                }
            }
        }
        return true;
    }

protected:
    std::optional<double> fileTime(int i) const override
    {
        if (!stamps_.empty() && i >= 0 && i < int(stamps_.size()))
            return serTicksToUnixSeconds(stamps_[size_t(i)]);
        if (i == 0 && header_.dateTimeUtcTicks > 0)
            return serTicksToUnixSeconds(header_.dateTimeUtcTicks);
        return std::nullopt;
    }

private:
    QFile file_;
    SerHeader header_;
    std::vector<qint64> stamps_;
    QByteArray buffer_;
};

} // namespace

bool RecordingReader::checkRegion(int i, const QRect& r)
{
    if (i < 0 || i >= info_.frames) {
        error_ = QCoreApplication::translate("Recording", "l'image %1 n'existe pas (l'enregistrement en a %2)").arg(i + 1).arg(info_.frames);
        return false;
    }
    if (r.isEmpty() || r.left() < 0 || r.top() < 0 || r.right() >= info_.width || r.bottom() >= info_.height) {
        error_ = QCoreApplication::translate("Recording", "région hors de l'image");
        return false;
    }
    return true;
}

std::optional<double> RecordingReader::frameTime(int i) const
{
    const std::optional<double> fps = timing_.fps ? timing_.fps : fileFps_;
    if (timing_.startUt && fps && *fps > 0)
        return *timing_.startUt + i / *fps;
    const std::optional<double> t = fileTime(i);
    if (t && timing_.startUt)
        return *t - *fileTime(0) + *timing_.startUt;
    if (t)
        return t;
    if (fps && *fps > 0)
        if (const auto t0 = fileTime(0))
            return *t0 + i / *fps;
    return std::nullopt;
}

bool RecordingReader::readFrame(int i, Frame& frame)
{
    if (!readRegion(i, QRect(0, 0, info_.width, info_.height), frame.pixels))
        return false;
    frame.width = info_.width;
    frame.height = info_.height;
    return true;
}

double serTicksToUnixSeconds(qint64 ticks)
{
    return double(ticks - kUnixEpochTicks) / double(kTicksPerSecond);
}

qint64 unixSecondsToSerTicks(double seconds)
{
    return kUnixEpochTicks + qint64(std::llround(seconds * double(kTicksPerSecond)));
}

std::optional<SerHeader> parseSerHeader(const char* data, qint64 size, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (size < kSerHeaderBytes)
        return fail(QCoreApplication::translate("Recording", "fichier SER trop court : %1 octets, l'en-tête seul en fait %2").arg(size).arg(kSerHeaderBytes));
    if (std::memcmp(data, "LUCAM-RECORDER", kSerFirstFieldOffset) != 0)
        return fail(QCoreApplication::translate("Recording", "ce n'est pas un fichier SER (il doit commencer par « LUCAM-RECORDER »)"));
    const char* f = data + kSerFirstFieldOffset;
    SerHeader h;
    h.colorId = littleEndianAt<int32_t>(f + 4);
    // The format's description says 1 for little-endian 16-bit data, but the
    // first capture programs wrote 0 for it, and every reader since follows
    // them: 0 little-endian, anything else big-endian.
    h.littleEndian = littleEndianAt<int32_t>(f + 8) == 0;
    h.width = littleEndianAt<int32_t>(f + 12);
    h.height = littleEndianAt<int32_t>(f + 16);
    h.depth = littleEndianAt<int32_t>(f + 20);
    h.frames = littleEndianAt<int32_t>(f + 24);
    h.dateTimeUtcTicks = littleEndianAt<int64_t>(data + 170);
    const int c = h.colorId;
    if (!(c == 0 || (c >= 8 && c <= 11) || (c >= 16 && c <= 19) || c == 100 || c == 101))
        return fail(QCoreApplication::translate("Recording", "fichier SER : couleur %1 inconnue (0 mono, 8 à 19 matrice de Bayer, 100 RVB, 101 BVR)").arg(c));
    if (h.width <= 0 || h.height <= 0 || h.width > kSerLargestSide || h.height > kSerLargestSide)
        return fail(QCoreApplication::translate("Recording", "fichier SER : taille d'image %1 × %2 impossible").arg(h.width).arg(h.height));
    if (h.depth < 1 || h.depth > 16)
        return fail(QCoreApplication::translate("Recording", "fichier SER : %1 bits par pixel, attendu de 1 à 16").arg(h.depth));
    if (h.frames <= 0)
        return fail(QCoreApplication::translate("Recording", "fichier SER sans image (nombre d'images %1)").arg(h.frames));
    if (h.dateTimeUtcTicks < 0)
        h.dateTimeUtcTicks = 0;
    return h;
}

OpenedRecording openSer(const QString& path, const RecordingTiming& timing)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {nullptr, QCoreApplication::translate("Recording", "impossible de lire %1 : %2").arg(path, f.errorString())};
    const QByteArray head = f.read(kSerHeaderBytes);
    QString why;
    const auto h = parseSerHeader(head.constData(), head.size(), &why);
    if (!h)
        return {nullptr, QStringLiteral("%1 : %2").arg(QFileInfo(path).fileName(), why)};
    auto reader = std::make_unique<SerReader>(path, *h);
    why = reader->open();
    if (!why.isEmpty())
        return {nullptr, QStringLiteral("%1 : %2").arg(QFileInfo(path).fileName(), why)};
    RecordingOpener::setTiming(*reader, timing);
    return {std::move(reader), {}};
}

namespace {

bool isFitsName(const QString& name)
{
    const QString s = QFileInfo(name).suffix().toLower();
    return s == u"fits" || s == u"fit" || s == u"fts";
}

QStringList fitsFilesIn(const QString& folder)
{
    QDir d(folder);
    QStringList files;
    for (const QFileInfo& fi : d.entryInfoList(QDir::Files, QDir::Name))
        if (isFitsName(fi.fileName()))
            files << fi.filePath();
    return files;
}

} // namespace

bool isRecordingPath(const QString& path)
{
    const QFileInfo fi(path);
    if (fi.isDir())
        return !fitsFilesIn(path).isEmpty();
    const QString s = fi.suffix().toLower();
    static const QStringList videos = {u"ser"_qs, u"avi"_qs, u"mp4"_qs, u"mov"_qs, u"mkv"_qs, u"m4v"_qs, u"webm"_qs};
    return isFitsName(path) || videos.contains(s);
}

OpenedRecording openRecording(const QString& path, const RecordingTiming& timing)
{
    const QFileInfo fi(path);
    if (fi.isDir()) {
        const QStringList files = fitsFilesIn(path);
        if (files.isEmpty())
            return {nullptr, QCoreApplication::translate("Recording", "le dossier %1 ne contient aucun fichier FITS (.fits, .fit, .fts)").arg(path)};
        return openFitsSequence(files, timing);
    }
    if (!fi.exists())
        return {nullptr, QCoreApplication::translate("Recording", "le fichier %1 n'existe pas").arg(path)};
    if (fi.suffix().toLower() == u"ser")
        return openSer(path, timing);
    if (isFitsName(path))
        return openFitsCube(path, timing);
    return openVideo(path, timing);
}

QImage frameImage(const Frame& frame, double lowPercentile, double highPercentile)
{
    QImage img(frame.width, frame.height, QImage::Format_Grayscale8);
    if (frame.pixels.empty() || img.isNull())
        return img;
    // Percentiles on a sample of the pixels: the frame's look, not its every pixel.
    std::vector<float> sample;
    const size_t step = std::max<size_t>(1, frame.pixels.size() / 20000);
    for (size_t i = 0; i < frame.pixels.size(); i += step)
        sample.push_back(frame.pixels[i]);
    auto at = [&](double q) {
        const size_t k = std::min(sample.size() - 1, size_t(std::clamp(q, 0.0, 1.0) * double(sample.size() - 1)));
        std::nth_element(sample.begin(), sample.begin() + std::ptrdiff_t(k), sample.end());
        return sample[k];
    };
    const float lo = at(lowPercentile), hi = at(highPercentile);
    const float scale = hi > lo ? 255.0f / (hi - lo) : 0.0f;
    for (int y = 0; y < frame.height; ++y) {
        uchar* line = img.scanLine(y);
        for (int x = 0; x < frame.width; ++x)
            line[x] = uchar(std::clamp((frame.at(x, y) - lo) * scale, 0.0f, 255.0f));
    }
    return img;
}

} // namespace zeno
