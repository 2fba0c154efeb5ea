// The phenomena timetable: each change of a phenomenon label between two
// instants, found by stepping the very pass the window runs and refined by
// bisection to the second.
#pragma once

#include "calendar.h"
#include "hote.h"
#include "passe.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <functional>
#include <vector>

namespace zeno {

struct Event {
    Caption label;          // InfoIoOm, ...
    bool begins;            // the word appears (true) or goes (false)
    QDateTime civil;        // first second of the new state, civil time of the offset
    QDateTime ut;
};

struct Step {
    StepUnit unit = StepUnit::Minute;
    int count = 10;
};

// "10n", "1h", "2d", "30s", "1m", "1yyyy": a positive count and a unit code.
// Throws ErreurExecution 13 when the text is not such a step.
Step readStep(const QString& text);

// The satellite (0..3) and phenomenon word of a label.
int satelliteOfCaption(Caption label);
QString phenomenonWord(Caption label);

// Steps from `from` to `to` (civil times), one full pass per step and per
// bisection probe, and reports every label change in time order. `onlySatellite`
// -1 keeps all four; `theorie` is the pass's theory. Throws ErreurExecution
// for an unreadable offset or a pass that fails.
std::vector<Event> findEvents(const QDateTime& from, const QDateTime& to, Step step,
                                         const QString& offsetText, const QLocale& locale,
                                         int onlySatellite = -1, Theory theorie = Theory::Original);

} // namespace zeno
