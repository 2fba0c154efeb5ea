#include "least_squares.h"

#include <gsl/gsl_blas.h>

#include <memory>

namespace zeno {

namespace {

struct GslFree {
    void operator()(gsl_multifit_nlinear_workspace* w) const { gsl_multifit_nlinear_free(w); }
    void operator()(gsl_matrix* m) const { gsl_matrix_free(m); }
};

} // namespace

LeastSquaresRun fitLeastSquares(gsl_multifit_nlinear_fdf fdf, const double* x0, const LeastSquaresTolerances& tol,
                                const std::function<void(const gsl_matrix*)>& atResult)
{
    LeastSquaresRun run;
    const std::size_t n = fdf.n, p = fdf.p;
    gsl_multifit_nlinear_parameters params = gsl_multifit_nlinear_default_parameters();
    params.trs = gsl_multifit_nlinear_trs_lm;
    params.scale = gsl_multifit_nlinear_scale_more;
    std::unique_ptr<gsl_multifit_nlinear_workspace, GslFree> w(gsl_multifit_nlinear_alloc(gsl_multifit_nlinear_trust, &params, n, p));
    std::unique_ptr<gsl_matrix, GslFree> covar(gsl_matrix_alloc(p, p));
    if (!w || !covar)
        return run;
    run.started = true;
    run.x.assign(x0, x0 + p);
    gsl_vector_view start = gsl_vector_view_array(run.x.data(), p);
    int info = 0;
    run.status = gsl_multifit_nlinear_init(&start.vector, &fdf, w.get());
    if (run.status == GSL_SUCCESS)
        run.status = gsl_multifit_nlinear_driver(tol.maxIterations, tol.x, tol.g, tol.f, nullptr, nullptr, &info, w.get());
    run.iterations = int(gsl_multifit_nlinear_niter(w.get()));
    const gsl_vector* position = gsl_multifit_nlinear_position(w.get());
    for (std::size_t k = 0; k < p; ++k)
        run.x[k] = gsl_vector_get(position, k);
    const gsl_matrix* J = gsl_multifit_nlinear_jac(w.get());
    gsl_multifit_nlinear_covar(J, 0.0, covar.get());
    gsl_blas_ddot(gsl_multifit_nlinear_residual(w.get()), gsl_multifit_nlinear_residual(w.get()), &run.chi2);
    run.covariance.resize(p);
    for (std::size_t k = 0; k < p; ++k)
        run.covariance[k] = gsl_matrix_get(covar.get(), k, k);
    if (atResult)
        atResult(J);
    return run;
}

} // namespace zeno
