// The two text formats shared by the whole program, both following the
// user's regional settings: the number text and the date-and-time text.
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <array>

namespace zeno {

// The regional settings the program works with: the system's, or French
// where the system has none (the C/POSIX locale).
QLocale regionalLocale();

// The program's own forms, the same in every environment (French: day
// first, decimal comma): what the companion and the data files use.
QLocale programLocale();

// A double as number text: at most 15 significant digits rounded to nearest,
// no trailing zeros or separator, no thousands separators, the locale's
// decimal separator; exponent form (1E-05, 1E+15) below 0.0001 and from 1e15.
QString numberText(double value, const QLocale& locale);

// The value a number text reads back to: the value rounded to 15
// significant digits. Same result as reading numberText(value) back.
double round15(double value);

// Reads a number text (leading/trailing spaces allowed, sign, locale decimal
// separator, optional exponent). Throws ErreurExecution 13 when the text is
// not a finite number.
double readNumber(const QString& text, const QLocale& locale);

// Civil date-times are zone-less: they are held as QDateTime in Qt::UTC.
// Supported range: 01/01/0100 00:00:00 .. 31/12/9999 23:59:59.
constexpr int kFirstSupportedYear = 100;
constexpr int kLastSupportedYear = 9999;
QDateTime firstSupportedInstant();
QDateTime lastSupportedInstant();
bool isSupported(const QDateTime& instant);

// How a date-and-time text shows the time of day: left out at midnight (the
// window's own form), always, or always with the tenth of a second.
enum class TimeShown { UnlessMidnight, Always, Tenths, Milliseconds };

// Date-and-time text: date in the locale's short order and separator, year
// on four digits, then a space and HH:mm:ss (24 h, no zone); the date alone
// when the time is exactly midnight. French: 01/01/2000 12:00:00. Tenths:
// 01/01/2000 12:00:00.5, the instant's milliseconds cut to tenths;
// milliseconds: 01/01/2000 12:00:00.500.
QString dateTimeText(const QDateTime& instant, const QLocale& locale, TimeShown shown = TimeShown::UnlessMidnight);

// The order of the locale's short date, 'd', 'M' and 'y', and its separator.
struct DateOrder {
    std::array<char, 3> fields{'d', 'M', 'y'};
    QChar separator = u'/';
};
DateOrder dateOrder(const QLocale& locale);

// The form a date field expects, the three words in the locale's order with
// its separator: "Jour/Mois/Année" in France, "Month/Day/Year" in the US
// (words in the interface's language).
QString dateFormText(const QLocale& locale);

// Reads a date-and-time text written as above (day and month on one or two
// digits, time optional, seconds optional), or ISO 8601 in every locale
// (2026-12-15, 2026-12-15 21:00:00, 2026-12-15T21:00:00, a final Z allowed).
// Proleptic Gregorian calendar. With `fraction`, the seconds may carry a
// fraction (after '.' or ','), kept to the millisecond. Throws
// ErreurExecution 13 for anything that is not such a date in the supported years.
QDateTime readDateTime(const QString& text, const QLocale& locale, bool fraction = false);

} // namespace zeno
