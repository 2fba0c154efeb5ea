// The two text formats shared by the whole program, both following the
// user's regional settings: the number text and the date-and-time text.
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace zeno {

// The regional settings the program works with: the system's, or French
// where the system has none (the C/POSIX locale).
QLocale regionalLocale();

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

// Date-and-time text: date in the locale's short order and separator, year
// on four digits, then a space and HH:mm:ss (24 h, no zone); the date alone
// when the time is exactly midnight. French: 01/01/2000 12:00:00.
QString dateTimeText(const QDateTime& instant, const QLocale& locale);

// Reads a date-and-time text written as above (day and month on one or two
// digits, time optional, seconds optional). Proleptic Gregorian calendar.
// Throws ErreurExecution 13 for anything that is not such a date in the
// supported years.
QDateTime readDateTime(const QString& text, const QLocale& locale);

} // namespace zeno
