#include "phenomenes.h"

#include "angles.h"
#include "scene_frame.h"
#include "ephemeride.h"
#include "erreur.h"
#include "phenomena_geometry.h"

#include <cmath>

namespace zeno {

namespace {

constexpr double kDiskFlattening = 1.148;    // weight of Y^2: the limb X^2 + 1.148 Y^2 = 1
constexpr double kGlobeFlattening = 1.318;   // weight of sin^2 Ds in the globe term

void writeLabel(Hote& hote, std::int16_t radius, Phenomenon kind, const QString& text)
{
    const int satellite = satelliteOfRadius(radius);
    if (satellite >= 0)
        hote.setCaption(phenomenonCaption(satellite, kind), text);
}

} // namespace

double wholeDegreeTurn(double u)
{
    // Whole degrees, halves to even; fmod keeps the reduction exact for any
    // size of angle, so no date range limits it.
    const double m = std::fmod(std::nearbyint(u), 360.0);
    return m < 0 ? m + 360.0 : m + 0.0;
}

void TestOmbre(Hote& hote, const Ephemeride& e, double rSat, double u, double X, double Y,
               std::int16_t radius, std::int16_t ownRed, std::int16_t ownGreen, std::int16_t ownBlue,
               std::int16_t eclRed, std::int16_t eclGreen, std::int16_t eclBlue)
{
    // Angle from the anti-solar side; the far side is 90 < x < 270.
    const double D = u - e.psi;
    const double x = D - 360 * std::floor(D / 360);
    const bool farSide = 90 < x && x < 270;
    bool eclipsed = false;
    if (farSide) {
        if (rSat == 0)
            throw ErreurExecution(ErreurExecution::DivisionParZero);
        // A cylinder of shadow one radius wide: 1/rSat is its angular radius, in radians.
        const double L = std::cos(1 / rSat);
        const double S = std::cos((e.psi - u + 180) * kDegToRad) * std::cos(e.Ds * kDegToRad);
        eclipsed = L < S;
    }
    const Rgb colour = eclipsed ? Rgb{eclRed, eclGreen, eclBlue} : Rgb{ownRed, ownGreen, ownBlue};
    DessineDisque(hote, X, Y, radius, colour);
    if (farSide)
        writeLabel(hote, radius, Phenomenon::Ec, eclipsed ? QStringLiteral("Eclipsé") : QStringLiteral(" "));
}

void TestProj(Hote& hote, const Ephemeride& e, TravailOmbre& w, double rSat, double u,
              double /*X*/, double /*Y*/, std::int16_t radius)
{
    const double m = wholeDegreeTurn(u - e.psi);
    if (m >= 90 && m <= 270)
        return;   // on the far side from the Sun: no shadow towards the Earth

    const double cosDs = cosd(e.Ds);
    const double sinDs = sind(e.Ds);
    const double cosUPsi = cosd(u - e.psi);
    const double F = cosDs * cosDs + kGlobeFlattening * (sinDs * sinDs);
    w.DiscOmbre = rSat * rSat * (cosDs * cosDs) * (cosUPsi * cosUPsi) + (1 - rSat * rSat) * F;
    if (!(w.DiscOmbre > 0)) {
        writeLabel(hote, radius, Phenomenon::Om, QStringLiteral(" "));
        return;
    }
    // The larger root: the point of the globe nearest the satellite along the Sun's line.
    w.tOmbre = (std::sqrt(w.DiscOmbre) - rSat * cosDs * cosUPsi) / F;
    w.XOmbre = -(rSat * sind(u) + w.tOmbre * cosDs * sind(e.psi));
    // Projected on the sky as the satellite's own Y is (-rSat cos u sin De).
    w.YOmbre = w.tOmbre * sinDs * cosd(e.De) - rSat * cosd(u) * sind(e.De)
             - w.tOmbre * cosDs * cosd(e.psi) * sind(e.De);
    DessineDisque(hote, w.XOmbre, w.YOmbre, radius, kShadowColour);
    writeLabel(hote, radius, Phenomenon::Om, QStringLiteral("Ombre"));
}

void TestCache(Hote& hote, double /*rSat*/, double u, double X, double Y, std::int16_t radius)
{
    const double m = wholeDegreeTurn(u);
    const bool farSide = 90 < m && m < 270;
    const bool onDisk = X * X + kDiskFlattening * (Y * Y) < 1;   // the centre only
    if (farSide) {
        if (onDisk)
            DessineDisque(hote, X, Y, radius, kDiskColour);
        writeLabel(hote, radius, Phenomenon::Oc, onDisk ? QStringLiteral("Occulté") : QStringLiteral(" "));
    } else {
        writeLabel(hote, radius, Phenomenon::Pa, onDisk ? QStringLiteral("Passage") : QStringLiteral(" "));
    }
}

namespace {

void label(Hote& hote, int satellite, Phenomenon kind, bool on, const char* word)
{
    hote.setCaption(phenomenonCaption(satellite, kind), on ? QString::fromUtf8(word) : QStringLiteral(" "));
}

} // namespace

void dessinePrecis(Hote& hote, const ModernEphemeris& e)
{
    const PrecisePhenomena p = precisePhenomena(e);
    const double X[4] = {e.X1, e.X2, e.X3, e.X4}, Y[4] = {e.Y1, e.Y2, e.Y3, e.Y4};
    for (int i = 0; i < 4; ++i) {
        const Satellite& s = kSatellites[i];
        DessineDisque(hote, X[i], Y[i], s.radius, p.eclipse[i] ? kEclipseColour : s.own);
        label(hote, i, Phenomenon::Ec, p.eclipse[i], "Eclipsé");
    }
    for (int i = 0; i < 4; ++i) {
        if (p.ombre[i])
            DessineDisque(hote, p.ombreX[i], p.ombreY[i], kSatellites[i].radius, kShadowColour);
        label(hote, i, Phenomenon::Om, p.ombre[i], "Ombre");
    }
    for (int i = 0; i < 4; ++i) {
        if (p.occulte[i])
            DessineDisque(hote, X[i], Y[i], kSatellites[i].radius, kDiskColour);
        label(hote, i, Phenomenon::Oc, p.occulte[i], "Occulté");
        label(hote, i, Phenomenon::Pa, p.passage[i], "Passage");
    }
}

} // namespace zeno
