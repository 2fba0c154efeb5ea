// The one search routine of the timetable: every search over time (the
// phenomena, the Red Spot, the night, the mutual events) brackets a change
// on a step and bisects it to the second, or brackets a minimum and refines
// it with Brent's method.
#pragma once

#include <QtGlobal>
#include <functional>

namespace zeno::search {

// The search's time axis: whole seconds of UT since 1970-01-01 00:00:00
// (QDateTime::toSecsSinceEpoch of a UTC date-time).
using Seconds = qint64;

// The first second of (lo, hi] at which `changed` holds, given that it does
// not hold at lo and holds at hi: bisection to one second.
template <class Changed>
Seconds bisect(Seconds lo, Seconds hi, Changed&& changed)
{
    while (hi - lo > 1) {
        const Seconds mid = lo + (hi - lo) / 2;
        (changed(mid) ? hi : lo) = mid;
    }
    return hi;
}

// Steps a state from `from` to `to` (each next step from next(t), clipped to
// `to`) and calls onStep(t0, s0, t1, s1) for every step, so the caller
// bisects what changed. probe(t) returns the state at t.
template <class Probe, class Next, class OnStep>
void scan(Seconds from, Seconds to, Probe&& probe, Next&& next, OnStep&& onStep)
{
    Seconds t0 = from;
    auto s0 = probe(t0);
    while (t0 < to) {
        Seconds t1 = next(t0);
        if (t1 > to || t1 <= t0)
            t1 = to;
        auto s1 = probe(t1);
        onStep(t0, s0, t1, s1);
        t0 = t1;
        s0 = std::move(s1);
    }
}

struct Minimum {
    double t = 0;       // where f is least (same unit as the bracket)
    double value = 0;   // f(t)
};

// The least value of f on [a, b] (Brent's method, golden section with
// parabolic steps) to within `tolerance` in t. f should have a single
// minimum on the interval; at an end the end is returned.
Minimum minimize(const std::function<double(double)>& f, double a, double b, double tolerance);

} // namespace zeno::search
