#include "events.h"

#include "enregistreur.h"
#include "erreur.h"
#include "passe.h"
#include "regional.h"

#include <algorithm>
#include <array>

namespace zeno {

namespace {

constexpr int kLabels = kCaptionCount - kFirstPhenomenonCaption;
using LabelState = std::array<bool, kLabels>;   // which labels show their word

// Runs the window's pass for one civil instant and reads the sixteen labels.
class Probe {
public:
    Probe(const QString& offset, const QLocale& locale, Theory theorie)
        : offset_(offset), offsetHours_(readNumber(offset, locale)), locale_(locale), calcul_(host_, locale)
    {
        calcul_.setTheorie(theorie);
    }

    LabelState at(const QDateTime& civil)
    {
        calcul_.passe(dateTimeText(civil, locale_), offset_);
        LabelState s{};
        for (int i = 0; i < kLabels; ++i)
            s[i] = host_.captions[kFirstPhenomenonCaption + i] != u" ";
        return s;
    }
    // The UT instant of a civil one, as gregor_juli forms it.
    QDateTime ut(const QDateTime& civil) const { return addHours(civil, offsetHours_); }

private:
    QString offset_;
    double offsetHours_;
    QLocale locale_;
    Enregistreur host_;
    Calcul calcul_;
};

std::int64_t secondsBetween(const QDateTime& a, const QDateTime& b) { return a.secsTo(b); }

} // namespace

Step readStep(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    std::int64_t count = 0;
    while (i < t.size() && t[i] >= u'0' && t[i] <= u'9' && count <= 32767)
        count = count * 10 + (t[i++].unicode() - u'0');
    if (i == 0)
        count = 1;
    if (count < 1 || count > 32767)
        throw ErreurExecution(ErreurExecution::Incompatibilite);
    Step p;
    p.count = int(count);
    try {
        p.unit = stepUnitFromCode(t.mid(i));
    } catch (const ErreurExecution&) {
        throw ErreurExecution(ErreurExecution::Incompatibilite);
    }
    return p;
}

int satelliteOfCaption(Caption label) { return (static_cast<int>(label) - kFirstPhenomenonCaption) / 4; }

QString phenomenonWord(Caption label)
{
    switch ((static_cast<int>(label) - kFirstPhenomenonCaption) % 4) {
    case 0: return QStringLiteral("Eclipsé");
    case 1: return QStringLiteral("Ombre");
    case 2: return QStringLiteral("Occulté");
    default: return QStringLiteral("Passage");
    }
}

std::vector<Event> findEvents(const QDateTime& from, const QDateTime& to, Step step,
                                         const QString& offsetText, const QLocale& locale, int onlySatellite,
                                         Theory theorie)
{
    Probe probe(offsetText, locale, theorie);
    std::vector<Event> events;
    QDateTime t0 = from;
    LabelState s0 = probe.at(t0);
    while (t0 < to) {
        QDateTime t1;
        try {
            t1 = addUnits(t0, step.unit, step.count);
        } catch (const ErreurExecution&) {
            t1 = to;   // the last step stops at the end of the supported range
        }
        if (t1 > to)
            t1 = to;
        const LabelState s1 = probe.at(t1);
        for (int i = 0; i < kLabels; ++i) {
            if (s0[i] == s1[i])
                continue;
            const Caption label = static_cast<Caption>(kFirstPhenomenonCaption + i);
            if (onlySatellite >= 0 && satelliteOfCaption(label) != onlySatellite)
                continue;
            // Bisection: lo keeps the old state, hi the new one.
            QDateTime lo = t0, hi = t1;
            while (secondsBetween(lo, hi) > 1) {
                const QDateTime mid = lo.addSecs(secondsBetween(lo, hi) / 2);
                (probe.at(mid)[i] == s0[i] ? lo : hi) = mid;
            }
            events.push_back({label, s1[i], hi, probe.ut(hi)});
        }
        t0 = t1;
        s0 = s1;
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const Event& a, const Event& b) { return a.civil < b.civil; });
    return events;
}

} // namespace zeno
