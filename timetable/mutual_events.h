// The satellites' mutual events: occultations ("iOj", satellite i passes in
// front of j as seen from the Earth) and eclipses ("iEj", j passes through
// i's shadow), always on the precise theory. Numbers of the published
// tables: 1 Io, 2 Europe, 3 Ganymède, 4 Callisto. Geometry and photometric
// model: ephemeris/mutual_geometry.h.
#pragma once

#include "mutual_geometry.h"
#include "regional.h"
#include "search.h"

#include <QLocale>
#include <QString>
#include <atomic>
#include <functional>
#include <optional>
#include <vector>

namespace zeno {

// Total: the target wholly hidden (or wholly in the umbra). Annular: the
// occulting disc (or the umbra/antumbra) wholly inside the target's disc.
// Partial: the outlines cross. Penumbral: an eclipse whose umbra misses.
enum class MutualKind { Total, Annular, Partial, Penumbral };

struct MutualEvent {
    int occulter = 0;       // 0..3: the satellite in front, or casting the shadow
    int target = 1;         // 0..3: the one hidden or eclipsed
    MutualType type = MutualType::Occultation;
    MutualKind kind = MutualKind::Partial;
    // UT, seconds since 1970-01-01 00:00:00 (search::Seconds), to the second:
    // first contact, least separation, last contact. Occultation: contacts
    // of the two discs; eclipse: of the penumbra with the target's disc.
    search::Seconds start = 0, maximum = 0, end = 0;
    double maximumExact = 0;     // the least separation's instant, UT seconds with the fraction
    double durationS = 0;        // end - start
    double impactKm = 0;         // least separation, km in the target's plane
    // As a photometer records them, at the maximum: a satellite behind
    // Jupiter or in its shadow gives no light, so a hidden target loses
    // nothing and a hidden occulter leaves the target's light alone.
    double targetLightLost = 0;  // 0..1, of the target's light
    double magnitudeDrop = 0;    // of the pair's recorded light against what it would be without the event
    double limbDistance = 0;     // Jupiter equatorial radii from the target to Jupiter's limb (negative: on the disc)
    bool targetInJupiterShadow = false;
    bool targetBehindJupiter = false;
    bool targetInFrontOfJupiter = false;
    bool occulterHidden = false; // the occulter (or eclipser) behind Jupiter or in its shadow
    PairGeometry atMaximum;      // the discs at the maximum (mutualDiscsAt(maximumExact))
    double relativeSpeedKmS = 0; // of the occulting disc (or shadow) across the target at the maximum
    std::optional<Site> site;    // the place it is seen from (seenFrom); none: the Earth's centre

    // 1 sigma of the maximum's instant, s: the covariance of the
    // correction's constants propagated, with the theory's error measured on
    // left-out seasons in quadrature; NaN with L1.2 as published.
    double maxUtSigmaS = 0;

