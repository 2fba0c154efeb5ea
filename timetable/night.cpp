#include "night.h"

#include "search.h"

#include <cmath>
#include <optional>

namespace zeno {

namespace {

constexpr search::Seconds kDay = 86400;
constexpr search::Seconds kStep = 1200;   // the altitude sampled every 20 minutes
// Within 20 minutes of its turning point the Sun's altitude moves less than
// 0.1°: a sample farther than this from the horizon brackets no hidden dip.
constexpr double kGrazingDeg = 0.5;

QDateTime instant(search::Seconds t) { return QDateTime::fromSecsSinceEpoch(t, Qt::UTC); }

class SunCrossings {
public:
    SunCrossings(const Site& site, double horizonDeg) : site_(site), horizon_(horizonDeg) {}

    double altitude(search::Seconds t) const { return sunAltitudeDeg(instant(t), site_); }
    bool dark(search::Seconds t) const { return altitude(t) < horizon_; }

    // The first second of (from, from + span] at which the Sun is on the
    // other side of the horizon than at `from`; none within the span.
    std::optional<search::Seconds> next(search::Seconds from, search::Seconds span) const
    {
        const bool darkAtStart = dark(from);
        const auto changed = [&](search::Seconds t) { return dark(t) != darkAtStart; };
        std::optional<search::Seconds> found;
        // Three samples in a row: a turning point near the horizon between the
        // outer two may hide a brief crossing that the samples miss.
        search::Seconds before = from;
        double altBefore = altitude(from);
        search::scan(
            from, from + span, [&](search::Seconds t) { return altitude(t); },
            [&](search::Seconds t) { return found ? from + span : t + kStep; },
            [&](search::Seconds t0, double a0, search::Seconds t1, double a1) {
                if (found)
                    return;
                if ((a1 < horizon_) != darkAtStart) {
                    found = search::bisect(t0, t1, changed);
                } else if (t0 > from && std::abs(a0 - horizon_) < kGrazingDeg
                           && (a0 - altBefore) * (a1 - a0) <= 0) {
                    found = turningPoint(before, t1, darkAtStart, changed);
                }
                before = t0;
                altBefore = a0;
            });
        return found;
    }

private:
    // The extremum between lo and hi; if it lies across the horizon, the first crossing before it.
    template <class Changed>
    std::optional<search::Seconds> turningPoint(search::Seconds lo, search::Seconds hi, bool darkAtStart,
                                                Changed&& changed) const
    {
        const double sign = darkAtStart ? -1 : 1;   // a dip when light, a rise when dark
        const search::Minimum m = search::minimize(
            [&](double t) { return sign * altitude(search::Seconds(std::llround(t))); }, double(lo), double(hi), 1.0);
        const search::Seconds t = search::Seconds(std::llround(m.t));
        if (!changed(t))
            return std::nullopt;
        return search::bisect(lo, t, changed);
    }

    Site site_;
    double horizon_;
};

} // namespace

Night comingNight(const QDateTime& nowUt, const Site& site, double horizonDeg)
{
    const SunCrossings sun(site, horizonDeg);
    const search::Seconds now = nowUt.toSecsSinceEpoch();
    Night n;
    search::Seconds start = now;
    if (!sun.dark(now)) {
        const auto set = sun.next(now, kDay);
        if (!set) {
            n.kind = NightKind::MidnightSun;
            n.startUt = nowUt;
            n.endUt = instant(now + kDay);
            return n;
        }
        start = *set;
    }
    const auto rise = sun.next(start, kDay);
    n.kind = rise ? NightKind::Night : NightKind::PolarNight;
    n.startUt = instant(start);
    n.endUt = instant(rise ? *rise : start + kDay);
    return n;
}

} // namespace zeno
