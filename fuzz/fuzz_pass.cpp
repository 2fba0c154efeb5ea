// A whole computation pass, as "&OK" runs it, on a recording host.
// Input: one selector byte (bits 0-3 the four flip boxes: main east-west,
// main north-south, reduced east-west, reduced north-south; bit 4 UTF-16;
// bits 6-7 the locale), then the date text, a line feed, the offset text
// (no line feed: offset "0").
#include "calendar.h"
#include "scene_frame.h"
#include "enregistreur.h"
#include "fuzz_commun.h"
#include "passe.h"
#include "regional.h"

#include <cmath>
#include <iterator>

using fuzz::echec;

namespace {

bool finite(double v) { return std::isfinite(v); }

void verifiePasse(const zeno::Enregistreur& host, const zeno::Calcul& calcul, const QString& date,
                  const QString& offset)
{
    using zeno::Caption;
    const QString what = date + QStringLiteral(" | ") + offset;
    const zeno::Ephemeride& e = calcul.record();
    for (const zeno::RecordField& f : zeno::kRecordFields)
        if (!finite(e.*f.member))
            echec("a record field is not finite", what + QStringLiteral(" | ") + QLatin1String(f.name));

    // The instant is the typed one moved by the offset, inside the range.
    const QLocale& locale = calcul.locale();
    const QDateTime ut = calcul.ut();
    if (!zeno::isSupported(ut))
        echec("a pass ran outside the supported range", what);
    QDateTime expected;
    if (fuzz::garde([&] { expected = zeno::addHours(zeno::readDateTime(date, locale), zeno::readNumber(offset, locale)); }) != 0
        || expected != ut)
        echec("the pass computed another instant than the texts give", what);
    if (host.caption(Caption::datetu) != zeno::dateTimeText(ut, locale))
        echec("datetu is not the UT date text", what);
    if (host.caption(Caption::jourjuli) != zeno::numberText(zeno::julianDayValue(ut), locale))
        echec("jourjuli is not the Julian Day text", what);
    double jd = 0, jde = 0;
    if (fuzz::garde([&] { jd = zeno::readNumber(host.caption(Caption::jourjuli), locale); }) != 0
        || fuzz::garde([&] { jde = zeno::readNumber(e.JD, locale); }) != 0)
        echec("a Julian Day text does not read back", what);
    if (!(jd >= 1757582.5 && jd < 5373485) || !(jde > jd))
        echec("Julian Day outside the supported range or JDE not after it", what);
    for (Caption c : {Caption::syst1, Caption::syst2}) {
        double omega = -1;
        (void)fuzz::garde([&] { omega = zeno::readNumber(host.caption(c), locale); });
        if (!(omega >= 0 && omega < 360))
            echec("a central meridian label outside 0..360", host.caption(c));
    }

    int main = 0, reduced = 0;
    for (const zeno::DisqueTrace& d : host.discs) {
        if (!finite(d.x) || !finite(d.y) || zeno::satelliteOfRadius(std::int16_t(d.radius)) < 0)
            echec("a disc at non-finite coordinates or of a foreign radius", what);
        ++(d.scene == zeno::Scene::Main ? main : reduced);
    }
    if (main != reduced || main < 4 || main > 12)
        echec("the two scenes do not hold the same discs", what);

    static const char16_t* const words[4] = {u"Eclipsé", u"Ombre", u"Occulté", u"Passage"};
    for (int i = zeno::kFirstPhenomenonCaption; i < zeno::kCaptionCount; ++i) {
        const QString& text = host.captions[i];
        if (text != u" " && text != QStringView(words[(i - zeno::kFirstPhenomenonCaption) % 4]))
            echec("a phenomenon label shows a foreign text", text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const QLocale locales[4] = {
        QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::Finnish, QLocale::Finland),
    };
    const QLocale& locale = locales[data[0] >> 6];
    const QString input = fuzz::texte(data + 1, size - 1, (data[0] & 16u) != 0);
    const qsizetype cut = input.indexOf(u'\n');
    const QString date = cut < 0 ? input : input.left(cut);
    const QString offset = cut < 0 ? QStringLiteral("0") : input.mid(cut + 1);

    zeno::Enregistreur host;
    for (int i = 0; i < 4; ++i)
        host.flips[i] = (data[0] >> i) & 1;
    zeno::Calcul calcul(host, locale);
    // A first pass, so that a failing one has something to keep.
    const QDateTime noon(QDate(2000, 1, 1), QTime(12, 0), Qt::UTC);
    if (fuzz::garde([&] { calcul.passe(zeno::dateTimeText(noon, locale), QStringLiteral("0")); }) != 0)
        echec("the reference pass failed");
    const zeno::Enregistreur before = host;
    const QDateTime utBefore = calcul.ut();

    const int error = fuzz::garde([&] { calcul.passe(date, offset); });
    if (error == 0) {
        verifiePasse(host, calcul, date, offset);
        return 0;
    }
    // A failure blanks the phenomenon labels and leaves everything else as it was.
    for (int i = 0; i < zeno::kFirstPhenomenonCaption; ++i)
        if (host.captions[i] != before.captions[i])
            echec("a failed pass changed a caption", date + QStringLiteral(" | ") + offset);
    for (int i = zeno::kFirstPhenomenonCaption; i < zeno::kCaptionCount; ++i)
        if (host.captions[i] != u" ")
            echec("a failed pass left a phenomenon label", date + QStringLiteral(" | ") + offset);
    if (host.discs.size() != before.discs.size() || host.clears != before.clears)
        echec("a failed pass touched the scenes", date + QStringLiteral(" | ") + offset);
    if (calcul.ut() != utBefore)
        echec("a failed pass changed the instant", date + QStringLiteral(" | ") + offset);
    // And the program goes on: the next pass runs as usual.
    if (fuzz::garde([&] { calcul.passe(zeno::dateTimeText(noon, locale), QStringLiteral("0")); }) != 0
        || host.captions != before.captions)
        echec("no sound pass after a failed one", date + QStringLiteral(" | ") + offset);
    return 0;
}
