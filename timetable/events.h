// The phenomena timetable: each change of a phenomenon label between two
// instants, found by stepping the very pass the window runs and refined by
// bisection to the second (search.h).
#pragma once

#include "calendar.h"
#include "enregistreur.h"
#include "hote.h"
#include "passe.h"
#include "search.h"

#include <QDateTime>
#include <QString>
#include <array>
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

// The search's seconds and the UT instants they stand for.
search::Seconds secondsOf(const QDateTime& ut);
QDateTime utOf(search::Seconds s);

constexpr int kPhenomenonLabels = kCaptionCount - kFirstPhenomenonCaption;
using LabelState = std::array<bool, kPhenomenonLabels>;   // which labels show their word

// The one probe of every search over time: a headless pass run through its
// UT entry at an instant of the search's axis.
class PassProbe {
public:
    explicit PassProbe(Theory theory);

    // Which of the sixteen labels show their word at a UT second.
    LabelState labels(search::Seconds ut);
    // The displayed System II meridian (syst2: omega2 reduced to 0..360), degrees.
    double systemII(search::Seconds ut);

private:
    Enregistreur host_;
    Calcul calcul_;
};

// Steps from fromUt to toUt on the civil time of the offset (so that a step
// of months or years is a civil one), one full pass per step and per
// bisection probe, and reports every label change in time order.
// `onlySatellite` -1 keeps all four. Throws ErreurExecution 5 when a civil
// time leaves the supported years, or as the pass.
std::vector<Event> findEvents(const QDateTime& fromUt, const QDateTime& toUt, double offsetHours, Step step,
                              int onlySatellite = -1, Theory theory = Theory::Original);
std::vector<Event> findEvents(PassProbe& probe, const QDateTime& fromUt, const QDateTime& toUt, double offsetHours,
                              Step step, int onlySatellite = -1);

} // namespace zeno