    // "2E1", "1O3": occulter's number, E or O, target's number.
    QString code() const;
    // Nobody sees the maximum: the target is then behind Jupiter or dark in its shadow.
    bool hiddenAtMaximum() const { return targetInJupiterShadow || targetBehindJupiter; }
    // "occultation" / "eclipse"; "total" / "annular" / "partial" / "penumbral".
    const char* typeName() const;
    const char* kindName() const;
};

// Every mutual event whose maximum lies in [fromUt, toUt], in time order of
// the maximum. progress (may be empty) gets the fraction done; when *cancel
// (may be null) becomes true the search stops and returns what it found.
std::vector<MutualEvent> findMutualEvents(search::Seconds fromUt, search::Seconds toUt,
                                          const std::function<void(double)>& progress = {},
                                          const std::atomic<bool>* cancel = nullptr);

// Jupiter's equinox nearest `ut`: the instant the Sun crosses the plane of
// Jupiter's equator (and nearly of the satellites' orbits), to the second.
// The seasons of mutual events gather around these, every 5.93 years.
search::Seconds jupiterEquinoxNear(search::Seconds ut);

// A span sure to hold the whole season around that equinox: 16 months
// either side (the seasons of 2014-2015, 2021, 2026-2027 and 2032-2034 start
// 4 to 15 months before it and end 6 to 12 months after).
struct MutualSeason {
    search::Seconds equinox = 0, from = 0, to = 0;
};
MutualSeason mutualSeasonNear(search::Seconds ut);

// "2E1", "1o3" (either case) -> the roles; nullopt when not such a code
// (a digit 1..4, E or O, another digit 1..4).
struct MutualCode {
    int occulter = 0, target = 1;
    MutualType type = MutualType::Occultation;
};
std::optional<MutualCode> parseMutualCode(const QString& code);

// The event of that code whose maximum is nearest `ut`, within `withinS`
// seconds; nullopt when there is none.
std::optional<MutualEvent> findMutualEvent(const MutualCode& code, search::Seconds ut,
                                           search::Seconds withinS = 86400);

// The event seen from an observer's place (topocentric): the maximum, the
// contacts, the impact and the depth found again with each body's parallax
// and light-time from there; nullopt when from there the discs do not meet.
std::optional<MutualEvent> seenFrom(const MutualEvent& event, const Site& site);

// The maximum's 1-sigma uncertainty, seconds (see MutualEvent::maxUtSigmaS).
double maximumSigmaS(const MutualEvent& event);

// "± 3 s" (the sigma rounded up to the second), or empty when there is none.
QString sigmaText(double sigmaS);

// The pair at any instant (UT seconds, fraction allowed) in the target's
// plane, km, x east and y north as in the main scene, seen from the event's
// place (the Earth's centre without one): for drawing the discs.
PairGeometry mutualDiscsAt(const MutualEvent& event, double utSeconds);

struct LightPoint {
    double ut = 0;     // UT seconds since 1970, with the fraction
    double flux = 1;   // the pair's recorded light, 1 out of the event with both satellites seen
};

// The predicted light curve from a margin before the first contact to a
// margin after the last (a quarter of the duration, at least two minutes),
// `samples` points evenly spaced plus the maximum itself, in time order.
// A satellite behind Jupiter or in its shadow adds nothing at those
// instants. With both seen, the deepest point is the maximum, at
// 10^(-magnitudeDrop/2.5).
std::vector<LightPoint> lightCurve(const MutualEvent& event, int samples = 600);

// A closed-form model of an event for fitting observed light curves: near
// the maximum the relative motion is straight and uniform, so the
// separation is hypot(impactKm, relativeSpeedKmS * (t - tMax)) and the
// radii stay as at the maximum.
struct EventShape {
    MutualType type = MutualType::Occultation;
    double tMax = 0;             // UT seconds since 1970 (fraction allowed)
    double impactKm = 0;
    double relativeSpeedKmS = 0;
    double targetRadiusKm = 0;
    double occulterRadiusKm = 0; // occultation
    double umbraRadiusKm = 0;    // eclipse (negative: antumbra)
    double penumbraRadiusKm = 0; // eclipse
    double targetWeight = 0;     // the target's share of the pair's light recorded at the maximum (0..1)
};

EventShape eventShape(const MutualEvent& event);

// The pair's flux (1 out of the event) at t seconds from the shape's tMax.
// At t = 0 it is 10^(-magnitudeDrop/2.5): the recorded light against the unblocked.
double shapeFlux(const EventShape& shape, double tSecondsFromMax);

// UT Julian Day of seconds since 1970 (UT).
double julianDayOfSeconds(double utSeconds);

// A UT instant rounded to the second as date-and-time text of the locale,
// the time always shown: "02/12/2026 21:47:32" in French.
QString mutualUtText(double utSeconds, const QLocale& locale = programLocale());

// The light curve as CSV: a comment line naming the event ("# 1O2 ..."),
// the header "ut,t_s,flux", then one row per point (UT to the millisecond,
// seconds from the maximum, flux); dates in the program's own form
// (02/12/2026 21:47:29.500), which every reader of curves takes, in every locale.
QString lightCurveCsv(const MutualEvent& event, const std::vector<LightPoint>& curve);

} // namespace zeno
