// How the windows name mutual events, in the user's language.
#pragma once

#include "mutual_events.h"
#include "night_programme.h"

#include <QString>

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
