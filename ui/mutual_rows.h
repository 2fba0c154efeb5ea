// How the phenomena window lists mutual events: their French words and
// their rows among the other phenomena.
#pragma once

#include "mutual_events.h"
#include "night_programme.h"

#include <QString>

#include <vector>

// "occultation" / "éclipse".
QString mutualTypeWord(const zeno::MutualEvent& event);
// "totale", "annulaire", "partielle", "pénombrale", as the windows show it (translated).
QString mutualKindWord(const zeno::MutualEvent& event);
// "Europe éclipse Io", "Io occulte Ganymède".
QString mutualSentence(const zeno::MutualEvent& event);
// "2E1 — Europe éclipse Io, éclipse partielle".
QString mutualTitle(const zeno::MutualEvent& event);
// The note the windows show: the precise theory, whatever the box says.
QString mutualTheoryNote();

// One row per event at its maximum (satellite: the target; phenomenon: the
// code; change: the kind, in French as the other rows' words; `mutual`: the event's index), with the place's
// altitudes when given, merged into `rows` in time order. Civil times are
// UT minus offsetHours.
void addMutualRows(std::vector<zeno::ProgrammeRow>& rows, const std::vector<zeno::MutualEvent>& events,
                   double offsetHours, const std::optional<zeno::Site>& site, const zeno::Visibility& visibility);
