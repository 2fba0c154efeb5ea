#include "events.h"

#include "ephemeride.h"
#include "erreur.h"
#include "regional.h"
#include "vocabulary.h"

#include <algorithm>
#include <future>
#include <thread>
#include <cmath>
#include <utility>

namespace zeno {

namespace {

constexpr unsigned kMaxParts = 8;                        // parts of a long search at most
constexpr std::int64_t kMinPartSeconds = 4 * 86400;      // worth a thread of its own

// Seconds of a fixed-length step unit; 0 for months and years.
std::int64_t unitSeconds(StepUnit unit)
{
    switch (unit) {
    case StepUnit::Day: return kSecondsPerDay;
    case StepUnit::Hour: return kSecondsPerHour;
    case StepUnit::Minute: return 60;
    case StepUnit::Second: return 1;
    default: return 0;
    }
}

// The steps of the search, taken on the civil time of the offset as the
// window's stepping buttons take them: the next step's UT second, or `to`
// when the step passes it or leaves the supported years.
class CivilSteps {
public:
    CivilSteps(Step step, double offsetHours, search::Seconds to)
        : step_(step), unit_(unitSeconds(step.unit)), to_(to)
    {
        // The civil times of the ends, as addHours forms them (throws 5 outside the years).
        const QDateTime end = addHours(utOf(to), -offsetHours);
        offset_ = to - secondsOf(end);
        first_ = secondsOf(firstSupportedInstant());
        last_ = secondsOf(lastSupportedInstant());
    }

    search::Seconds operator()(search::Seconds t) const
    {
        const search::Seconds civil = t - offset_;
        search::Seconds next = 0;
        if (unit_ > 0) {
            next = civil + unit_ * step_.count;
            if (next < first_ || next > last_)
                return to_;
        } else {
            try {
                next = secondsOf(addUnits(utOf(civil), step_.unit, step_.count));
            } catch (const ErreurExecution&) {
                return to_;   // the last step stops at the end of the supported range
            }
        }
        return std::min(next + offset_, to_);
    }

private:
    Step step_;
    std::int64_t unit_;
    search::Seconds to_, offset_ = 0, first_ = 0, last_ = 0;
};

// Labels of one satellite come in the order Ec, Om, Oc, Pa: for an eclipse
// the occultation's index and back, -1 for the others.
int otherDisappearance(int i)
{
    switch (i % 4) {
    case 0: return i + 2;
    case 2: return i - 2;
    default: return -1;
    }
}

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
    // The labels of a satellite come in RowWord's order: Ec, Om, Oc, Pa.
    return rowWord(static_cast<RowWord>((static_cast<int>(label) - kFirstPhenomenonCaption) % 4));
}

search::Seconds secondsOf(const QDateTime& ut) { return ut.toSecsSinceEpoch(); }
QDateTime utOf(search::Seconds s) { return QDateTime::fromSecsSinceEpoch(s, Qt::UTC); }

PassProbe::PassProbe(Theory theory) : calcul_(host_, QLocale::c()) { calcul_.setTheorie(theory); }

LabelState PassProbe::labels(search::Seconds ut)
{
    calcul_.passe(Instant{utOf(ut), 0});
    LabelState s{};
    for (int i = 0; i < kPhenomenonLabels; ++i)
        s[i] = host_.captions[kFirstPhenomenonCaption + i] != u" ";
    return s;
}

double PassProbe::systemII(search::Seconds ut)
{
    calcul_.passe(Instant{utOf(ut), 0});
    return reduitMeridien(calcul_.theorie() == Theory::Precise ? calcul_.recordModerne().omega2
                                                               : calcul_.record().omega2);
}

std::vector<Event> findEvents(PassProbe& probe, const QDateTime& fromUt, const QDateTime& toUt, double offsetHours,
                              Step step, int onlySatellite)
{
    addHours(fromUt, -offsetHours);   // the civil start must be a supported instant too (throws 5)
    const search::Seconds from = secondsOf(fromUt), to = secondsOf(toUt);
    const CivilSteps next(step, offsetHours, to);
    std::vector<Event> events;
    // Probes of the current step, shared by the labels that change in it.
    std::vector<std::pair<search::Seconds, LabelState>> seen;
    const auto state = [&](search::Seconds t) {
        for (const auto& [at, s] : seen)
            if (at == t)
                return s;
        seen.emplace_back(t, probe.labels(t));
        return seen.back().second;
    };
    const auto onStep = [&](search::Seconds t0, const LabelState& s0, search::Seconds t1, const LabelState& s1) {
        seen.clear();
        for (int i = 0; i < kPhenomenonLabels; ++i) {
            if (s0[i] == s1[i])
                continue;
            const Caption label = static_cast<Caption>(kFirstPhenomenonCaption + i);
            if (onlySatellite >= 0 && satelliteOfCaption(label) != onlySatellite)
                continue;
            const search::Seconds t = search::bisect(t0, t1, [&](search::Seconds mid) { return state(mid)[i] != s0[i]; });
            const QDateTime ut = utOf(t);
            // Hidden: the other disappearance (occultation or eclipse) holds then.
            const int other = otherDisappearance(i);
            const bool hidden = other >= 0 && (t == t1 ? s1 : state(t))[other];
            events.push_back({label, s1[i], addHours(ut, -offsetHours), ut, hidden});
        }
    };
    search::scan(from, to, [&](search::Seconds t) { return probe.labels(t); }, next, onStep);
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) { return a.ut < b.ut; });
    return events;
}

std::vector<Event> findEvents(const QDateTime& fromUt, const QDateTime& toUt, double offsetHours, Step step,
                              int onlySatellite, Theory theory)
{
    // A long range of fixed-length steps is cut on the step grid into one
    // part per core, each searched with its own probe; the parts' events,
    // joined in order, are the whole search's.
    const std::int64_t stepSeconds = unitSeconds(step.unit) * step.count;
    const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxParts);
    const std::int64_t span = fromUt.secsTo(toUt);
    if (cores < 2 || stepSeconds <= 0 || span < kMinPartSeconds * 2) {
        PassProbe probe(theory);
        return findEvents(probe, fromUt, toUt, offsetHours, step, onlySatellite);
    }
    addHours(fromUt, -offsetHours);   // the civil start must be a supported instant (throws 5)
    const std::int64_t parts = std::min<std::int64_t>(cores, span / kMinPartSeconds);
    const std::int64_t stepsPerPart = (span / stepSeconds + parts - 1) / parts;
    std::vector<std::future<std::vector<Event>>> found;
    for (std::int64_t k = 0; k < parts; ++k) {
        const QDateTime a = fromUt.addSecs(std::min(span, k * stepsPerPart * stepSeconds));
        const QDateTime b = k + 1 == parts ? toUt : fromUt.addSecs(std::min(span, (k + 1) * stepsPerPart * stepSeconds));
        found.push_back(std::async(std::launch::async, [=] {
            PassProbe probe(theory);
            return findEvents(probe, a, b, offsetHours, step, onlySatellite);
        }));
    }
    std::vector<Event> events;
    for (auto& f : found) {
        std::vector<Event> part = f.get();   // rethrows a part's error
        events.insert(events.end(), part.begin(), part.end());
    }
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) { return a.ut < b.ut; });
    return events;
}

} // namespace zeno
