// The observer's timetable: the coming night at the place, the satellites'
// phenomena of the timetable, the Great Red Spot's transits of the central
// meridian, and for each the altitudes of Jupiter and the Sun at the place
// and whether it can be seen. Everything is found on the very pass the
// window runs, through the one search routine (search.h).
#pragma once

#include "events.h"
#include "mutual_events.h"
#include "observer.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <atomic>
#include <functional>
#include <optional>
#include <vector>

namespace zeno {

// The Great Red Spot's longitude in System II, drifting steadily.
struct RedSpot {
    double longitudeDeg = 57;          // System II longitude at the epoch
    QDate epoch{2024, 7, 1};           // 0 h UT of that day
    double driftDegPerMonth = 1.5;     // positive: the longitude grows
};

constexpr double kDaysPerMonth = 30.436875;   // a mean Gregorian month

QString checkRedSpot(const RedSpot& t);
// The spot's System II longitude at a UT instant, reduced to 0..360.
double grsLongitudeDeg(const RedSpot& t, const QDateTime& ut);

struct ProgrammeRow {
    QDateTime ut;
    QDateTime civil;         // civil time of the offset
    int satellite = -1;      // 0..3, -1 for the Red Spot
    std::optional<Caption> label;   // the phenomenon label that changes; none for the Red Spot
    QString phenomenon;      // "Eclipsé", "Occulté", "Passage", "Ombre" or "Tache Rouge"
    QString change;          // "début", "fin", or "passage" for the Red Spot
    double jupiterAltDeg = 0, sunAltDeg = 0;   // when a place is given
    bool hidden = false;     // « caché »: a contact behind the disc or in the shadow
    bool observable = false; // never for a hidden row
    unsigned unseen = 0;     // when placed and not observable: the NotSeen reasons
    int mutual = -1;         // a mutual event: its index in the list it came with
    double magnitudeDrop = -1;   // a mutual event's drop at its maximum (negative: none)
    int approximation = -1;  // a mutual approximation: its index in the list it came with
};

// Why a placed row is not observable (bits of ProgrammeRow::unseen).
enum NotSeen : unsigned {
    kHidden = 1,       // behind Jupiter or in its shadow
    kJupiterLow = 2,   // Jupiter below the least altitude
    kDaylight = 4,     // the Sun above the greatest altitude
    kFaint = 8,        // a mutual event whose drop is below the least
};
// The reasons as the companion writes them: "hidden", "jupiter_low", "daylight", "faint".
QStringList notSeenCodes(unsigned unseen);
// The same in words for the windows (translated, context "Programme"), one per line.
QString notSeenText(const ProgrammeRow& row, const Visibility& v);

struct ProgrammeOptions {
    QDateTime fromUt, toUt;
    double offsetHours = 0;                     // "Différence TU-TC": UT = civil + offset
    Step step;                                   // 10 minutes
    int onlySatellite = -1;                     // -1: all four
    bool satellites = true;                     // the sixteen labels' changes
    std::optional<RedSpot> grs;              // Red Spot transits when set
    std::optional<Site> site;                   // altitudes and observability when set
    Theory theorie = Theory::Original;       // the pass that finds every instant
    Visibility visibility;
    // Called between slices with the fraction done; may be null.
    std::function<void(double)> progress;
    // Set from another thread to stop early; may be null.
    const std::atomic<bool>* cancel = nullptr;
    // When set, each day's rows (in time order, placed) go here as they are
    // found and buildProgramme keeps none: memory stays flat over long ranges.
    std::function<void(std::vector<ProgrammeRow>&)> onRows;
};

// An empty text when the range is usable, else the French message.
QString checkRange(const QDateTime& fromUt, const QDateTime& toUt);

// The timetable in time order (ties: satellites first, then the spot).
// Throws ErreurExecution 5 when a civil time leaves the supported years.
// Stops early, with what was found so far, when *cancel becomes true.
std::vector<ProgrammeRow> buildProgramme(const ProgrammeOptions& o);

// Red Spot transits alone: the first second at which the displayed System II
// meridian (syst2, reduced omega2) reaches the spot's longitude.
std::vector<QDateTime> grsTransits(const QDateTime& fromUt, const QDateTime& toUt, const RedSpot& t,
                                   Theory theorie = Theory::Original);

// Altitudes and observability filled in for one row.
void placeRow(ProgrammeRow& row, const Site& site, const Visibility& v);

// The kind of a mutual event as its row holds it: "totale", "annulaire", "partielle", "pénombrale".
QString kindRowWord(MutualKind kind);
// One row per event at its maximum (satellite: the target; phenomenon: the
// code; change: the kind; `mutual`: the event's index), with the place's
// altitudes when given, merged into `rows` in time order. Civil times are
// UT minus offsetHours.
void addMutualRows(std::vector<ProgrammeRow>& rows, const std::vector<MutualEvent>& events, double offsetHours,
                   const std::optional<Site>& site, const Visibility& visibility);

// The header and the rows as CSV (comma separated, fields quoted where needed):
// satellite,phenomene,changement,date,datetu,label,cache[,hauteur_jupiter,hauteur_soleil,observable,pourquoi];
// pourquoi: the notSeenCodes joined by spaces.
// In the precise theory a first comment line ("# ...") names it and its
// contact convention.
QString programmeCsv(const std::vector<ProgrammeRow>& rows, const QLocale& locale, bool withSite,
                     Theory theorie = Theory::Original);
// The same in two parts, for a table written as it is found.
QString csvHeader(bool withSite, Theory theorie);
QString csvRow(const ProgrammeRow& row, const QLocale& locale, bool withSite);

// A CSV field, quoted when it holds the separator, a quote or a line break.
QString csvField(const QString& s, QChar separator = u',');

// The comment line that opens a precise timetable's CSV, naming the
// satellites' theory in use (in French, as the file's columns).
QString preciseCsvComment();

} // namespace zeno
