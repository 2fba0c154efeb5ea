#include "synthetic.h"

#include <QDateTime>
#include <QFile>

#include <fitsio.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zeno::test {

namespace {
double brightness(int k) { return kSatelliteAlbedoV[k] * kSatelliteRadiusKm[k] * kSatelliteRadiusKm[k]; }
}

MutualEvent eventOf(const char* code, const char* isoDate)
{
    const auto c = parseMutualCode(QString::fromLatin1(code));
    const QDateTime d = QDateTime::fromString(QString::fromLatin1(isoDate), Qt::ISODate);
    QDateTime utc = d;
    utc.setTimeSpec(Qt::UTC);
    return *findMutualEvent(*c, utc.toSecsSinceEpoch() + 43200, 86400);
}

double SyntheticScene::start() const
{
    const double middle = approximation ? approximation->centralUt : event.maximumExact;
    return std::floor(middle - 0.5 * (frameCount() - 1) * cadenceS) + 0.25;
}

int SyntheticScene::frameCount() const
{
    const double span = approximation ? 600 : 1.6 * event.durationS;
    return frames > 0 ? frames : int(std::ceil(span / cadenceS)) + 1;
}

void SyntheticScene::choose()
{
    frames = frameCount();
    if (pixelsPerRadius > 0)
        return;
    const ModernEphemeris m = computeModern(julianDayOfSeconds(approximation ? approximation->centralUt : event.maximumExact));
    const double X[4] = {m.X1, m.X2, m.X3, m.X4}, Y[4] = {m.Y1, m.Y2, m.Y3, m.Y4};
    const int a = approximation ? approximation->first : event.occulter, b = approximation ? approximation->second : event.target;
    // The pair and the nearest other satellite in the frame's inner circle.
    double reach = std::max(std::hypot(X[a], Y[a]), std::hypot(X[b], Y[b]));
    double third = 1e9;
    for (int k = 0; k < 4; ++k)
        if (k != a && k != b)
            third = std::min(third, std::hypot(X[k], Y[k]));
    reach = std::max({reach, third, 3.0});
    pixelsPerRadius = 0.42 * std::min(width, height) / reach;
}

std::complex<double> SyntheticScene::place(int k, double ut) const
{
    const ModernEphemeris m = computeModern(julianDayOfSeconds(approximation ? ut - shiftS : ut));
    const double X[4] = {m.X1, m.X2, m.X3, m.X4}, Y[4] = {m.Y1, m.Y2, m.Y3, m.Y4};
    std::complex<double> q(X[k], flip ? -Y[k] : Y[k]);
    return std::complex<double>(width / 2.0, height / 2.0) + std::polar(pixelsPerRadius, rotationDeg * M_PI / 180) * q;
}

std::vector<uint16_t> SyntheticScene::render(int i, std::mt19937& rng) const
{
    const double t = time(i);
    std::vector<double> img(size_t(width) * size_t(height), skyAdu);
    const double cx = width / 2.0, cy = height / 2.0, R = pixelsPerRadius;
    if (jupiter)
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const double r = std::hypot(x - cx, y - cy);
                img[size_t(y) * width + x] += r < R ? 30000 : 3000 * std::exp(-(r - R) / (1.5 * R));
            }
    const double maxB = brightness(2);
    for (int k = 0; k < 4; ++k) {
        if (!satellites[k])
            continue;
        double flux = brightestAdu * brightness(k) / maxB;
        if (!approximation && k == event.target)
            flux *= 1 - lightLost(mutualDiscsAt(event, t - shiftS));
        const auto p = place(k, t);
        const double peak = flux / (2 * M_PI * sigmaPx * sigmaPx);
        const int reach = int(std::ceil(5 * sigmaPx));
        for (int y = std::max(0, int(p.imag()) - reach); y <= std::min(height - 1, int(p.imag()) + reach); ++y)
            for (int x = std::max(0, int(p.real()) - reach); x <= std::min(width - 1, int(p.real()) + reach); ++x) {
                const double d2 = std::norm(std::complex<double>(x, y) - p);
                img[size_t(y) * width + x] += peak * std::exp(-d2 / (2 * sigmaPx * sigmaPx));
            }
    }
    std::normal_distribution<double> gauss(0, noiseAdu);
    std::vector<uint16_t> out(img.size());
    for (size_t k = 0; k < img.size(); ++k)
        out[k] = uint16_t(std::clamp(std::lround(img[k] + gauss(rng)), 0L, 65535L));
    return out;
}

double SyntheticScene::leastDistanceUt() const
{
    const auto d = [&](double t) { return std::abs(place(approximation->second, t) - place(approximation->first, t)); };
    // Golden section over the recording's span.
    double lo = start(), hi = time(frameCount() - 1);
    const double g = (std::sqrt(5.0) - 1) / 2;
    while (hi - lo > 1e-3) {
        const double x1 = hi - g * (hi - lo), x2 = lo + g * (hi - lo);
        if (d(x1) < d(x2))
            hi = x2;
        else
            lo = x1;
    }
    return 0.5 * (lo + hi);
}

QByteArray rawFrames(const SyntheticScene& s)
{
    std::mt19937 rng(s.seed);
    QByteArray bytes;
    for (int i = 0; i < s.frameCount(); ++i) {
        const auto f = s.render(i, rng);
        bytes.append(reinterpret_cast<const char*>(f.data()), qsizetype(f.size() * 2));
    }
    return bytes;
}

bool writeSer(const QString& path, const SyntheticScene& s, bool stamps)
{
    QByteArray header(kSerHeaderBytes, '\0');
    std::memcpy(header.data(), "LUCAM-RECORDER", 14);
    const int32_t fields[7] = {0, 0, 0, s.width, s.height, 16, s.frameCount()};
    std::memcpy(header.data() + 14, fields, sizeof fields);
    const int64_t start = unixSecondsToSerTicks(s.start());
    std::memcpy(header.data() + 162, &start, 8);
    std::memcpy(header.data() + 170, &start, 8);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(header);
    f.write(rawFrames(s));
    if (stamps)
        for (int i = 0; i < s.frameCount(); ++i) {
            const int64_t t = unixSecondsToSerTicks(s.time(i));
            f.write(reinterpret_cast<const char*>(&t), 8);
        }
    return f.error() == QFile::NoError;
}

bool writeFitsCube(const QString& path, const SyntheticScene& s, bool dated)
{
    QFile::remove(path);
    fitsfile* f = nullptr;
    int status = 0;
    const QByteArray name = QFile::encodeName(path);
    long axes[3] = {s.width, s.height, s.frameCount()};
    fits_create_diskfile(&f, name.constData(), &status);
    fits_create_img(f, USHORT_IMG, 3, axes, &status);
    if (dated) {
        // DATE-OBS: the start of frame 0's exposure, which lasts the cadence.
        const QString d = QDateTime::fromMSecsSinceEpoch(qint64(std::llround((s.start() - s.cadenceS / 2) * 1000)), Qt::UTC)
                              .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz"));
        QByteArray date = d.toLatin1();
        double exposure = s.cadenceS;
        fits_write_key(f, TSTRING, "DATE-OBS", date.data(), "start of the first exposure, UTC", &status);
        fits_write_key(f, TDOUBLE, "EXPTIME", &exposure, "s", &status);
    }
    const QByteArray raw = rawFrames(s);
    fits_write_img(f, TUSHORT, 1, LONGLONG(raw.size() / 2), const_cast<char*>(raw.data()), &status);
    fits_close_file(f, &status);
    return status == 0;
}

} // namespace zeno::test
