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

// Observed minus model mid-time, seconds: the model's instant of least
// apparent separation near the observed one. speedMasS: the model's
// apparent relative speed there.
double midTimeOminusC(const Observation& o, double* speedMasS = nullptr);

struct FitOptions {
    double floorArcsec = 0.015;   // added in quadrature to each catalogue sigma
    double rejectFactor = 3;      // times the robust sigma of the normalised residuals
    int maxIterations = 10;
};

struct FitResult {
    bool converged = false;
    QString message;              // why not, when not
    CorrectionL12 correction;
    double covariance[kCorrectionParameters][kCorrectionParameters] = {};
    int used = 0, rejected = 0;   // observations
    double chi2PerDof = 0;
    double rmsBeforeMas = 0, rmsAfterMas = 0;   // of the kept residuals
};

// Weighted least squares (GSL), linearised around the current constants
// with numerical partials, repeated until the step is below 1e-3 of its
// formal error; observations whose normalised residual exceeds the
// threshold are set aside for good, and the fit is repeated until no more are.
FitResult fitCorrection(const std::vector<Observation>& obs, const FitOptions& options = {});

} // namespace zeno::fit
