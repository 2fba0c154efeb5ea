// The calendar arithmetic of the stepping buttons, the animation and the offset.
// Input, little-endian, missing bytes read as zero:
//   byte 0     bits 0-2: unit 0..5 (year, month, day, hour, minute, second),
//              6 or 7: an offset in hours; bit 3: a count of 64 bits, else 16
//   bytes 1-8  the instant, in seconds after 01/01/0100 00:00:00 (modulo the range)
//   then       the count (2 or 8 bytes), or for an offset the 8 bytes of a double
#include "calendar.h"
#include "fuzz_commun.h"
#include "regional.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>
#include <optional>

using fuzz::echec;

namespace {

class Lecteur {
public:
    Lecteur(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint64_t octets(int n)
    {
        std::uint64_t v = 0;
        for (int i = 0; i < n; ++i, ++pos_)
            v |= std::uint64_t(pos_ < size_ ? data_[pos_] : 0) << (8 * i);
        return v;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

const zeno::StepUnit kUnits[6] = {zeno::StepUnit::Year, zeno::StepUnit::Month, zeno::StepUnit::Day,
                                  zeno::StepUnit::Hour, zeno::StepUnit::Minute, zeno::StepUnit::Second};
const std::int64_t kUnitSeconds[6] = {0, 0, zeno::kSecondsPerDay, zeno::kSecondsPerHour, 60, 1};

QString decrit(const QDateTime& t, std::int64_t count, int unit)
{
    return t.toString(Qt::ISODate) + QStringLiteral(" + %1 of unit %2").arg(count).arg(unit);
}

// The step, refused with error 5 exactly when it leaves the supported range.
std::optional<QDateTime> pasAccepte(const QDateTime& t, int unit, std::int64_t count, bool inside)
{
    QDateTime r;
    const int error = fuzz::garde([&] { r = zeno::addUnits(t, kUnits[unit], count); });
    if (error != 0) {
        if (error != zeno::ErreurExecution::ArgumentIncorrect || inside)
            echec("a step inside the range was refused", decrit(t, count, unit));
        return std::nullopt;
    }
    if (!inside || !zeno::isSupported(r))
        echec("a step leaving the range was accepted", decrit(t, count, unit));
    return r;
}

// Seconds and whole days: exact, and undone by the opposite step.
void pasEnSecondes(const QDateTime& t, int unit, std::int64_t count)
{
    const __int128 target = __int128(t.toSecsSinceEpoch()) + __int128(count) * kUnitSeconds[unit];
    const bool inside = target >= zeno::firstSupportedInstant().toSecsSinceEpoch()
                     && target <= zeno::lastSupportedInstant().toSecsSinceEpoch();
    const std::optional<QDateTime> pas = pasAccepte(t, unit, count, inside);
    if (!pas)
        return;
    const QDateTime& r = *pas;
    if (__int128(r.toSecsSinceEpoch()) != target || r.timeSpec() != Qt::UTC)
        echec("a step landed on the wrong second", decrit(t, count, unit));
    QDateTime back;
    if (fuzz::garde([&] { back = zeno::addUnits(r, kUnits[unit], -count); }) != 0 || back != t)
        echec("the opposite step does not come back", decrit(t, count, unit));
}

// Months and years: the same day and time, clamped to the end of a shorter month.
void pasEnMois(const QDateTime& t, int unit, std::int64_t count)
{
    const __int128 months = __int128(count) * (unit == 0 ? 12 : 1);
    const __int128 index = __int128(t.date().year()) * 12 + (t.date().month() - 1) + months;
    const bool inside = index >= zeno::kFirstSupportedYear * 12 && index <= zeno::kLastSupportedYear * 12 + 11;
    const std::optional<QDateTime> pas = pasAccepte(t, unit, count, inside);
    if (!pas)
        return;
    const QDateTime& r = *pas;
    const QDate d = r.date();
    if (__int128(d.year()) * 12 + (d.month() - 1) != index || r.time() != t.time() || r.timeSpec() != Qt::UTC)
        echec("a step landed in the wrong month", decrit(t, count, unit));
    if (d.day() != std::min(t.date().day(), d.daysInMonth()))
        echec("the day was not kept or clamped", decrit(t, count, unit));
    QDateTime back;
    if (fuzz::garde([&] { back = zeno::addUnits(r, kUnits[unit], -count); }) != 0)
        echec("the opposite step was refused", decrit(t, count, unit));
    if (d.day() == t.date().day() && back != t)
        echec("the opposite step does not come back", decrit(t, count, unit));
}

// An offset in hours moves by the nearest whole second.
void decalage(const QDateTime& t, double hours)
{
    const double seconds = std::nearbyint(hours * double(zeno::kSecondsPerHour));
    bool inside = std::isfinite(seconds) && std::fabs(seconds) < 1e12;
    if (inside) {
        const std::int64_t target = t.toSecsSinceEpoch() + std::int64_t(seconds);
        inside = target >= zeno::firstSupportedInstant().toSecsSinceEpoch()
              && target <= zeno::lastSupportedInstant().toSecsSinceEpoch();
    }
    const QString what = t.toString(Qt::ISODate) + QStringLiteral(" + %1 h").arg(hours, 0, 'g', 17);
    QDateTime r;
    const int error = fuzz::garde([&] { r = zeno::addHours(t, hours); });
    if (error != 0) {
        if (error != zeno::ErreurExecution::ArgumentIncorrect || inside)
            echec("an offset inside the range was refused", what);
        return;
    }
    if (!inside || !zeno::isSupported(r))
        echec("an offset leaving the range was accepted", what);
    if (double(t.secsTo(r)) != seconds)
        echec("an offset moved by the wrong number of seconds", what);
    QDateTime back;
    if (fuzz::garde([&] { back = zeno::addHours(r, -hours); }) != 0 || back != t)
        echec("the opposite offset does not come back", what);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Lecteur in(data, size);
    const unsigned mode = unsigned(in.octets(1));
    const std::int64_t first = zeno::firstSupportedInstant().toSecsSinceEpoch();
    const std::int64_t span = zeno::lastSupportedInstant().toSecsSinceEpoch() - first;
    const QDateTime t = zeno::firstSupportedInstant().addSecs(std::int64_t(in.octets(8) % std::uint64_t(span + 1)));
    if (!zeno::isSupported(t))
        echec("fuzz target: instant outside the range", t.toString(Qt::ISODate));

    const int unit = int(mode & 7u);
    if (unit >= 6) {
        const std::uint64_t bits = in.octets(8);
        double hours;
        std::memcpy(&hours, &bits, sizeof hours);
        decalage(t, hours);
        return 0;
    }
    const std::int64_t count = (mode & 8u) ? std::int64_t(in.octets(8)) : std::int64_t(std::int16_t(in.octets(2)));
    if (kUnitSeconds[unit] != 0)
        pasEnSecondes(t, unit, count);
    else
        pasEnMois(t, unit, count);
    return 0;
}
