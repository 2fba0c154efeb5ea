// The reduction of an observed light curve of a mutual event: the event's
// predicted light curve fitted to the points by weighted nonlinear least
// squares (GSL, Levenberg-Marquardt), free parameters the time shift, the
// impact parameter (the predicted track moved across itself), the flux
// scale and a linear trend of the baseline:
//     flux(t) = (scale + slope * (t - tMax) / 1 h) * pair(track(t - shift) + offset)
// The track is the predicted relative motion of the discs (mutualDiscsAt),
// curved and uneven as it is: a straight uniform motion would bias the
// minimum of long events by tens of seconds. The photometry is shapeFlux's.
// Uncertainties: the covariance scaled by the reduced chi-square; the
// points' own uncertainties floored at 0.2 times their median, outliers
// beyond 5 robust sigmas clipped and the fit repeated. Converged only when
// the curve dims where the event dims it, the fitted minimum has points on
// both sides within the fitted event, the depth is within 1/10..10 of the
// predicted (outside 1/3..3 it is said) and no point holds half the
// information on the shift.
#pragma once

#include "mutual_events.h"
#include "observed_curve.h"
#include "observer.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace zeno {

struct CurveFit {
    QString error;              // non-empty: the points cannot be fitted, says why (French); nothing else is set
    bool converged = false;     // false with error empty: the fit ran and did not converge (see failure)
    QString failure;            // what the fit reached when it did not converge (French)
    bool weighted = false;      // the points' own uncertainties were used
    int points = 0;             // points used
    int outsideWindow = 0;      // points of the file outside the event's window, not used
    int iterations = 0;
    double windowStart = 0, windowEnd = 0;   // UT seconds: the points taken
    MutualEvent event;          // the event fitted
    EventShape predicted;       // its shape as predicted (the radii and the light's shares)
    double offsetKm = 0;        // the fitted track's offset from the predicted one, across it
    double offsetX = 0, offsetY = 0;   // that offset's direction (unit, target's plane)
    double shiftS = 0, shiftSigmaS = 0;      // observed minus predicted time of the minimum (O-C)
    double observedMaxUt = 0;                // UT seconds, fraction kept
    double impactKm = 0, impactSigmaKm = 0;  // sigma NaN when the points do not fix it (a central event)
    double scale = 1, scaleSigma = 0;        // the baseline's flux at the predicted maximum
    double slopePerHour = 0, slopeSigma = 0; // the baseline's change per hour, in flux
    double depth = 0, depthSigma = 0;        // fraction of the pair's light lost at the observed minimum
    double magnitudeDrop = 0;                // the same in magnitudes
    double predictedDepth = 0;               // the same predicted, at the predicted maximum
    double reducedChi2 = 0;
    double rmsResidual = 0;                  // relative to the baseline
    int clipped = 0;                         // points dropped beyond 5 robust sigmas of the model (iterated)
    int floored = 0;                         // uncertainties raised to 0.2 times their median
    QStringList warnings;                    // what a converged fit still says (French): depth far from predicted, points clipped...
};

// At least this many points inside the event's window.
constexpr int kFitMinimumPoints = 10;

CurveFit fitLightCurve(const MutualEvent& event, const std::vector<ObservedPoint>& points);

// The event an observed curve holds: of the mutual events whose maximum
// lies between the first and the last point, the deepest; nullopt when none.
std::optional<MutualEvent> mutualEventDuring(const std::vector<ObservedPoint>& points);

// The fitted model, and the prediction drawn on the fitted baseline, at a UT instant (seconds).
double fittedFlux(const CurveFit& fit, double utSeconds);
double predictedOnBaseline(const CurveFit& fit, double utSeconds);

// "dd/MM/yyyy HH:mm:ss.s": a UT instant to the tenth of a second.
QString utTextTenths(double utSeconds);

// The plain-text report a campaign takes as it is: the observer's place
// (site null: not set), the event, the file, the fitted values and the
// points used with the model and the residuals.
QString reductionReport(const MutualEvent& event, const ObservedCurve& curve, const CurveFit& fit,
                        const QString& fileName, const Site* site);

} // namespace zeno
