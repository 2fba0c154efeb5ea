#include "regional.h"

#include "erreur.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace zeno {

namespace {

constexpr int kSignificantDigits = 15;

// Order of the day, month and year fields and the separators of a locale.
struct DateForm {
    std::array<char, 3> order{'d', 'M', 'y'};
    QChar dateSep = u'/';
    QChar timeSep = u':';
};

DateForm scanDateForm(const QLocale& locale)
{
    DateForm form;
    const QString date = locale.dateFormat(QLocale::ShortFormat);
    int n = 0;
    bool sepFound = false;
    for (qsizetype i = 0; i < date.size() && n < 3; ++i) {
        const QChar c = date[i];
        if (c == u'd' || c == u'M' || c == u'y') {
            const char f = char(c.unicode());
            bool seen = false;
            for (int k = 0; k < n; ++k)
                seen = seen || form.order[k] == f;
            if (!seen)
                form.order[n++] = f;
            while (i + 1 < date.size() && date[i + 1] == c)
                ++i;
        } else if (n > 0 && n < 3 && !sepFound && !c.isLetter() && c != u'\''
                   && c.category() != QChar::Other_Format) {   // not a direction mark
            form.dateSep = c;
            sepFound = true;
        }
    }
    if (n != 3)
        form.order = {'d', 'M', 'y'};
    if (form.dateSep.isSpace() || form.dateSep.isLetterOrNumber())
        form.dateSep = u'/';

    const QString time = locale.timeFormat(QLocale::LongFormat);
    for (qsizetype i = 0; i + 1 < time.size(); ++i) {
        if ((time[i] == u'H' || time[i] == u'h') && time[i + 1] != time[i]) {
            const QChar c = time[i + 1];
            if (!c.isLetterOrNumber() && !c.isSpace())
                form.timeSep = c;
            break;
        }
    }
    return form;
}

// The locale's formats are read once: every pass writes and reads dates.
const DateForm& dateForm(const QLocale& locale)
{
    thread_local QLocale cachedLocale(QLocale::C);
    thread_local DateForm cachedForm = scanDateForm(QLocale(QLocale::C));
    if (!(locale == cachedLocale)) {
        cachedForm = scanDateForm(locale);
        cachedLocale = locale;
    }
    return cachedForm;
}


// The 15 significant digits of a finite non-zero value and its decimal
// exponent, trailing zeros removed: 2451545.00063979 -> "245154500063979", 6.
// Returns the number of digits written to `digits` (at most 15).
int decimalDigits(double value, char (&digits)[kSignificantDigits], int& exponent)
{
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific,
                                   kSignificantDigits - 1);
    int n = 0;
    const char* p = buf;
    for (; p < res.ptr && *p != 'e'; ++p)
        if (*p != '.')
            digits[n++] = *p;
    while (n > 1 && digits[n - 1] == '0')
        --n;
    std::from_chars(p + 1 + (p[1] == '+'), res.ptr, exponent);
    return n;
}

// The locale's decimal separator, read once per locale: every pass writes numbers.
const QString& decimalPoint(const QLocale& locale)
{
    thread_local QLocale cachedLocale(QLocale::C);
    thread_local QString cachedPoint = QLocale(QLocale::C).decimalPoint();
    if (!(locale == cachedLocale)) {
        cachedPoint = locale.decimalPoint();
        cachedLocale = locale;
    }
    return cachedPoint;
}

