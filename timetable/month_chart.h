// The month at a glance: each satellite's offset X along Jupiter's equator
// (the pass's X, Jupiter radii) through a month, with what breaks the tracks
// (eclipses, occultations, transits, shadows on the disk, from the
// timetable), the nights at the observer's place and the Red Spot's transits.
// Headless: the window and the companion draw it.
#pragma once

#include "observer.h"
#include "passe.h"
#include "night_programme.h"

#include <QLocale>
#include <QString>
#include <QTimeZone>
#include <QtGlobal>
#include <array>
#include <optional>
#include <vector>

namespace zeno {

// Seconds of UT since 1970-01-01 (the search's time axis).
using UtSeconds = qint64;

enum class PhaseKind { Eclipse, Occultation, Transit, Shadow };

// One phenomenon of one satellite, from its start to its end (clipped to the chart).
struct PhaseInterval {
    int satellite = 0;
    PhaseKind kind = PhaseKind::Eclipse;
    UtSeconds from = 0, to = 0;
};

struct NightInterval {
    UtSeconds from = 0, to = 0;   // sunset (Sun's upper limb at -0.833°) to sunrise
};

// Instant and duration of a mutual event, for the marks on the chart.
struct MutualMark {
    int active = 0, passive = 0;   // satellites (0..3): the one that hides and the one hidden
    bool eclipse = false;          // true: a shadow; false: an occultation
    UtSeconds from = 0, to = 0;
};

// The central instant of a mutual approximation, for the marks on the chart.
struct ApproximationMark {
    int first = 0, second = 1;     // satellites (0..3)
    UtSeconds at = 0;
    double distanceArcsec = 0;
};

struct MonthChartOptions {
    int year = 2025, month = 1;
    Theory theorie = Theory::Original;
    QString offsetText = QStringLiteral("0");   // "Différence TU-TC", hours
    bool civilAxis = false;          // the month and its hours in the civil time of the offset, else UT
    QTimeZone zone;                  // when valid: in this zone's local time, daylight saving included (wins)
    std::optional<Site> site;        // the nights and the table's altitudes when set
    Visibility visibility;
    std::optional<RedSpot> grs;   // the Red Spot's transits when set
};

struct MonthChart {
    MonthChartOptions options;
    double offsetHours = 0;          // the offset read: civil = UT - offset
    UtSeconds start = 0, end = 0;    // the month's first and last instant on the axis, as UT
    UtSeconds step = 0;              // between samples
    std::vector<std::array<float, 4>> x;   // sample k at start + k * step (the last one at or after end)
    std::vector<PhaseInterval> phases;
    std::vector<NightInterval> nights;
    std::vector<UtSeconds> grs;
    std::vector<MutualMark> mutual;
    std::vector<ApproximationMark> approximations;   // with the precise theory, from the place when set
    std::vector<ProgrammeRow> rows;      // the month's timetable, as the phenomena window lists it

    // X of a satellite at an instant of the chart, linear between samples.
    double xAt(int satellite, UtSeconds t) const;
    // The phenomena of a satellite under way at an instant (bit per PhaseKind).
    unsigned phasesAt(int satellite, UtSeconds t) const;
    // Axis time (UT, civil time of the offset, or the zone's wall clock, as
    // seconds of a zone-less calendar) of a UT instant, and back.
    UtSeconds axisOf(UtSeconds ut) const;
    UtSeconds utOf(UtSeconds axis) const;
    // The hour (0..23) of the axis' clock at a UT instant.
    int axisHour(UtSeconds ut) const;
    bool localAxis() const { return options.zone.isValid(); }
};

// A point every 20 minutes: a chord of Io's track departs from it by 0.002 RJ at most.
constexpr UtSeconds kTrackStepSeconds = 20 * 60;

// An empty text when the month can be charted, else the French message.
QString checkMonth(int year, int month);

// The four X of the pass from `start` to `end` every `step` seconds of UT
// (one more sample at or after `end`). Throws ErreurExecution if a pass fails.
std::vector<std::array<float, 4>> computeTracks(UtSeconds start, UtSeconds end, UtSeconds step, Theory theorie,
                                                const QLocale& locale);

// Intervals of each satellite's phenomena from a timetable between start and
// end: a phenomenon already under way at the start ends a first interval, one
// not ended by the end runs to it.
std::vector<PhaseInterval> phaseIntervals(const std::vector<ProgrammeRow>& rows, UtSeconds start, UtSeconds end);

// The nights at a place that overlap [start, end].
std::vector<NightInterval> nightsBetween(UtSeconds start, UtSeconds end, const Site& site);

// The mutual events whose maximum lies in [start, end], from their search
// (always on the precise theory).
std::vector<MutualMark> mutualMarks(UtSeconds start, UtSeconds end);
// The mutual approximations (default thresholds) whose central instant lies in [start, end].
std::vector<ApproximationMark> approximationMarks(UtSeconds start, UtSeconds end, const std::optional<Site>& site);

// The whole month: tracks, the timetable and its intervals, nights, Red Spot,
// and with the precise theory the mutual events.
// Throws ErreurExecution 13 for an unreadable offset; checkMonth first.
MonthChart computeMonthChart(const MonthChartOptions& o, const QLocale& locale);

// The month's name in the user's language ("mars 2025").
QString monthTitle(int year, int month);
// The day's short name in the user's language ("lun." for 1, Monday, to "dim." for 7).
QString weekdayShort(int dayOfWeek);

} // namespace zeno
