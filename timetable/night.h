// The coming night at the observer's place, from the apparent Sun's altitude
// itself: where it crosses the horizon, found with the timetable's search.
#pragma once

#include "observer.h"

#include <QDateTime>

namespace zeno {

// The Sun's upper limb on the horizon, refraction included.
constexpr double kStandardHorizonDeg = -0.8333;

enum class NightKind {
    Night,         // sunset (or now, when already dark) to the next sunrise
    MidnightSun,   // the Sun stays up for the next 24 h: no night, those 24 h instead
    PolarNight,    // the Sun does not rise within 24 h of the start: 24 h of darkness
};

struct Night {
    QDateTime startUt, endUt;
    NightKind kind = NightKind::Night;
};

// The night containing `nowUt` when the Sun is below the horizon then, else
// the next one; each bound is the first second on its side of the horizon.
Night comingNight(const QDateTime& nowUt, const Site& site, double horizonDeg = kStandardHorizonDeg);

} // namespace zeno
