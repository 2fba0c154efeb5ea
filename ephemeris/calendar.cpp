#include "calendar.h"

#include "erreur.h"
#include "regional.h"

#include <cmath>
#include <limits>

namespace zeno {

namespace {

[[noreturn]] void outOfRange() { throw ErreurExecution(ErreurExecution::ArgumentIncorrect); }

// Seconds since the start of Qt's Julian day numbering, exact in 64 bits.
std::int64_t toSeconds(const QDateTime& t)
{
    return t.date().toJulianDay() * kSecondsPerDay + t.time().msecsSinceStartOfDay() / 1000;
}

QDateTime fromSeconds(std::int64_t s)
{
    const std::int64_t day = s >= 0 ? s / kSecondsPerDay : -((-s + kSecondsPerDay - 1) / kSecondsPerDay);
    const std::int64_t rest = s - day * kSecondsPerDay;
    return QDateTime(QDate::fromJulianDay(day), QTime(0, 0).addSecs(int(rest)), Qt::UTC);
}

QDateTime addSecondsChecked(const QDateTime& t, std::int64_t seconds)
{
    static const std::int64_t first = toSeconds(firstSupportedInstant());
    static const std::int64_t last = toSeconds(lastSupportedInstant());
    const std::int64_t s = toSeconds(t);
    // Reject before adding, so that no sum can overflow.
    if (seconds < first - s || seconds > last - s)
        outOfRange();
    return fromSeconds(s + seconds);
}

// Year and month moved by whole months, the day clamped to the month's end.
QDateTime addMonthsClamped(const QDateTime& t, std::int64_t months)
{
    const QDate d = t.date();
    const std::int64_t index = std::int64_t(d.year()) * 12 + (d.month() - 1) + months;
    if (index < kFirstSupportedYear * 12 || index > kLastSupportedYear * 12 + 11)
        outOfRange();
    const int year = int(index / 12);
    const int month = int(index % 12) + 1;
    const int lastDay = QDate(year, month, 1).daysInMonth();
    return QDateTime(QDate(year, month, std::min(d.day(), lastDay)), t.time(), Qt::UTC);
}

} // namespace

StepUnit stepUnitFromCode(const QString& code)
{
    if (code == u"yyyy") return StepUnit::Year;
    if (code == u"m") return StepUnit::Month;
    if (code == u"d") return StepUnit::Day;
    if (code == u"h") return StepUnit::Hour;
    if (code == u"n") return StepUnit::Minute;
    if (code == u"s") return StepUnit::Second;
    outOfRange();
}

QString stepUnitCode(StepUnit unit)
{
    switch (unit) {
    case StepUnit::Year: return QStringLiteral("yyyy");
    case StepUnit::Month: return QStringLiteral("m");
    case StepUnit::Day: return QStringLiteral("d");
    case StepUnit::Hour: return QStringLiteral("h");
    case StepUnit::Minute: return QStringLiteral("n");
    case StepUnit::Second: return QStringLiteral("s");
    }
    return {};
}

QDateTime addUnits(const QDateTime& instant, StepUnit unit, std::int64_t count)
{
    // A step beyond the whole supported span cannot land inside it; the
    // limit also keeps count * kSecondsPerDay within 64 bits.
    constexpr std::int64_t kLimit = 400'000'000'000LL;
    if (count > kLimit || count < -kLimit)
        outOfRange();
    switch (unit) {
    case StepUnit::Year: return addMonthsClamped(instant, count * 12);
    case StepUnit::Month: return addMonthsClamped(instant, count);
    case StepUnit::Day: return addSecondsChecked(instant, count * kSecondsPerDay);
    case StepUnit::Hour: return addSecondsChecked(instant, count * kSecondsPerHour);
    case StepUnit::Minute: return addSecondsChecked(instant, count * 60);
    case StepUnit::Second: return addSecondsChecked(instant, count);
    }
    outOfRange();
}

QDateTime addHours(const QDateTime& instant, double hours)
{
    const double seconds = std::nearbyint(hours * double(kSecondsPerHour));
    if (!(std::fabs(seconds) < 1e12))
        outOfRange();
    return addSecondsChecked(instant, std::int64_t(seconds));
}

std::int16_t stepCount(const QString& amountText, bool negate, const QLocale& locale)
{
    double amount = readNumber(amountText, locale);
    if (negate)
        amount = amount * -1.0;
    const double count = std::nearbyint(amount);   // halves to even
    if (count < -32768.0 || count > 32767.0)
        throw ErreurExecution(ErreurExecution::Depassement);
    return std::int16_t(count);
}

double julianDayValue(const QDateTime& ut)
{
    const QDate date = ut.date();
    const QTime time = ut.time();
    const int Year = date.year(), Month = date.month(), Day = date.day();
    const double D = Day + ((time.second() / 60.0 + time.minute()) / 60.0 + time.hour()) / 24.0;
    int y = Year, m = Month;
    if (Month <= 2) {
        y = Year - 1;
        m = Month + 12;
    }
    const bool gregorian = Year > 1582 || (Year == 1582 && (Month > 10 || (Month == 10 && Day >= 15)));
    const double jd = std::floor(365.25 * y) + std::floor(30.6001 * (m + 1)) + D + 1720994.5;
    if (!gregorian)
        return jd;
    const int A = int(std::floor(y / 100.0));
    const int B = 2 - A + int(std::floor(A / 4.0));
    return jd + B;
}

JourJulienTU gregorJuli(const QString& dateText, const QString& offsetText, const QLocale& locale)
{
    const double offsetHours = readNumber(offsetText, locale);
    const QDateTime typed = readDateTime(dateText, locale);
    return jourJulienOfUt(addHours(typed, offsetHours), locale);
}

JourJulienTU jourJulienOfUt(const QDateTime& ut, const QLocale& locale)
{
    if (!isSupported(ut))
        outOfRange();
    JourJulienTU jd;
    jd.ut_ = ut;
    const double value = julianDayValue(jd.ut_);
    jd.text_ = numberText(value, locale);
    jd.value_ = round15(value);
    jd.dateText_ = dateTimeText(jd.ut_, locale);
    return jd;
}

} // namespace zeno
