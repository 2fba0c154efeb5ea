#include "search.h"

#include <cmath>

namespace zeno::search {

Minimum minimize(const std::function<double(double)>& f, double a, double b, double tolerance)
{
    constexpr double kGolden = 0.3819660112501051;   // (3 - sqrt 5) / 2
    constexpr int kMaxIterations = 200;
    double x = a + kGolden * (b - a), w = x, v = x;
    double fx = f(x), fw = fx, fv = fx;
    double d = 0, e = 0;
    for (int i = 0; i < kMaxIterations; ++i) {
        const double m = (a + b) / 2;
        const double tol1 = tolerance / 2 + 1e-12 * std::abs(x);
        const double tol2 = 2 * tol1;
        if (std::abs(x - m) <= tol2 - (b - a) / 2)
            break;
        bool golden = true;
        if (std::abs(e) > tol1) {
            // A parabola through x, w and v.
            double r = (x - w) * (fx - fv);
            double q = (x - v) * (fx - fw);
            double p = (x - v) * q - (x - w) * r;
            q = 2 * (q - r);
            if (q > 0)
                p = -p;
            q = std::abs(q);
            const double eOld = e;
            e = d;
            if (std::abs(p) < std::abs(q * eOld / 2) && p > q * (a - x) && p < q * (b - x)) {
                d = p / q;
                const double u = x + d;
                if (u - a < tol2 || b - u < tol2)
                    d = x < m ? tol1 : -tol1;
                golden = false;
            }
        }
        if (golden) {
            e = (x < m ? b : a) - x;
            d = kGolden * e;
        }
        const double u = std::abs(d) >= tol1 ? x + d : x + (d > 0 ? tol1 : -tol1);
        const double fu = f(u);
        if (fu <= fx) {
            (u < x ? b : a) = x;
            v = w, fv = fw;
            w = x, fw = fx;
            x = u, fx = fu;
        } else {
            (u < x ? a : b) = u;
            if (fu <= fw || w == x) {
                v = w, fv = fw;
                w = u, fw = fu;
            } else if (fu <= fv || v == x || v == w) {
                v = u, fv = fu;
            }
        }
    }
    return {x, fx};
}

} // namespace zeno::search
