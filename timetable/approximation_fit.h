// The reduction of an observed mutual approximation: the central instant,
// when the two satellites' apparent distance is least, fitted to a track of
// distances (Morgado et al. 2016, MNRAS 460, 4086): near the central
// instant the relative motion is uniform, so
//     d(t)² = d0² + v² (t − t0)²
// and, when the track bends, a curvature term c (t − t0)³ keeps t0 at the
// minimum. Weighted nonlinear least squares (GSL, Levenberg-Marquardt);
// uncertainties from the covariance scaled by the reduced chi-square.
//
// The track comes from a CSV file (time and Δx, Δy in pixels or arcseconds,
// or time and distance) or from any measurement giving (UT, Δx, Δy) per
// frame, such as the two satellites' centroids in a recording:
// trackFromOffsets turns those into the distances fitted here.
#pragma once

#include "approximations.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace zeno {

struct TrackSample {
    double ut = 0;         // UT seconds since 1970 (fraction allowed)
    double distance = 0;   // in the track's unit (arcsec or pixels)
    double sigma = 0;      // its 1-sigma uncertainty; 0 when unknown
};

enum class TrackUnit { Arcsec, Pixel };

// Relative positions (UT, Δx, Δy in one unit, one sigma per position or 0) to distances.
std::vector<TrackSample> trackFromOffsets(const std::vector<SkyOffset>& offsets, double sigma = 0);

// Column choices numbered from 0; nullopt: found from the header's names
// (t/time/jd/date, dx/Δx/x, dy/Δy/y, d/dist/sep, sigma/err).
struct TrackColumns {
    std::optional<int> time, dx, dy, distance, sigma;   // sigma -1: none
    std::optional<TrackUnit> unit;                      // nullopt: pixels when a header says "px"/"pix"
};

struct ObservedTrack {
    std::vector<TrackSample> samples;    // in time order
    std::vector<SkyOffset> offsets;      // the positions read, when the file gives Δx, Δy
    TrackUnit unit = TrackUnit::Arcsec;
    QStringList columnNames;
    int timeColumn = 0, dxColumn = -1, dyColumn = -1, distanceColumn = -1, sigmaColumn = -1;
    int rows = 0, badRows = 0;
    QString badRowsText;                 // French, empty when none
    QString error;                       // non-empty: no usable track, says why (French)
};

ObservedTrack readObservedTrack(const QString& text, const TrackColumns& columns = {});
ObservedTrack loadObservedTrack(const QString& path, const TrackColumns& columns = {});

enum class Curvature { Auto, Never, Always };

struct ApproximationFit {
    QString error;              // non-empty: the track cannot be fitted, says why (French); nothing else is set
    bool converged = false;     // false with error empty: the fit ran and failed its checks (see failure)
    QString failure;
    bool weighted = false;      // the samples' own uncertainties were used
    bool curvature = false;     // the curvature term was fitted (asked, or significant)
    int points = 0, iterations = 0;
    double firstUt = 0, lastUt = 0;
    double centralUt = 0, centralSigmaS = 0;   // t0, UT seconds
    double distance = 0, distanceSigma = 0;    // d0, the track's unit
    double speed = 0, speedSigma = 0;          // v, unit per second
    double curvatureTerm = 0, curvatureSigma = 0;   // c, unit² per s³
    double reducedChi2 = 0, rmsResidual = 0;
};

// At least this many samples, and a few on each side of the minimum.
constexpr int kApproxFitMinimumPoints = 7;
constexpr int kApproxFitSidePoints = 3;

ApproximationFit fitApproximation(const std::vector<TrackSample>& samples, Curvature curvature = Curvature::Auto);
// The fitted distance at a UT instant.
double fittedDistance(const ApproximationFit& fit, double utSeconds);

// The observation against the prediction: O−C of the central instant (s,
// and mas along the predicted relative motion) and, for a track in arcsec,
// of the least distance.
struct ApproximationOC {
    double centralS = 0, centralSigmaS = 0;
    double alongMas = 0;
    std::optional<double> distanceArcsec;
};
ApproximationOC approximationOC(const Approximation& predicted, const ApproximationFit& fit, TrackUnit unit);

// The plain-text report (same form as the light curves'): place, prediction,
// file, fitted values, O−C, then the samples with the model and residuals.
QString approximationReport(const Approximation& predicted, const ObservedTrack& track, const ApproximationFit& fit,
                            const QString& fileName);

} // namespace zeno
