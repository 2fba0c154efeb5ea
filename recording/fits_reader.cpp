// FITS recordings through cfitsio: a cube (NAXIS3 frames in the primary
// image) or a sequence of files of one frame each. The time of a frame is
// the middle of its exposure: DATE-AVG or DATE-MID when given, else
// DATE-OBS (the start, with TIME-OBS or UT when DATE-OBS has no time) plus
// half of EXPTIME (or EXPOSURE). A cube's later frames follow at the frame
// rate given by the user, else back to back at EXPTIME.
#include "recording_formats.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <fitsio.h>

#include <cmath>
#include <optional>

namespace zeno {

namespace {

constexpr double kUnixEpochJD = 2440587.5;
constexpr double kSecondsPerDay = 86400;

QString fitsMessage(int status)
{
    char text[FLEN_STATUS] = {};
    fits_get_errstatus(status, text);
    fits_clear_errmsg();
    return QString::fromLatin1(text);
}

std::optional<QString> stringKey(fitsfile* f, const char* key)
{
    char value[FLEN_VALUE] = {};
    int status = 0;
    if (fits_read_key(f, TSTRING, key, value, nullptr, &status) != 0) {
        fits_clear_errmsg();
        return std::nullopt;
    }
    return QString::fromLatin1(value).trimmed();
}

std::optional<double> numberKey(fitsfile* f, const char* key)
{
    double v = 0;
    int status = 0;
    if (fits_read_key(f, TDOUBLE, key, &v, nullptr, &status) != 0 || !std::isfinite(v)) {
        fits_clear_errmsg();
        return std::nullopt;
    }
    return v;
}

// Seconds since 1970 of a FITS date-time text ("yyyy-mm-ddThh:mm:ss.sss",
// "yyyy-mm-dd", or the old "dd/mm/yy"); a time-of-day text added when given.
std::optional<double> fitsDateSeconds(const QString& date, const std::optional<QString>& timeOfDay)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, status = 0;
    double second = 0;
    QByteArray text = date.toLatin1();
    if (fits_str2time(text.data(), &year, &month, &day, &hour, &minute, &second, &status) != 0) {
        fits_clear_errmsg();
        return std::nullopt;
    }
    if (!date.contains(u'T') && timeOfDay) {
        QByteArray t = ("2000-01-01T" + *timeOfDay).toLatin1();
        int y2 = 0, m2 = 0, d2 = 0;
        if (fits_str2time(t.data(), &y2, &m2, &d2, &hour, &minute, &second, &status) != 0) {
            fits_clear_errmsg();
            return std::nullopt;
        }
    }
    // The civil calendar's day number (proleptic Gregorian), from 1970-01-01.
    const int a = (14 - month) / 12, y = year + 4800 - a, m = month + 12 * a - 3;
    const long jdn = day + (153 * m + 2) / 5 + 365L * y + y / 4 - y / 100 + y / 400 - 32045;
    const double jd = double(jdn) - 0.5;
    return (jd - kUnixEpochJD) * kSecondsPerDay + hour * 3600.0 + minute * 60.0 + second;
}

// The middle of the exposure a header gives, seconds since 1970.
std::optional<double> midExposure(fitsfile* f)
{
    const auto timeOfDay = [&] {
        auto t = stringKey(f, "TIME-OBS");
        return t ? t : stringKey(f, "UT");
    }();
    for (const char* key : {"DATE-AVG", "DATE-MID"})
        if (const auto d = stringKey(f, key))
            if (const auto t = fitsDateSeconds(*d, timeOfDay))
                return t;
    const auto start = stringKey(f, "DATE-OBS");
    if (!start)
        return std::nullopt;
    const auto t = fitsDateSeconds(*start, timeOfDay);
    if (!t)
        return std::nullopt;
    auto exposure = numberKey(f, "EXPTIME");
    if (!exposure)
        exposure = numberKey(f, "EXPOSURE");
    return *t + (exposure && *exposure > 0 ? *exposure / 2 : 0);
}

struct FitsFile {
    fitsfile* f = nullptr;
    ~FitsFile()
    {
        int status = 0;
        if (f)
            fits_close_file(f, &status);
        fits_clear_errmsg();
    }
};

struct ImageShape {
    int width = 0, height = 0, frames = 0, bitpix = 0;
    double saturation = 0;
};

// Opens a file and reads its image's shape; an error text on a fault.
QString openImage(const QString& path, FitsFile& file, ImageShape& shape)
{
    int status = 0;
    const QByteArray name = QFile::encodeName(path);
    if (fits_open_diskfile(&file.f, name.constData(), READONLY, &status) != 0) {
        file.f = nullptr;
        return QCoreApplication::translate("Recording", "%1 : fichier FITS illisible (%2)").arg(QFileInfo(path).fileName(), fitsMessage(status));
    }
    int naxis = 0, bitpix = 0;
    long axes[3] = {0, 0, 1};
    if (fits_get_img_param(file.f, 3, &bitpix, &naxis, axes, &status) != 0)
        return QCoreApplication::translate("Recording", "%1 : en-tête FITS illisible (%2)").arg(QFileInfo(path).fileName(), fitsMessage(status));
    if (naxis < 2 || naxis > 3 || axes[0] <= 0 || axes[1] <= 0 || axes[2] <= 0 || axes[0] > (1 << 15)
        || axes[1] > (1 << 15) || axes[2] > (1 << 30))
        return QCoreApplication::translate("Recording", "%1 : le FITS n'est pas une image ni un cube d'images (NAXIS %2)").arg(QFileInfo(path).fileName()).arg(naxis);
    shape.width = int(axes[0]);
    shape.height = int(axes[1]);
    shape.frames = naxis == 3 ? int(axes[2]) : 1;
    shape.bitpix = bitpix;
    const double zero = numberKey(file.f, "BZERO").value_or(0);
    if (const auto s = numberKey(file.f, "SATURATE"))
        shape.saturation = *s;
    else if (bitpix == BYTE_IMG)
        shape.saturation = 255;
    else if (bitpix == SHORT_IMG)
        shape.saturation = zero >= 32768 ? 65535 : 32767;
    else if (bitpix == LONG_IMG)
        shape.saturation = zero >= 2147483648.0 ? 4294967295.0 : 2147483647.0;
    return {};
}

bool readSubset(fitsfile* f, int plane, const QRect& r, std::vector<float>& out, QString& error)
{
    long first[3] = {r.left() + 1, r.top() + 1, plane + 1};
    long last[3] = {r.right() + 1, r.bottom() + 1, plane + 1};
    long step[3] = {1, 1, 1};
    out.resize(size_t(r.width()) * size_t(r.height()));
    float nul = 0;
    int anyNull = 0, status = 0;
    if (fits_read_subset(f, TFLOAT, first, last, step, &nul, out.data(), &anyNull, &status) != 0) {
        error = QCoreApplication::translate("Recording", "image %1 illisible (%2)").arg(plane + 1).arg(fitsMessage(status));
        return false;
    }
    return true;
}

void describe(RecordingInfo& info, const ImageShape& s, const QString& kind, bool timed)
{
    info.width = s.width;
    info.height = s.height;
    info.bitDepth = std::abs(s.bitpix);
    info.saturation = s.saturation;
    info.timesFromFile = timed;
    info.description = QCoreApplication::translate("Recording", "%1, %2 × %3, %4 images, %5")
                           .arg(kind).arg(s.width).arg(s.height).arg(info.frames)
                           .arg(timed ? QCoreApplication::translate("Recording", "heures TU de l'en-tête") : QCoreApplication::translate("Recording", "sans heure (DATE-OBS)"));
}

class FitsCubeReader final : public RecordingReader {
public:
    QString open(const QString& path)
    {
        ImageShape s;
        if (QString e = openImage(path, file_, s); !e.isEmpty())
            return e;
        start_ = midExposure(file_.f);
        const auto exposure = numberKey(file_.f, "EXPTIME");
        if (exposure && *exposure > 0)
            fileFps_ = 1 / *exposure;
        info_.format = RecordingFormat::FitsCube;
        info_.path = path;
        info_.frames = s.frames;
        describe(info_, s, QCoreApplication::translate("Recording", "cube FITS"), start_.has_value());
        return {};
    }

