// The words of the timetable's rows: French, as the pass writes them and the
// companion's CSV and JSON keep them. The windows and their documents show
// them in the user's language (context "Phenomene").
#pragma once

#include <QString>
#include <QStringList>

namespace zeno {

enum class RowWord {
    Eclipse, Shadow, Occultation, Transit,   // the phenomena, in the labels' order
    RedSpot, Begin, End, RedSpotTransit,     // "Tache Rouge"; "début", "fin"; the spot's "passage"
    Total, Annular, Partial, Penumbral,      // the mutual events' kinds
};

// The French word as the rows hold it.
QString rowWord(RowWord w);
// Every word a row's phenomenon or change can hold, the mutual events' codes aside.
QStringList rowWords();
// A row's word as shown to the user; a code ("2E1") or an empty text unchanged.
QString shownWord(const QString& word);

} // namespace zeno