// Text assembled in place, then turned into one QString.
class TextBuffer {
public:
    void add(char16_t c) { buf_[n_++] = c; }
    void add(const char* s, int count)
    {
        for (int i = 0; i < count; ++i)
            buf_[n_++] = char16_t(s[i]);
    }
    void add(const QString& s)
    {
        for (const QChar c : s)
            buf_[n_++] = c.unicode();
    }
    void zeros(int count)
    {
        for (int i = 0; i < count; ++i)
            buf_[n_++] = u'0';
    }
    // Digits of 0 <= v, at least `width` of them, zero-padded.
    void number(int v, int width)
    {
        char d[12];
        const auto res = std::to_chars(d, d + sizeof d, v);
        zeros(width - int(res.ptr - d));
        add(d, int(res.ptr - d));
    }
    QString text() const { return QString(reinterpret_cast<const QChar*>(buf_), n_); }

private:
    char16_t buf_[96];
    qsizetype n_ = 0;
};

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Reads 1 to maxDigits ASCII digits at pos; -1 when there are none or too many.
int readField(const QString& s, qsizetype& pos, int maxDigits)
{
    int value = 0, n = 0;
    while (pos < s.size() && isAsciiDigit(s[pos])) {
        if (++n > maxDigits)
            return -1;
        value = value * 10 + (s[pos].unicode() - u'0');
        ++pos;
    }
    return n == 0 ? -1 : value;
}

bool isDateSeparator(QChar c, const DateForm& form)
{
    return c == form.dateSep || c == u'/' || c == u'.' || c == u'-';
}

void skipSpaces(const QString& s, qsizetype& pos)
{
    while (pos < s.size() && s[pos].isSpace())
        ++pos;
}

[[noreturn]] void mismatch() { throw ErreurExecution(ErreurExecution::Incompatibilite); }

} // namespace

QLocale regionalLocale()
{
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        return QLocale(QLocale::French, QLocale::France);
    return system;
}

QLocale programLocale() { return QLocale(QLocale::French, QLocale::France); }

QString numberText(double value, const QLocale& locale)
{
    if (value == 0 || !std::isfinite(value))
        return value == 0 ? QStringLiteral("0") : QString::number(value);
    char digits[kSignificantDigits];
    int exponent = 0;
    const int n = decimalDigits(value, digits, exponent);
    const QString& point = decimalPoint(locale);
    if (point.size() > 8)
        return {};   // no locale has such a separator; keeps the buffer's bound

    TextBuffer out;
    if (value < 0)
        out.add(u'-');
    if (exponent < -4 || exponent >= kSignificantDigits) {
        out.add(char16_t(digits[0]));
        if (n > 1) {
            out.add(point);
            out.add(digits + 1, n - 1);
        }
        out.add(u'E');
        out.add(exponent < 0 ? u'-' : u'+');
        out.number(std::abs(exponent), 2);
        return out.text();
    }
    if (exponent < 0) {
        out.add(u'0');
        out.add(point);
        out.zeros(-exponent - 1);
        out.add(digits, n);
        return out.text();
    }
    const int intDigits = exponent + 1;
    if (n <= intDigits) {
        out.add(digits, n);
        out.zeros(intDigits - n);
    } else {
        out.add(digits, intDigits);
        out.add(point);
        out.add(digits + intDigits, n - intDigits);
    }
    return out.text();
}

double round15(double value)
{
    if (value == 0 || !std::isfinite(value))
        return value;
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific,
                                   kSignificantDigits - 1);
    double back = 0;
    std::from_chars(buf, res.ptr, back, std::chars_format::scientific);
    return back;
}