    bool readRegion(int i, const QRect& r, std::vector<float>& out) override
    {
        return checkRegion(i, r) && readSubset(file_.f, i, r, out, error_);
    }

protected:
    std::optional<double> fileTime(int i) const override { return i == 0 ? start_ : std::nullopt; }

private:
    FitsFile file_;
    std::optional<double> start_;
};

class FitsSequenceReader final : public RecordingReader {
public:
    QString open(const QStringList& files)
    {
        files_ = files;
        FitsFile first;
        ImageShape s;
        if (QString e = openImage(files.front(), first, s); !e.isEmpty())
            return e;
        shape_ = s;
        times_.assign(size_t(files.size()), std::nullopt);
        read_.assign(size_t(files.size()), false);
        info_.format = RecordingFormat::FitsSequence;
        info_.path = files.front();
        info_.frames = int(files.size());
        const bool timed = midExposure(first.f).has_value();
        describe(info_, s, QCoreApplication::translate("Recording", "suite de fichiers FITS"), timed);
        return {};
    }

    bool readRegion(int i, const QRect& r, std::vector<float>& out) override
    {
        if (!checkRegion(i, r))
            return false;
        FitsFile file;
        ImageShape s;
        if (QString e = openImage(files_[i], file, s); !e.isEmpty()) {
            error_ = e;
            return false;
        }
        if (s.width != shape_.width || s.height != shape_.height) {
            error_ = QCoreApplication::translate("Recording", "%1 : image de %2 × %3, la première fait %4 × %5")
                         .arg(QFileInfo(files_[i]).fileName()).arg(s.width).arg(s.height)
                         .arg(shape_.width).arg(shape_.height);
            return false;
        }
        return readSubset(file.f, 0, r, out, error_);
    }

protected:
    std::optional<double> fileTime(int i) const override
    {
        if (i < 0 || i >= int(files_.size()))
            return std::nullopt;
        if (!read_[size_t(i)]) {
            FitsFile file;
            ImageShape s;
            if (openImage(files_[i], file, s).isEmpty())
                times_[size_t(i)] = midExposure(file.f);
            read_[size_t(i)] = true;
        }
        return times_[size_t(i)];
    }

private:
    QStringList files_;
    ImageShape shape_;
    mutable std::vector<std::optional<double>> times_;   // read when first asked
    mutable std::vector<bool> read_;
};

} // namespace

OpenedRecording openFitsCube(const QString& path, const RecordingTiming& timing)
{
    return RecordingOpener::open<FitsCubeReader>(path, timing);
}

OpenedRecording openFitsSequence(const QStringList& files, const RecordingTiming& timing)
{
    if (files.isEmpty())
        return {nullptr, QCoreApplication::translate("Recording", "aucun fichier FITS donné")};
    return RecordingOpener::open<FitsSequenceReader>(files, timing);
}

} // namespace zeno
