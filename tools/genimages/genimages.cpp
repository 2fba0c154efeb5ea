// genimages: draws Zenolune's pictures from code -- the two scene backgrounds,
// the About window's Jupiter and its portrait -- so that every
// pixel is our own and every run writes the same bytes (fixed seeds, no clock).
//
//   genimages [folder]      default: the source tree's resources/images

#include "scene_frame.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QRadialGradient>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

#ifndef GENIMAGES_OUT
#define GENIMAGES_OUT "resources/images"
#endif

namespace {

// The disk colour of the scenes. The program covers a satellite hidden behind
// Jupiter with a disc of this colour, which must melt into the picture.
constexpr QRgb kDisk = qRgb(zeno::kDiskColour.red, zeno::kDiskColour.green, zeno::kDiskColour.blue);

// Polar over equatorial diameter (1 / 1.0714).
constexpr double kAxisRatio = 0.933;

constexpr double kDeg = std::numbers::pi / 180.0;

struct Rgb {
    double r, g, b;
};

Rgb mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scaledRgb(Rgb a, double k) { return {a.r * k, a.g * k, a.b * k}; }

int toByte(double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); }

QRgb toQRgb(Rgb c, double alpha = 1.0)
{
    return qRgba(toByte(c.r), toByte(c.g), toByte(c.b), toByte(alpha * 255.0));
}

