// The date-and-time reader on arbitrary text.
// Input: one selector byte (bits 0-2 the locale, bit 3 UTF-16), then the text.
// Whatever reads must be an instant of the supported range, to the second,
// whose written text reads back to the same instant.
#include "fuzz_commun.h"
#include "regional.h"

#include <QDateTime>

#include <algorithm>
#include <vector>

using fuzz::echec;

namespace {

// The values of the runs of ASCII digits of a text, in order.
std::vector<long long> nombres(const QString& text)
{
    std::vector<long long> out;
    bool inRun = false;
    for (QChar c : text) {
        if (c >= u'0' && c <= u'9') {
            if (!inRun)
                out.push_back(0);
            inRun = true;
            out.back() = std::min(out.back() * 10 + (c.unicode() - u'0'), 1'000'000LL);
        } else {
            inRun = false;
        }
    }
    return out;
}

// The instant holds the numbers of the text: the three date fields in the
// locale's order (as its written text has them), then hour, minute and
// second, those missing being zero.
bool tientLesNombres(const QString& text, const QDateTime& instant, const QString& written)
{
    const std::vector<long long> typed = nombres(text);
    const std::vector<long long> date = nombres(written);
    if (typed.size() != 3 && typed.size() != 5 && typed.size() != 6)
        return false;
    // The locale's order, or ISO 8601's year, month, day.
    const QDate d = instant.date();
    const bool iso = typed[0] == d.year() && typed[1] == d.month() && typed[2] == d.day();
    for (int i = 0; i < 3 && !iso; ++i)
        if (typed[i] != date[i])
            return false;
    const QTime t = instant.time();
    const long long hour = typed.size() > 3 ? typed[3] : 0;
    const long long minute = typed.size() > 4 ? typed[4] : 0;
    const long long second = typed.size() > 5 ? typed[5] : 0;
    return t.hour() == hour && t.minute() == minute && t.second() == second;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QLocale& locale = fuzz::locale(data[0] & 7u);
    const QString text = fuzz::texte(data + 1, size - 1, (data[0] & 8u) != 0);

    QDateTime instant;
    const int error = fuzz::garde([&] { instant = zeno::readDateTime(text, locale); });
    if (error != 0) {
        if (error != zeno::ErreurExecution::Incompatibilite)
            echec("a date text that does not read must raise 13", text);
    } else {
        if (!zeno::isSupported(instant))
            echec("read an instant outside the supported range", text);
        if (instant.timeSpec() != Qt::UTC || instant.time().msec() != 0)
            echec("read an instant that is not a zone-less whole second", text);
        const QString written = zeno::dateTimeText(instant, locale);
        QDateTime back;
        if (fuzz::garde([&] { back = zeno::readDateTime(written, locale); }) != 0)
            echec("the written text does not read back", written);
        if (back != instant)
            echec("the written text reads back to another instant", written);
        if (zeno::dateTimeText(back, locale) != written)
            echec("writing is not stable", written);
        if (!tientLesNombres(text, instant, written))
            echec("the instant read is not the one the text gives", text + QStringLiteral(" -> ") + written);
    }

    // Reading in another locale in between must not change what this one reads.
    (void)fuzz::garde([&] { (void)zeno::readDateTime(text, fuzz::locale((data[0] & 7u) + 1)); });
    QDateTime again;
    const int errorAgain = fuzz::garde([&] { again = zeno::readDateTime(text, locale); });
    if (errorAgain != error || (error == 0 && again != instant))
        echec("the same text reads differently the second time", text);
    return 0;
}
