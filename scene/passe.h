// The computation pass: Effacinfo, gregor_juli, Parametres — the very code
// that the window, the command-line companion, the tests and the benchmarks run.
#pragma once

#include "calendar.h"
#include "ephemeride.h"
#include "hote.h"
#include "modern_theory.h"
#include "phenomenes.h"

#include <QLocale>
#include <QString>
#include <array>
#include <optional>

namespace zeno {

// Original: Meeus' theory and tests, the default, bit for bit as ever.
// Precise: L1.2 and the true geometry (modern_theory.h, phenomena_geometry.h).
enum class Theory { Original, Precise };

class Calcul {
public:
    Calcul(Hote& hote, QLocale locale);

    // Blanks the sixteen phenomenon labels with a single space.
    void Effacinfo();
    // Date text (civil time) and offset text (TU - TC, hours) to the UT
    // Julian Day; writes jourjuli, datetu and Form2's caption. Throws
    // ErreurExecution 13 for an unreadable text, 6 for an offset beyond a
    // double, 5 for an instant outside the supported years; nothing is
    // written then.
    void gregor_juli(const QString& dateText, const QString& offsetText);
    // The same from an instant, no text read (the UT entry).
    void gregor_juli(const Instant& at);
    // Ephemeris, System I/II labels (degrees in 0..360), both scenes cleared
    // and redrawn, the twelve tests. Runs once per gregor_juli. Throws
    // ErreurExecution 5 when called without a fresh gregor_juli, 5 or 6 for
    // a field that is not finite, 6 or 11 from the tests.
    void Parametres();
    // The whole pass as "&OK" runs it.
    void passe(const QString& dateText, const QString& offsetText);
    // The whole pass from an instant: the UT entry of the timetable, the
    // companion's --events and the benchmarks. Same bits as the typed pass of
    // its civil time and offset. Throws ErreurExecution 5 outside the
    // supported years, 5, 6 or 11 as Parametres.
    void passe(const Instant& at);

    // The theory of the next Parametres.
    void setTheorie(Theory theorie) { theorie_ = theorie; }
    Theory theorie() const { return theorie_; }

    const Ephemeride& record() const { return record_; }
    // The last modern record (set by Parametres in the precise theory only).
    const ModernEphemeris& recordModerne() const { return moderne_; }
    const TravailOmbre& shadow() const { return shadow_; }
    // Satellite k's (0..3) offsets X and Y, Jupiter radii, of the last pass in its theory.
    std::array<double, 2> offsets(int k) const;
    const QLocale& locale() const { return locale_; }
    // The UT instant of the last successful gregor_juli.
    const QDateTime& ut() const { return ut_; }

private:
    Hote& hote_;
    QLocale locale_;
    Ephemeride record_;
    TravailOmbre shadow_;
    QDateTime ut_;
    std::optional<JourJulienTU> pending_;   // set by gregor_juli, consumed by Parametres
    Theory theorie_ = Theory::Original;
    ModernEphemeris moderne_;

    void parametresPrecis(const JourJulienTU& jd);
    void keep(JourJulienTU jd);
};

} // namespace zeno