double smoothstep(double e0, double e1, double x)
{
    const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// Lattice hash to [0, 1): the only source of "randomness", so a seed fixes all.
double latticeHash(int x, int y, std::uint32_t seed)
{
    std::uint32_t h = seed ^ (static_cast<std::uint32_t>(x) * 0x27d4eb2dU);
    h = (h ^ (h >> 15)) * 0x2c1b3c6dU;
    h ^= static_cast<std::uint32_t>(y) * 0x165667b1U;
    h = (h ^ (h >> 12)) * 0x297a2d39U;
    h ^= h >> 15;
    return h / 4294967296.0;
}

double valueNoise(double x, double y, std::uint32_t seed)
{
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const double tx = smoothstep(0.0, 1.0, x - fx), ty = smoothstep(0.0, 1.0, y - fy);
    const double a = latticeHash(ix, iy, seed), b = latticeHash(ix + 1, iy, seed);
    const double c = latticeHash(ix, iy + 1, seed), d = latticeHash(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

// Four octaves of value noise, in [0, 1).
double turbulence(double x, double y, std::uint32_t seed)
{
    double sum = 0.0, amplitude = 0.5, total = 0.0;
    for (int i = 0; i < 4; ++i) {
        sum += amplitude * valueNoise(x, y, seed + 101U * static_cast<std::uint32_t>(i));
        total += amplitude;
        x *= 2.03;
        y *= 2.03;
        amplitude *= 0.5;
    }
    return sum / total;
}

// A small pseudo-random sequence for star fields.
struct Sequence {
    std::uint32_t state;
    double next()
    {
        state = state * 1664525U + 1013904223U;
        return (state >> 8) / 16777216.0;
    }
};

QImage newImage(int width, int height, QImage::Format format, QColor background)
{
    QImage image(width, height, format);
    image.setDotsPerMeterX(3780); // 96 dpi, fixed so the file never depends on the machine
    image.setDotsPerMeterY(3780);
    image.fill(background);
    return image;
}

bool savePng(const QImage& image, const QDir& folder, const char* name)
{
    const QString path = folder.filePath(QString::fromLatin1(name));
    if (!image.save(path, "PNG", 9)) {
        std::fprintf(stderr, "genimages: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%-20s %3d x %3d\n", name, image.width(), image.height());
    return true;
}

// ---------------------------------------------------------------------------
// Scene backgrounds: black sky, small banded Jupiter in the disk colour.
//
// South is at the top, as the program shows the scene at start (the view of
// an astronomical telescope). Belts are chosen row by row so that the zones
// stay exactly the disk colour; only the limb pixels are blended with black.

QRgb sceneBand(double s) // s: sine of the latitude, north positive
{
    if (std::abs(s) >= 0.86)
        return qRgb(178, 170, 52); // polar regions, greyer
    if (s >= -0.31 && s <= -0.12)
        return qRgb(150, 118, 38); // South Equatorial Belt
    if (s >= 0.12 && s <= 0.28)
        return qRgb(155, 122, 40); // North Equatorial Belt
    return kDisk;
}

// cx, cy: centre of the disk in continuous pixel coordinates (pixel i covers
// [i, i + 1)); diameter: equatorial diameter in pixels.
QImage sceneBackground(const char* name, int width, int height, double cx, double cy, double diameter)
{
    QImage image = newImage(width, height, QImage::Format_RGB32, Qt::black);
    const double a = diameter / 2.0;
    const double b = a * kAxisRatio;
    constexpr int n = 16; // sub-samples per side for the limb coverage
    int diskPixels = 0, fullPixels = 0, colourPixels = 0;
    for (int py = static_cast<int>(std::floor(cy - b)); py <= static_cast<int>(std::ceil(cy + b)); ++py) {
        const double s = (py + 0.5 - cy) / b;
        const QRgb colour = sceneBand(s);
        for (int px = static_cast<int>(std::floor(cx - a)); px <= static_cast<int>(std::ceil(cx + a)); ++px) {
            int inside = 0;
            for (int j = 0; j < n; ++j) {
                const double v = (py + (j + 0.5) / n - cy) / b;
                for (int i = 0; i < n; ++i) {
                    const double u = (px + (i + 0.5) / n - cx) / a;
                    if (u * u + v * v < 1.0)
                        ++inside;
                }
            }
            if (inside == 0 || px < 0 || py < 0 || px >= width || py >= height)
                continue;
            ++diskPixels;
            if (inside == n * n) {
                ++fullPixels;
                image.setPixel(px, py, colour);
                if (colour == kDisk)
                    ++colourPixels;
            } else {
                const double k = static_cast<double>(inside) / (n * n);
                image.setPixel(px, py, qRgb(toByte(qRed(colour) * k), toByte(qGreen(colour) * k),
                                            toByte(qBlue(colour) * k)));
            }
        }
    }
    std::printf("%s: disk %d px (%d wholly inside), %d of them (%.0f %%) exactly RGB %d, %d, %d\n", name,
                diskPixels, fullPixels, colourPixels, 100.0 * colourPixels / diskPixels, qRed(kDisk), qGreen(kDisk),
                qBlue(kDisk));
    return image;
}

// ---------------------------------------------------------------------------
// About window: a photograph-like Jupiter, north up, Great Red Spot in the
// South Equatorial Belt, turbulent belts, festoons, limb darkening and a thin
// phase shadow on the right limb.

struct Band {
    double south, north; // latitude limits, degrees
    Rgb colour;
    double strength;
};

Rgb albedo(double lon, double lat)
{
    // Zonal flow: belts are wavy in latitude, streaky in longitude.
    const double wave = (turbulence(lon / 16.0, lat / 5.0, 7U) - 0.5) * 5.0;
    const double phi = lat + wave;

    const Rgb zone{236, 224, 192};
    Rgb c = zone;
    static const Band bands[] = {
        {-40.0, -35.5, {178, 150, 118}, 0.55}, // South South Temperate Belt
        {-32.0, -26.5, {160, 120, 88}, 0.75},  // South Temperate Belt
        {-20.5, -7.0, {168, 112, 72}, 0.95},   // South Equatorial Belt
        {-1.2, 1.2, {205, 185, 150}, 0.45},    // Equatorial Band
        {7.0, 18.0, {150, 96, 62}, 1.0},       // North Equatorial Belt
        {23.0, 27.5, {165, 125, 92}, 0.8},     // North Temperate Belt
        {34.0, 37.5, {175, 148, 118}, 0.55},   // North North Temperate Belt
    };
    for (const Band& band : bands) {
        const double w = smoothstep(band.south - 1.2, band.south + 1.2, phi) *
                         (1.0 - smoothstep(band.north - 1.2, band.north + 1.2, phi));
        c = mix(c, band.colour, w * band.strength);
    }
    // The South Equatorial Belt's lighter middle.
    c = mix(c, {200, 160, 120}, 0.35 * smoothstep(-16.0, -14.0, phi) * (1.0 - smoothstep(-12.0, -10.0, phi)));
    // Grey-brown polar regions.
    c = mix(c, {150, 138, 124}, 0.85 * smoothstep(41.0, 55.0, std::abs(phi)));

    // Festoons trailing from the North Equatorial Belt's southern edge.
    const double festoon = smoothstep(0.62, 0.78, turbulence(lon / 5.0, lat / 1.5, 23U));
    c = mix(c, {128, 112, 112}, 0.55 * festoon * smoothstep(2.0, 4.5, lat) * (1.0 - smoothstep(6.0, 7.5, lat)));

    // Great Red Spot and the light hollow around it.
    const double dl = (lon - 22.0) / 12.0, db = (lat + 22.5) / 5.2;
    const double d = std::sqrt(dl * dl + db * db);
    c = mix(c, {242, 230, 208}, 0.85 * (1.0 - smoothstep(1.15, 1.55, d)));
    c = mix(c, {208, 118, 84}, 1.0 - smoothstep(0.55, 1.0, d));
    c = mix(c, {190, 100, 72}, 0.5 * (1.0 - smoothstep(0.0, 0.5, d)));

    // Fine mottling.
    return scaledRgb(c, 0.94 + 0.12 * turbulence(lon / 3.0, lat / 1.2, 41U));
}

QImage jupiterPhoto()
{
    constexpr int size = 94;
    constexpr double cx = 47.0, cy = 47.0, a = 44.0, b = a * kAxisRatio;
    constexpr int n = 6;
    // Sun 10 degrees to the left of the line of sight: a thin shadow on the right.
    const double sx = -std::sin(10.0 * kDeg), sz = std::cos(10.0 * kDeg);

    std::vector<Rgb> pixels(size * size, Rgb{0, 0, 0});
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            Rgb sum{0, 0, 0};
            for (int j = 0; j < n; ++j) {
                for (int i = 0; i < n; ++i) {
                    const double x = (px + (i + 0.5) / n - cx) / a;
                    const double y = (py + (j + 0.5) / n - cy) / b;
                    const double r2 = x * x + y * y;
                    if (r2 >= 1.0)
                        continue;
                    const double z = std::sqrt(1.0 - r2);
                    const double lat = std::asin(-y) / kDeg;
                    const double lon = std::atan2(x, z) / kDeg;
                    const double mu0 = std::max(0.0, x * sx + z * sz);
                    const double brightness = std::pow(mu0, 0.55) * (0.80 + 0.20 * z);
                    const Rgb c = scaledRgb(albedo(lon, lat), brightness);
                    sum.r += c.r;
                    sum.g += c.g;
                    sum.b += c.b;
                }
            }
            pixels[py * size + px] = scaledRgb(sum, 1.0 / (n * n));
        }
    }
    // A little softness, as through the air at the eyepiece.
    QImage image = newImage(size, size, QImage::Format_RGB32, Qt::black);
    const double kernel[3] = {1.0, 2.5, 1.0};
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            Rgb c{0, 0, 0};
            double weight = 0.0;
            for (int j = -1; j <= 1; ++j) {
                for (int i = -1; i <= 1; ++i) {
                    const int qx = px + i, qy = py + j;
                    if (qx < 0 || qy < 0 || qx >= size || qy >= size)
                        continue;
                    const double w = kernel[i + 1] * kernel[j + 1];
                    const Rgb& p = pixels[qy * size + qx];
                    c.r += p.r * w;
                    c.g += p.g * w;
                    c.b += p.b * w;
                    weight += w;
                }
            }
            image.setPixel(px, py, toQRgb(scaledRgb(c, 1.0 / weight)));
        }
    }
    return image;
}

