// The modelled observation: the pair's relative position at the observed
// mid-time on the precise theory (with whatever correction is in use),
// topocentric for an occultation, from the Sun for an eclipse; the least
// least separation's instant for the timing check; and the weighted fit of
// the correction's constants.
#pragma once

#include "catalogue.h"
#include "l12_correction.h"

#include <QString>
#include <vector>

namespace zeno::fit {

// UT Julian Day whose TT (UT + the theory's Delta T) is the TT of a UTC
// instant (UTC + leap seconds + 32.184 s): the observations are dated in
// UTC, the theory is evaluated in TT.
double utForUtc(double jdUtc);

// Model X, Y (arcsec, the catalogue's convention) of the pair at a UTC instant.
struct SkyOffset {
    double x = 0, y = 0;
};
SkyOffset modelOffset(const Observation& o, double jdUtc);

// The observation's residuals (observed minus model), arcsec: X and Y, or
// for a position angle alone the model's offset along the relative path
// (zero at the observed mid-time).
int residualCount(const Observation& o);
void residuals(const Observation& o, double out[2]);

// The model's relative motion near the observed mid-time: the unit vector of
// the apparent path (X, Y), the speed, and how near to grazing the pair
// passes (least separation over the sum of the outlines' radii, from the
// Sun's penumbra for an eclipse).
struct Track {
    double ux = 0, uy = 0;
    double speedArcsecS = 0;
    double grazing = 0;
    double kmPerArcsec = 0;   // at the target, from the observer (occultation) or the Sun (eclipse)
};
Track modelTrack(const Observation& o);

// Observed minus model mid-time, seconds: the along-track offset (observed
// minus model at the observed instant) over the speed. A mid-time measures
// that component only; the catalogues' positions are their least
// separation, so the observed along-track offset is zero within 0.1 mas.
double timeResidualS(const Observation& o, const Track& t);
double midTimeOminusC(const Observation& o, double* speedMasS = nullptr);
// The formal sigma of the observed mid-time, seconds, from the catalogue's
// sigmas along the path.
double timeSigmaS(const Observation& o, const Track& t);

// An observation that times its event: not flagged doubtful by its
// catalogue, a drop of at least kMinimumDrop of the pair's light, and not
// grazing (least separation under kGrazing of the sum of the radii): a
// shallow or grazing light curve's minimum is ill-defined in time.
constexpr double kMinimumDrop = 0.1;
constexpr double kGrazing = 0.9;
bool timesWell(const Observation& o, const Track& t);

// The fit minimises mid-time residuals, each weighted by its formal sigma
// with a floor added in quadrature (observers of one event agree to about
// 2.8 s): a position fit would let the slow events, whose small position
// sigmas are large in time, dominate.
struct FitOptions {
    double floorS = 2.0;          // added in quadrature to each time sigma
    bool wellTimedOnly = true;    // fit only the observations that timesWell
    // The rates: held at zero, free, or tied by the Laplace resonance
    // (δn Io - 3 δn Europe + 2 δn Ganymède = 0, Callisto free).
    enum class Rates { Zero, Free, Laplace } rates = Rates::Zero;
    double rejectFactor = 3;      // times the robust sigma of the normalised residuals
    int maxIterations = 10;
};

struct FitResult {
    bool converged = false;
    QString message;              // why not, when not
    CorrectionL12 correction;
    double covariance[kCorrectionParameters][kCorrectionParameters] = {};
    int used = 0, rejected = 0;   // observations kept, and set aside as outliers
    int notTiming = 0;            // left out before the fit (not timesWell)
    double chi2PerDof = 0;
    double rmsBefore = 0, rmsAfter = 0;   // of the kept normalised mid-time residuals
};

// Weighted least squares (GSL), linearised around the current constants
// with numerical partials, repeated until the step is below 1e-3 of its
// formal error; observations whose normalised residual exceeds the
// threshold are set aside for good, and the fit is repeated until no more are.
FitResult fitCorrection(const std::vector<Observation>& obs, const FitOptions& options = {});

} // namespace zeno::fit