double readNumber(const QString& text, const QLocale& locale)
{
    const QString point = locale.decimalPoint();
    const QString minus = locale.negativeSign();
    qsizetype pos = 0;
    skipSpaces(text, pos);
    std::string ascii;
    if (pos < text.size()) {
        const QChar c = text[pos];
        if (c == u'+') {
            ++pos;
        } else if (c == u'-' || c == QChar(0x2212)) {
            ascii.push_back('-');
            ++pos;
        } else if (!minus.isEmpty() && QStringView(text).mid(pos, minus.size()) == minus) {
            ascii.push_back('-');
            pos += minus.size();
        }
    }
    bool mantissa = false;
    while (pos < text.size() && isAsciiDigit(text[pos])) {
        ascii.push_back(char(text[pos++].unicode()));
        mantissa = true;
    }
    if (pos < text.size() && !point.isEmpty() && QStringView(text).mid(pos, point.size()) == point) {
        ascii.push_back('.');
        pos += point.size();
        while (pos < text.size() && isAsciiDigit(text[pos])) {
            ascii.push_back(char(text[pos++].unicode()));
            mantissa = true;
        }
    }
    if (!mantissa)
        mismatch();
    if (pos < text.size() && (text[pos] == u'e' || text[pos] == u'E')) {
        ascii.push_back('e');
        ++pos;
        if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-'))
            ascii.push_back(char(text[pos++].unicode()));
        bool expDigits = false;
        while (pos < text.size() && isAsciiDigit(text[pos])) {
            ascii.push_back(char(text[pos++].unicode()));
            expDigits = true;
        }
        if (!expDigits)
            mismatch();
    }
    skipSpaces(text, pos);
    if (pos != text.size())
        mismatch();

    double value = 0;
    const auto res = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Too small reads as zero; too large does not fit a double.
        const auto e = ascii.find('e');
        const bool tiny = e != std::string::npos && ascii.find('-', e) != std::string::npos;
        if (tiny)
            return 0.0;
        throw ErreurExecution(ErreurExecution::Depassement);
    }
    if (res.ec != std::errc() || res.ptr != ascii.data() + ascii.size())
        mismatch();
    if (!std::isfinite(value))
        throw ErreurExecution(ErreurExecution::Depassement);
    return value;
}

QDateTime firstSupportedInstant()
{
    return QDateTime(QDate(kFirstSupportedYear, 1, 1), QTime(0, 0, 0), Qt::UTC);
}
QDateTime lastSupportedInstant()
{
    return QDateTime(QDate(kLastSupportedYear, 12, 31), QTime(23, 59, 59), Qt::UTC);
}

bool isSupported(const QDateTime& instant)
{
    return instant.isValid() && instant >= firstSupportedInstant() && instant <= lastSupportedInstant();
}

QString dateTimeText(const QDateTime& instant, const QLocale& locale, TimeShown shown)
{
    const DateForm& form = dateForm(locale);
    int year = 0, month = 0, day = 0;
    instant.date().getDate(&year, &month, &day);
    TextBuffer out;
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            out.add(form.dateSep.unicode());
        switch (form.order[i]) {
        case 'd': out.number(day, 2); break;
        case 'M': out.number(month, 2); break;
        default:
            if (year < 0)   // QString::number and rightJustified, as ever
                out.add(QString::number(year).rightJustified(4, u'0'));
            else
                out.number(year, 4);
            break;
        }
    }
    const QTime time = instant.time();
    if (shown != TimeShown::UnlessMidnight || time.hour() != 0 || time.minute() != 0 || time.second() != 0) {
        out.add(u' ');
        out.number(time.hour(), 2);
        out.add(form.timeSep.unicode());
        out.number(time.minute(), 2);
        out.add(form.timeSep.unicode());
        out.number(time.second(), 2);
        if (shown == TimeShown::Tenths || shown == TimeShown::Milliseconds) {
            out.add(u'.');
            const bool tenths = shown == TimeShown::Tenths;
            out.number(tenths ? time.msec() / 100 : time.msec(), tenths ? 1 : 3);
        }
    }
    return out.text();
}

DateOrder dateOrder(const QLocale& locale)
{
    const DateForm& form = dateForm(locale);
    return {form.order, form.dateSep};
}

QString dateFormText(const QLocale& locale)
{
    const DateForm& form = dateForm(locale);
    QString out;
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            out += form.dateSep;
        out += form.order[i] == 'd'   ? QCoreApplication::translate("Dates", "Jour")
             : form.order[i] == 'M' ? QCoreApplication::translate("Dates", "Mois")
                                    : QCoreApplication::translate("Dates", "Année");
    }
    return out;
}

