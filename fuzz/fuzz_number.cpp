// The number reader (the offset, the step amount) and the step count.
// Input: one selector byte (bits 0-2 the locale, bit 3 UTF-16, bit 4 the
// "&Retrancher" negation of the count), then the text.
#include "calendar.h"
#include "fuzz_commun.h"
#include "regional.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

using fuzz::echec;

namespace {

// Digits of a number text before its exponent, leading zeros left out.
int significantDigits(const QString& text)
{
    int n = 0;
    bool leading = true;
    for (QChar c : text) {
        if (c == u'E')
            break;
        if (c < u'0' || c > u'9')
            continue;
        if (leading && c == u'0')
            continue;
        leading = false;
        ++n;
    }
    return n;
}

// The value of a text by the C library, once the locale's signs are put
// into the C form; false when the C library does not take the whole text.
bool valeurC(const QString& text, const QLocale& locale, double& value)
{
    QString t = text.trimmed();
    QString sign;
    for (const QString& minus : {QStringLiteral("-"), QStringLiteral("\u2212"), locale.negativeSign()}) {
        if (!minus.isEmpty() && t.startsWith(minus)) {
            sign = QStringLiteral("-");
            t = t.mid(minus.size());
            break;
        }
    }
    if (sign.isEmpty() && t.startsWith(u'+'))
        t = t.mid(1);
    t.replace(locale.decimalPoint(), QStringLiteral("."));
    for (QChar c : t)
        if (!((c >= u'0' && c <= u'9') || c == u'.' || c == u'e' || c == u'E' || c == u'+' || c == u'-'))
            return false;
    const QByteArray ascii = (sign + t).toLatin1();
    char* end = nullptr;
    errno = 0;
    value = std::strtod(ascii.constData(), &end);
    return errno == 0 && end == ascii.constData() + ascii.size() && std::isnormal(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QLocale& locale = fuzz::locale(data[0] & 7u);
    const QString text = fuzz::texte(data + 1, size - 1, (data[0] & 8u) != 0);
    const bool negate = (data[0] & 16u) != 0;

    double value = 0;
    const int error = fuzz::garde([&] { value = zeno::readNumber(text, locale); });
    if (error != 0 && error != zeno::ErreurExecution::Incompatibilite && error != zeno::ErreurExecution::Depassement)
        echec("a number text that does not read must raise 13 or 6", text);
    if (error == 0) {
        if (!std::isfinite(value))
            echec("read a number that is not finite", text);
        double c = 0;
        if (valeurC(text, locale, c) && c != value)
            echec("read another value than the C library", text);
        const QString written = zeno::numberText(value, locale);
        if (significantDigits(written) > 15)
            echec("more than 15 significant digits", written);
        if (written.contains(locale.groupSeparator()) && locale.groupSeparator() != locale.decimalPoint())
            echec("thousands separator in a number text", written);
        if (written.endsWith(locale.decimalPoint()))
            echec("trailing decimal separator", written);
        double back = 0;
        if (fuzz::garde([&] { back = zeno::readNumber(written, locale); }) != 0)
            echec("the written number does not read back", written);
        if (!(back == zeno::round15(value)))
            echec("the written number reads back to another value than round15", written);
        if (zeno::numberText(back, locale) != written)
            echec("writing is not stable", written);
    }

    std::int16_t count = 0;
    const int countError = fuzz::garde([&] { count = zeno::stepCount(text, negate, locale); });
    if (error != 0) {
        if (countError != error)
            echec("the step count fails otherwise than the number", text);
        return 0;
    }
    const double expected = std::nearbyint(negate ? value * -1.0 : value);   // halves to even
    const bool fits = expected >= -32768.0 && expected <= 32767.0;
    if (countError != 0) {
        if (countError != zeno::ErreurExecution::Depassement || fits)
            echec("a step count that fits 16 bits was refused", text);
    } else if (!fits || double(count) != expected) {
        echec("wrong step count", text);
    }
    return 0;
}
