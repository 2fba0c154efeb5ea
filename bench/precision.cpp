// Accuracy of the timetable against published predictions: reads the
// reference lists of bench/reference (times to the minute, made by others),
// computes the same span with both theories and prints, per satellite, the
// median and largest differences, then for the precise theory the mean
// difference per satellite, kind of event and reference file (a sign common
// to one kind points at the geometry or the convention, one common to a
// satellite at its orbit, one common to all at the time scales).
// Usage: zenolune_precision [file.csv ...]
#include "calendar.h"
#include "scene_frame.h"
#include "events.h"
#include "phenomena_geometry.h"
#include "modern_theory.h"
#include "reference_files.h"
#include "regional.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <vector>

using namespace zeno;

namespace {

struct Reference {
    QString source;
    QDateTime ut;
    int satellite;   // 0..3
    Caption label;
    bool begins;
    QString code;    // as published: "Ec.D", "Sh.E", ...
};

const QLocale kFrench(QLocale::French, QLocale::France);

// "Ec.D" -> Eclipsé début, "Sh.E" -> Ombre fin, ...
bool readEvent(const QString& code, int satellite, Caption& label, bool& begins)
{
    const QStringList p = code.split(u'.');
    if (p.size() != 2)
        return false;
    Phenomenon kind;
    if (p[0] == u"Ec") kind = Phenomenon::Ec;
    else if (p[0] == u"Sh") kind = Phenomenon::Om;
    else if (p[0] == u"Oc") kind = Phenomenon::Oc;
    else if (p[0] == u"Tr") kind = Phenomenon::Pa;
    else return false;
    begins = p[1] == u"D" || p[1] == u"I";
    label = phenomenonCaption(satellite, kind);
    return true;
}

std::vector<Reference> readFile(const QString& path)
{
    std::vector<Reference> out;
    const QStringList roman = {QStringLiteral("I"), QStringLiteral("II"), QStringLiteral("III"), QStringLiteral("IV")};
    for (const QStringList& c : referenceRows(path, "zenolune_precision")) {
        const QString line = c.join(u',');
        Reference r;
        r.source = QFileInfo(path).fileName();
        r.satellite = c.size() == 4 ? int(roman.indexOf(c[2])) : -1;
        r.ut = QDateTime(QDate::fromString(c.value(0), QStringLiteral("dd/MM/yyyy")),
                         QTime::fromString(c.value(1), QStringLiteral("HH:mm")), Qt::UTC);
        r.code = c.value(3);
        if (r.satellite < 0 || !r.ut.isValid() || !readEvent(c[3], r.satellite, r.label, r.begins)) {
            std::fprintf(stderr, "zenolune_precision : ligne ignorée : %s\n", qPrintable(line));
            continue;
        }
        out.push_back(r);
    }
    return out;
}

// The computed transit contact moved to the lit limb, as the published lists
// time transits: the first (ingress) or last (egress) second, within ten
// minutes of the globe's contact, when the satellite stands before a sunlit point.
QDateTime litLimb(const Event& ev)
{
    const int s = satelliteOfCaption(ev.label);
    const auto lit = [&](const QDateTime& t) {
        return inFrontOfLitDisk(computeModern(julianDayValue(t)), s);
    };
    // Ingress: false at lo, true at hi. Egress: true at lo, false at hi.
    QDateTime lo = ev.begins ? ev.ut.addSecs(-1) : ev.ut.addSecs(-600);
    QDateTime hi = ev.begins ? ev.ut.addSecs(600) : ev.ut;
    const bool atLo = lit(lo);
    if (atLo == lit(hi))
        return ev.ut;
    while (lo.secsTo(hi) > 1) {
        const QDateTime mid = lo.addSecs(lo.secsTo(hi) / 2);
        (lit(mid) == atLo ? lo : hi) = mid;
    }
    return hi;
}

bool isTransit(Caption label) { return (static_cast<int>(label) - kFirstPhenomenonCaption) % 4 == 3; }

struct Ecart {
    QString source, code;
    int satellite;
    double seconds;   // reference minus computed
};

struct Ecarts {
    std::vector<double> seconds[4];   // reference minus computed, per satellite
    int missed[4] = {};
    std::vector<Ecart> each;          // every matched reference
};

// Matches each reference to the computed change of the same label and
// direction nearest in time, within two hours.
Ecarts compare(const std::vector<Reference>& refs, Theory theorie, bool litTransits)
{
    Ecarts e;
    if (refs.empty())
        return e;
    QDateTime from = refs.front().ut, to = refs.front().ut;
    for (const Reference& r : refs) {
        from = std::min(from, r.ut);
        to = std::max(to, r.ut);
    }
    auto events = findEvents(from.addSecs(-3 * 3600), to.addSecs(3 * 3600), 0, Step{StepUnit::Minute, 2}, -1, theorie);
    if (litTransits)
        for (Event& ev : events)
            if (isTransit(ev.label))
                ev.ut = litLimb(ev);
    for (const Reference& r : refs) {
        double best = 1e9;
        for (const Event& ev : events)
            if (ev.label == r.label && ev.begins == r.begins) {
                const double d = double(ev.ut.secsTo(r.ut));
                if (std::fabs(d) < std::fabs(best))
                    best = d;
            }
        if (std::fabs(best) <= 7200) {
            e.seconds[r.satellite].push_back(best);
            e.each.push_back({r.source, r.code, r.satellite, best});
        } else
            ++e.missed[r.satellite];
        if (qEnvironmentVariableIsSet("ZENOLUNE_PRECISION_DETAIL"))
            std::printf("%s %s %s %s %s %.0f\n", theorie == Theory::Precise ? (litTransits ? "L" : "P") : "O",
                        qPrintable(r.source), qPrintable(dateTimeText(r.ut, kFrench)), captionName(r.label),
                        r.begins ? "D" : "F", best);
    }
    return e;
}

void print(const char* title, const Ecarts& e)
{
    std::printf("%s\n", title);
    std::printf("  %-9s %4s %14s %14s %12s %8s\n", "satellite", "n", "médiane |Δ| s", "max |Δ| s", "moyenne Δ s", "manqués");
    for (int s = 0; s < 4; ++s) {
        std::vector<double> abs;
        double sum = 0;
        for (double d : e.seconds[s]) {
            abs.push_back(std::fabs(d));
            sum += d;
        }
        const double mx = abs.empty() ? std::nan("") : *std::max_element(abs.begin(), abs.end());
        std::printf("  %-9s %4zu %14.0f %14.0f %12.0f %8d\n", kSatellites[s].name, abs.size(), median(abs), mx,
                    abs.empty() ? std::nan("") : sum / double(abs.size()), e.missed[s]);
    }
}

// Mean difference per satellite and published event code, one column per
// reference file and one for all: "mean (n) [min, max]". With times to the
// minute each difference carries up to ±30 s of rounding, so a mean of a
// handful is good to about ±10 s.
void printBreakdown(const char* title, const Ecarts& e, const QStringList& sources)
{
    static const char* const kCodes[] = {"Ec.D", "Ec.R", "Oc.D", "Oc.R", "Tr.I", "Tr.E", "Sh.I", "Sh.E"};
    std::printf("%s\n  %-9s %-5s", title, "satellite", "évén.");
    for (const QString& source : sources)
        std::printf(" %-27s", qPrintable(source.left(27)));
    std::printf(" %-27s\n", "ensemble");
    const auto cell = [](const std::vector<double>& v) {
        if (v.empty())
            return std::printf(" %-27s", "");
        double sum = 0;
        for (double d : v)
            sum += d;
        const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
        char text[64];
        std::snprintf(text, sizeof text, "%+5.0f (%2zu) [%+4.0f, %+4.0f]", sum / double(v.size()), v.size(), *lo, *hi);
        return std::printf(" %-27s", text);
    };
    for (int s = 0; s < 4; ++s)
        for (const char* code : kCodes) {
            std::vector<double> all;
            std::vector<std::vector<double>> perSource(std::size_t(sources.size()));
            for (const Ecart& x : e.each)
                if (x.satellite == s && x.code == QLatin1String(code)) {
                    all.push_back(x.seconds);
                    perSource[std::size_t(sources.indexOf(x.source))].push_back(x.seconds);
                }
            if (all.empty())
                continue;
            std::printf("  %-9s %-5s", kSatellites[s].name, code);
            for (const auto& v : perSource)
                cell(v);
            cell(all);
            std::printf("\n");
        }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList files = referenceFiles(app.arguments().mid(1), QStringLiteral(ZENOLUNE_REFERENCE_DIR));
    std::vector<Reference> all;
    Ecarts precise, lit, originale;
    QStringList sources;
    for (const QString& path : files) {
        const std::vector<Reference> refs = readFile(path);
        all.insert(all.end(), refs.begin(), refs.end());
        const Ecarts p = compare(refs, Theory::Precise, false), l = compare(refs, Theory::Precise, true),
                     o = compare(refs, Theory::Original, false);
        for (int s = 0; s < 4; ++s) {
            lit.seconds[s].insert(lit.seconds[s].end(), l.seconds[s].begin(), l.seconds[s].end());
            lit.missed[s] += l.missed[s];
            precise.seconds[s].insert(precise.seconds[s].end(), p.seconds[s].begin(), p.seconds[s].end());
            originale.seconds[s].insert(originale.seconds[s].end(), o.seconds[s].begin(), o.seconds[s].end());
            precise.missed[s] += p.missed[s];
            originale.missed[s] += o.missed[s];
        }
        precise.each.insert(precise.each.end(), p.each.begin(), p.each.end());
        lit.each.insert(lit.each.end(), l.each.begin(), l.each.end());
        sources << QFileInfo(path).fileName();
    }
    std::printf("%zu instants publiés (à la minute : ±30 s d'arrondi), %lld fichiers.\n"
                "Δ = publié - calculé ; contacts du centre du satellite.\n\n",
                all.size(), static_cast<long long>(files.size()));
    print("Théorie précise (L1.2), contacts sur le globe", precise);
    std::printf("\n");
    print("Théorie précise (L1.2), passages comptés au bord éclairé comme les listes publiées", lit);
    std::printf("\n");
    print("Théorie originale (Meeus)", originale);
    std::printf("\nÉcart moyen Δ s (nombre) [min, max], par satellite, événement et liste :\n\n");
    printBreakdown("Théorie précise (L1.2), contacts sur le globe", precise, sources);
    std::printf("\n");
    printBreakdown("Théorie précise (L1.2), passages au bord éclairé", lit, sources);
    return all.empty() ? 1 : 0;
}