// ---------------------------------------------------------------------------
// About window portrait: an observer in a woolly hat at the eyepiece of a
// refractor on its tripod, aimed at Jupiter and its moons, under a night sky.
// Drawn in a 97 x 113 space, four times larger, then reduced.

QImage portrait()
{
    constexpr int width = 97, height = 113, oversample = 4;
    QImage large = newImage(width * oversample, height * oversample, QImage::Format_RGB32, Qt::black);
    QPainter p(&large);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(oversample, oversample);
    p.setPen(Qt::NoPen);

    // Sky, darkest at the zenith.
    QLinearGradient sky(0, 0, 0, 95);
    sky.setColorAt(0.0, QColor(6, 9, 28));
    sky.setColorAt(1.0, QColor(30, 44, 88));
    p.fillRect(QRectF(0, 0, width, height), sky);

    Sequence sequence{19940716U};
    for (int i = 0; i < 34; ++i) {
        const double x = sequence.next() * width;
        const double y = sequence.next() * 84.0;
        const double r = 0.25 + 0.45 * sequence.next();
        const int lum = 150 + static_cast<int>(105 * sequence.next());
        p.setBrush(QColor(lum, lum, std::min(255, lum + 30)));
        p.drawEllipse(QPointF(x, y), r, r);
    }

    // Jupiter and the four moons in a line, where the telescope points.
    const QPointF jupiter(82.0, 15.0);
    QRadialGradient halo(jupiter, 4.5);
    halo.setColorAt(0.0, QColor(255, 240, 200, 150));
    halo.setColorAt(1.0, QColor(255, 240, 200, 0));
    p.setBrush(halo);
    p.drawEllipse(jupiter, 4.5, 4.5);
    p.setBrush(QColor(250, 236, 190));
    p.drawEllipse(jupiter, 1.5, 1.5);
    p.setBrush(QColor(230, 230, 240));
    for (double dx : {-8.0, -4.6, 3.8, 9.5})
        p.drawEllipse(QPointF(jupiter.x() + dx, jupiter.y() + dx * 0.05), 0.45, 0.45);

    // Hills on the horizon, then the near ground.
    QPainterPath hills;
    hills.moveTo(0, 90);
    hills.cubicTo(20, 83, 38, 88, 55, 86);
    hills.cubicTo(72, 84, 86, 89, width, 87);
    hills.lineTo(width, height);
    hills.lineTo(0, height);
    hills.closeSubpath();
    p.setBrush(QColor(16, 28, 40));
    p.drawPath(hills);
    QPainterPath ground;
    ground.moveTo(0, 100);
    ground.cubicTo(30, 96, 60, 99, width, 97);
    ground.lineTo(width, height);
    ground.lineTo(0, height);
    ground.closeSubpath();
    p.setBrush(QColor(12, 22, 16));
    p.drawPath(ground);

    // Telescope tube, from its eyepiece end towards Jupiter.
    const QPointF rear(50.5, 55.5);
    const double angle = std::atan2(jupiter.y() - rear.y(), jupiter.x() - rear.x()) / kDeg;
    const QPointF cradle = rear + QPointF(14.0 * std::cos(angle * kDeg), 14.0 * std::sin(angle * kDeg));
    const QPointF head(60.5, 52.0); // tripod head

    // Tripod, and the mount's arm up to the tube's cradle.
    QPen leg(QColor(120, 126, 138), 1.4, Qt::SolidLine, Qt::RoundCap);
    p.setPen(leg);
    p.drawLine(head, QPointF(51.0, 104.0));
    p.drawLine(head, QPointF(73.0, 103.0));
    leg.setColor(QColor(92, 98, 110));
    p.setPen(leg);
    p.drawLine(head, QPointF(62.5, 106.0));
    p.setPen(QPen(QColor(70, 74, 84), 2.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(head, cradle);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 74, 84));
    p.drawRect(QRectF(head.x() - 2.5, head.y() - 1.5, 5.0, 4.0)); // mount head

    p.save();
    p.translate(rear);
    p.rotate(angle);
    QLinearGradient tube(0, -3.5, 0, 3.5);
    tube.setColorAt(0.0, QColor(250, 250, 252));
    tube.setColorAt(1.0, QColor(150, 156, 170));
    p.setBrush(tube);
    p.drawRoundedRect(QRectF(0.0, -3.2, 36.0, 6.4), 1.0, 1.0);
    QLinearGradient dewShield(0, -4, 0, 4);
    dewShield.setColorAt(0.0, QColor(90, 96, 120));
    dewShield.setColorAt(1.0, QColor(40, 44, 60));
    p.setBrush(dewShield); // dew shield
    p.drawRoundedRect(QRectF(33.0, -4.0, 10.0, 8.0), 1.0, 1.0);
    p.setBrush(QColor(40, 40, 48));
    p.drawRect(QRectF(-2.6, -2.2, 2.8, 4.4)); // focuser
    p.setBrush(QColor(70, 74, 84));
    p.drawRect(QRectF(11.5, -3.6, 5.0, 7.2)); // cradle ring
    p.restore();

    // Star diagonal and eyepiece, turned up to the observer's eye.
    p.setBrush(QColor(30, 30, 36));
    p.save();
    p.translate(rear + QPointF(-1.8, 1.0));
    p.rotate(-30);
    p.drawRect(QRectF(-1.5, -5.2, 3.0, 5.6));
    p.restore();

    // The observer, leaning over the eyepiece.
    const QColor coat(44, 78, 112), coatShadow(30, 54, 80), skin(226, 176, 136);
    QPainterPath body;
    body.moveTo(36.0, 58.0);
    body.cubicTo(42.0, 56.0, 47.0, 59.0, 47.0, 64.0);
    body.cubicTo(46.0, 74.0, 44.0, 88.0, 45.0, 99.0);
    body.lineTo(27.0, 99.0);
    body.cubicTo(27.0, 86.0, 28.0, 70.0, 36.0, 58.0);
    body.closeSubpath();
    p.setBrush(coat);
    p.drawPath(body);
    p.setBrush(coatShadow);
    p.drawRect(QRectF(35.6, 70.0, 1.0, 29.0)); // coat opening
    p.setBrush(QColor(230, 200, 80));
    for (double y : {74.0, 80.0, 86.0})
        p.drawEllipse(QPointF(37.6, y), 0.6, 0.6); // buttons

    // Legs and boots.
    p.setBrush(QColor(26, 26, 36));
    p.drawRect(QRectF(30.0, 98.0, 5.0, 9.0));
    p.drawRect(QRectF(38.0, 98.0, 5.0, 9.0));
    p.setBrush(QColor(60, 40, 30));
    p.drawRoundedRect(QRectF(29.0, 105.5, 7.5, 3.2), 1.2, 1.2);
    p.drawRoundedRect(QRectF(37.0, 105.5, 8.0, 3.2), 1.2, 1.2);

    // Arm reaching for the focuser.
    QPen arm(coat, 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(arm);
    QPainterPath armPath;
    armPath.moveTo(43.0, 63.0);
    armPath.quadTo(46.0, 66.0, 49.6, 58.6);
    p.drawPath(armPath);
    p.setPen(Qt::NoPen);
    p.setBrush(skin);
    p.drawEllipse(QPointF(49.9, 57.6), 1.7, 1.7);

    // Scarf.
    p.setBrush(QColor(214, 170, 40));
    p.save();
    p.translate(41.0, 57.5);
    p.rotate(18);
    p.drawRoundedRect(QRectF(-6.0, -1.8, 11.0, 3.6), 1.5, 1.5);
    p.restore();
    p.drawRoundedRect(QRectF(37.5, 57.0, 3.0, 10.0), 1.2, 1.2);

    // Head, in profile, eye to the eyepiece.
    p.setBrush(skin);
    p.drawEllipse(QPointF(43.0, 50.5), 5.0, 5.4);
    QPainterPath nose;
    nose.moveTo(47.4, 49.0);
    nose.quadTo(50.0, 51.2, 47.6, 52.2);
    nose.closeSubpath();
    p.drawPath(nose);
    p.setBrush(QColor(200, 146, 112));
    p.drawEllipse(QPointF(41.0, 51.5), 1.2, 1.6); // ear
    p.setBrush(QColor(60, 40, 30));
    p.drawEllipse(QPointF(46.3, 49.6), 0.6, 0.5); // eye, half closed
    p.setBrush(QColor(120, 80, 50));
    p.drawRoundedRect(QRectF(39.0, 50.5, 2.2, 4.5), 1.0, 1.0); // hair under the hat

    // Woolly hat with its pompom.
    QPainterPath hat;
    hat.moveTo(37.8, 50.0);
    hat.cubicTo(37.0, 42.0, 47.5, 41.0, 48.6, 48.0);
    hat.lineTo(37.8, 50.0);
    hat.closeSubpath();
    p.setBrush(QColor(196, 52, 44));
    p.drawPath(hat);
    p.setBrush(QColor(236, 236, 236));
    p.save();
    p.translate(43.2, 48.9);
    p.rotate(-10);
    p.drawRoundedRect(QRectF(-5.8, -1.0, 11.6, 2.2), 1.0, 1.0); // brim
    p.restore();
    p.drawEllipse(QPointF(40.5, 42.3), 2.1, 2.1);
    p.end();

    QImage image = large.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    const QDir folder(QString::fromLocal8Bit(argc > 1 ? argv[1] : GENIMAGES_OUT));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "genimages: cannot create %s\n", qPrintable(folder.path()));
        return 1;
    }

    bool ok = true;
    // Main scene: Jupiter's centre is the middle of pixel (378, 104).
    ok = savePng(sceneBackground("fond_principal.png", 759, 207, 378.5, 104.5, 31.0), folder,
                               "fond_principal.png") && ok;
    // Reduced scene: centre between pixels 151 and 152, 41 and 42.
    ok = savePng(sceneBackground("fond_reduit.png", 304, 83, 152.0, 42.0, 12.0), folder, "fond_reduit.png") && ok;
    // The same at twice the resolution, for screens of two device pixels per pixel.
    ok = savePng(sceneBackground("fond_principal@2x.png", 2 * 759, 2 * 207, 2 * 378.5, 2 * 104.5, 2 * 31.0), folder,
                 "fond_principal@2x.png") && ok;
    ok = savePng(sceneBackground("fond_reduit@2x.png", 2 * 304, 2 * 83, 2 * 152.0, 2 * 42.0, 2 * 12.0), folder,
                 "fond_reduit@2x.png") && ok;
    ok = savePng(jupiterPhoto(), folder, "jupiter.png") && ok;
    ok = savePng(portrait(), folder, "portrait.png") && ok;
    return ok ? 0 : 1;
}