namespace {

// HH:mm[:ss[.fff]] at pos, to the end of the text (spaces allowed after);
// the time in milliseconds of the day.
int readTime(const QString& text, qsizetype& pos, QChar timeSep, bool fraction)
{
    auto isTimeSep = [&] { return pos < text.size() && (text[pos] == timeSep || text[pos] == u':'); };
    const int hour = readField(text, pos, 2);
    if (hour < 0 || !isTimeSep())
        mismatch();
    ++pos;
    const int minute = readField(text, pos, 2);
    if (minute < 0)
        mismatch();
    int second = 0, milli = 0;
    if (isTimeSep()) {
        ++pos;
        second = readField(text, pos, 2);
        if (second < 0)
            mismatch();
        if (fraction && pos + 1 < text.size() && (text[pos] == u'.' || text[pos] == u',') && isAsciiDigit(text[pos + 1])) {
            ++pos;
            int scale = 100;
            for (; pos < text.size() && isAsciiDigit(text[pos]); ++pos, scale /= 10)
                milli += scale * (text[pos].unicode() - u'0');   // digits past the millisecond weigh 0
        }
    }
    if (hour > 23 || minute > 59 || second > 59)
        mismatch();
    return ((hour * 60 + minute) * 60 + second) * 1000 + milli;
}

QDateTime instantOf(int year, int month, int day, int msOfDay)
{
    if (year < kFirstSupportedYear || year > kLastSupportedYear)
        mismatch();
    const QDate date(year, month, day);   // proleptic Gregorian: 29/02/1500 is invalid
    if (!date.isValid())
        mismatch();
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(msOfDay), Qt::UTC);
}

// ISO 8601 at pos: yyyy-MM-dd, then nothing, or ' ' or 'T' and the time, a final Z allowed.
QDateTime readIsoDateTime(const QString& text, qsizetype pos, bool fraction)
{
    const int year = readField(text, pos, 4);
    if (pos >= text.size() || text[pos] != u'-')
        mismatch();
    ++pos;
    const int month = readField(text, pos, 2);
    if (month < 0 || pos >= text.size() || text[pos] != u'-')
        mismatch();
    ++pos;
    const int day = readField(text, pos, 2);
    if (day < 0)
        mismatch();
    int ms = 0;
    if (pos < text.size() && (text[pos] == u'T' || text[pos] == u't' || text[pos].isSpace())) {
        const bool t = !text[pos].isSpace();
        ++pos;
        if (!t)
            skipSpaces(text, pos);
        if (pos < text.size())
            ms = readTime(text, pos, u':', fraction);
        else if (t)
            mismatch();
        if (pos < text.size() && (text[pos] == u'Z' || text[pos] == u'z'))
            ++pos;
    }
    skipSpaces(text, pos);
    if (pos != text.size())
        mismatch();
    return instantOf(year, month, day, ms);
}

} // namespace

QDateTime readDateTime(const QString& text, const QLocale& locale, bool fraction)
{
    const DateForm& form = dateForm(locale);
    qsizetype pos = 0;
    skipSpaces(text, pos);
    // Four digits then '-': ISO 8601, whatever the locale's order.
    if (pos + 4 < text.size() && text[pos + 4] == u'-'
        && std::all_of(text.begin() + pos, text.begin() + pos + 4, isAsciiDigit))
        return readIsoDateTime(text, pos, fraction);
    int fields[3];
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (pos >= text.size() || !isDateSeparator(text[pos], form))
                mismatch();
            ++pos;
        }
        fields[i] = readField(text, pos, form.order[i] == 'y' ? 4 : 2);
        if (fields[i] < 0)
            mismatch();
    }
    int ms = 0;
    const qsizetype afterDate = pos;
    skipSpaces(text, pos);
    if (pos < text.size()) {
        if (pos == afterDate)
            mismatch();
        ms = readTime(text, pos, form.timeSep, fraction);
        skipSpaces(text, pos);
        if (pos != text.size())
            mismatch();
    }
    int day = 0, month = 0, year = 0;
    for (int i = 0; i < 3; ++i) {
        switch (form.order[i]) {
        case 'd': day = fields[i]; break;
        case 'M': month = fields[i]; break;
        default: year = fields[i]; break;
        }
    }
    return instantOf(year, month, day, ms);
}

} // namespace zeno
