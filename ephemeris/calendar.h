// Calendar arithmetic and the Julian Day (Meeus' calendar formula).
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <cstdint>

namespace zeno {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kSecondsPerHour = 3600;

// The step units of the option group, by their codes "yyyy", "m", "d", "h", "n", "s".
enum class StepUnit { Year, Month, Day, Hour, Minute, Second };

// Throws ErreurExecution 5 for an unknown code.
StepUnit stepUnitFromCode(const QString& code);
QString stepUnitCode(StepUnit unit);

// Adds a signed count of units, proleptic Gregorian, whole seconds: years and
// months clamp the day to the end of a shorter month; days, hours, minutes and
// seconds carry. Throws ErreurExecution 5 when the result leaves the
// supported range (01/01/0100 .. 31/12/9999).
QDateTime addUnits(const QDateTime& instant, StepUnit unit, std::int64_t count);

// Moves a civil time by an offset in hours (fractions move by the nearest
// whole second). Throws ErreurExecution 5 outside the supported range.
QDateTime addHours(const QDateTime& instant, double hours);

// The step count from the text of the amount field: read as a number,
// negated first when `negate`, rounded half to even; must fit 16 bits.
// Throws 13 (not a number) or 6 (outside -32768..32767).
std::int16_t stepCount(const QString& amountText, bool negate, const QLocale& locale);

// Julian Day of a UT instant: Julian calendar before 15/10/1582, Gregorian from it.
double julianDayValue(const QDateTime& ut);

// An instant as the program carries it: UT, and the offset TU - TC in hours
// ("Différence TU-TC") of the civil time it is shown in.
struct Instant {
    QDateTime ut;
    double offsetHours = 0;
    // UT minus the offset, to the nearest second. Throws ErreurExecution 5
    // outside the supported years.
    QDateTime civil() const { return addHours(ut, -offsetHours); }
};

// What gregor_juli produces from the date text and the offset text. Only
// gregorJuli() makes one: it is the only starting point of an ephemeris
// computation, so a Julian Day can never be converted to JDE twice.
class JourJulienTU {
public:
    const QDateTime& ut() const { return ut_; }
    const QString& text() const { return text_; }     // JD as number text
    double value() const { return value_; }           // that text read back (15 digits)
    const QString& dateText() const { return dateText_; } // UT date-and-time text

private:
    friend JourJulienTU gregorJuli(const QString&, const QString&, const QLocale&);
    friend JourJulienTU jourJulienOfUt(const QDateTime&, const QLocale&);
    QDateTime ut_;
    QString text_;
    double value_ = 0;
    QString dateText_;
};

// Reads the offset text then the date text, applies the offset, and forms the
// Julian Day. Throws ErreurExecution (13 unreadable text, 6 an offset beyond
// a double, 5 an instant outside the supported years).
JourJulienTU gregorJuli(const QString& dateText, const QString& offsetText, const QLocale& locale);

// The same from a UT instant, no text read: what gregorJuli forms once it
// has the instant. Throws ErreurExecution 5 outside the supported years.
JourJulienTU jourJulienOfUt(const QDateTime& ut, const QLocale& locale);

} // namespace zeno
