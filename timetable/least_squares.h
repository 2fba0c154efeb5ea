// The one nonlinear least-squares driver of the fits: GSL's trust region
// with Levenberg-Marquardt steps and Moré's scaling.
#pragma once

#include <gsl/gsl_multifit_nlinear.h>

#include <cstddef>
#include <functional>
#include <vector>

namespace zeno {

struct LeastSquaresTolerances {
    std::size_t maxIterations = 200;
    double x = 1e-10, g = 1e-10, f = 0;   // GSL's xtol, gtol, ftol
};

struct LeastSquaresRun {
    bool started = false;                 // false: GSL could not allocate its workspace
    int status = GSL_FAILURE;             // of the start, else of the driver
    int iterations = 0;
    double chi2 = 0;                      // sum of the squared residuals at the result
    std::vector<double> x;                // the result
    std::vector<double> covariance;       // its diagonal, unscaled
};

// Fits fdf (n residuals, p parameters) from x0; `atResult` sees the
// Jacobian at the result.
LeastSquaresRun fitLeastSquares(gsl_multifit_nlinear_fdf fdf, const double* x0, const LeastSquaresTolerances& tol,
                                const std::function<void(const gsl_matrix*)>& atResult = {});

} // namespace zeno
