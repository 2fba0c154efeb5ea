// The satellites' mutual approximations: two Galilean satellites pass close
// to each other on the sky, and the central instant, when their apparent
// (light-time corrected) distance is least, is a sharp astrometric datum
// needing no scale or orientation. Found all year on the precise theory
// (mutual_geometry.h), seen from the Earth's centre or, given a place,
// topocentric: the parallax shifts the two satellites differently.
// Code "iAj": the two satellites' numbers, 1 Io .. 4 Callisto, i < j.
#pragma once

#include "mutual_events.h"
#include "observer.h"
#include "search.h"

#include <QString>
#include <atomic>
#include <functional>
#include <optional>
#include <vector>

namespace zeno {

struct ApproximationOptions {
    double maxDistanceArcsec = 30;     // the least distance kept, at most
    double minLimbArcsec = 10;         // observable: each satellite this far from Jupiter's limb at least
    double stationaryMasS = 1;         // relative speed below this: a near-stationary pass
    std::optional<Site> site;          // topocentric, altitudes and observability when set
    Visibility visibility;
    unsigned threads = 0;              // parts searched at once; 0: one per core
};

// The settings' ranges, checked by checkApproximationOptions.
constexpr double kApproxMaxDistanceLimits[2] = {1, 300};     // arcsec
constexpr double kApproxMinLimbLimits[2] = {0, 120};         // arcsec
constexpr double kApproxStationaryLimits[2] = {0, 20};       // mas/s

// An empty text when the thresholds are usable, else a French message naming the one at fault.
QString checkApproximationOptions(const ApproximationOptions& o);

struct Approximation {
    int first = 0, second = 1;        // 0..3, first < second
    double centralUt = 0;             // UT seconds since 1970, fraction kept
    double distanceArcsec = 0;        // least apparent distance
    double distanceKm = 0;            // the same at the pair's mean distance from the observer
    double speedMasS = 0;             // relative apparent speed at the central instant
    double motionAngleDeg = 0;        // position angle of the second's motion relative to the first, north through east
    double dxArcsec = 0, dyArcsec = 0;   // the second minus the first at the central instant: east, Jupiter's north
    double limbArcsec[2] = {};        // each satellite's distance from Jupiter's limb (negative: on the disc)
    bool behindJupiter[2] = {}, inJupiterShadow[2] = {}, inFrontOfJupiter[2] = {};
    QString mutualEvent;              // the code of the pair's mutual event in progress then ("1O2"), or empty
    std::optional<Site> site;         // topocentric from this place; none: from the Earth's centre
    bool placeKnown() const { return site.has_value(); }   // the altitudes below are set
    double jupiterAltDeg = 0, sunAltDeg = 0;
    bool stationary = false;          // relative speed below the setting: the central instant is ill-defined
    bool observable = false;

    QString code() const;             // "1A2"
    bool clearOfJupiter(int k) const { return !behindJupiter[k] && !inJupiterShadow[k] && !inFrontOfJupiter[k]; }
};

// Every approximation whose central instant lies in [fromUt, toUt], in time
// order. progress (may be empty, called from a worker thread) gets the
// fraction done; when *cancel (may be null) becomes true the search stops
// and returns what it found.
std::vector<Approximation> findApproximations(search::Seconds fromUt, search::Seconds toUt,
                                              const ApproximationOptions& options,
                                              const std::function<void(double)>& progress = {},
                                              const std::atomic<bool>* cancel = nullptr);

// "1A2", "2a1" -> the pair (0-based, first < second); nullopt otherwise.
std::optional<std::pair<int, int>> parseApproximationCode(const QString& code);

// The pair's approximation nearest `ut` within `withinS` seconds, whatever
// its distance (up to the options' threshold); nullopt when there is none.
std::optional<Approximation> findApproximation(int first, int second, search::Seconds ut,
                                               const ApproximationOptions& options, search::Seconds withinS = 86400);

// The second's position relative to the first (arcsec: east, Jupiter's north) at a UT instant.
struct SkyOffset {
    double ut = 0, dx = 0, dy = 0;
    double distance() const;
};
SkyOffset approximationOffsetAt(const Approximation& a, double utSeconds);
// Each satellite's own sky position from Jupiter's centre (arcsec), for drawing the tracks.
struct SkyPair {
    double ut = 0, x[2] = {}, y[2] = {};
};
SkyPair approximationPairAt(const Approximation& a, double utSeconds);

// The relative track from `halfWidthS` before to after the central instant, `samples` points.
std::vector<SkyOffset> approximationTrack(const Approximation& a, double halfWidthS, int samples = 241);
// The half-width that shows a pass: the time to move 3 times the least distance (at least 10 min, at most 3 h).
double approximationHalfWidthS(const Approximation& a);

// The companion's table: header then one row per approximation (instants ISO 8601 UT to 0.1 s).
QString approximationsCsv(const std::vector<Approximation>& list);
// "2026-03-01T21:04:05.3": a UT instant to the tenth of a second.
QString utIsoTenths(double utSeconds);

} // namespace zeno
