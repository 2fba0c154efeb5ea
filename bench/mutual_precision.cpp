// Accuracy of the mutual events against published predictions: reads the
// lists of bench/reference/mutual (made by others, each file saying where it
// comes from and which contacts it gives), finds the same events and prints,
// for each, published minus computed for the contacts and the maximum, then
// the magnitude (fraction of the diameter covered), the duration of a total
// or annular phase and the light lost where the list gives them; at the end,
// per list, the median, largest and mean differences.
// Usage: zenolune_mutual_precision [file.csv ...]
#include "mutual_events.h"
#include "reference_files.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

using namespace zeno;

namespace {

const QLocale kFrenchForm(QLocale::French, QLocale::France);

struct Row {
    QString source, code, contacts, kind, note, line;
    QDate date;
    QString start, max, end;
    double precision = 1;
    std::optional<double> magnitude, inner, fluxDrop;
};

std::optional<double> number(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

std::vector<Row> readFile(const QString& path)
{
    std::vector<Row> out;
    for (const QStringList& c : referenceRows(path, "zenolune_mutual_precision")) {
        const QString line = c.join(u',');
        Row r;
        r.source = QFileInfo(path).fileName();
        r.line = line;
        r.date = QDate::fromString(c.value(0), QStringLiteral("dd/MM/yyyy"));
        r.code = c.value(1).trimmed();
        r.start = c.value(2).trimmed();
        r.max = c.value(3).trimmed();
        r.end = c.value(4).trimmed();
        r.contacts = c.value(5).trimmed();
        r.precision = number(c.value(6)).value_or(1);
        r.kind = c.value(7).trimmed();
        r.magnitude = number(c.value(8));
        r.inner = number(c.value(9));
        r.fluxDrop = number(c.value(10));
        r.note = c.value(11).trimmed();
        if (c.size() < 12 || !r.date.isValid() || !parseMutualCode(r.code)) {
            std::fprintf(stderr, "zenolune_mutual_precision : ligne ignorée : %s\n", qPrintable(line));
            continue;
        }
        out.push_back(r);
    }
    return out;
}

// "HH:mm:ss" or "HH:mm" on the row's date, the next day when it comes before `after`.
std::optional<double> instant(const Row& r, const QString& text, std::optional<double> after = std::nullopt)
{
    if (text.isEmpty())
        return std::nullopt;
    QTime t = QTime::fromString(text, QStringLiteral("HH:mm:ss"));
    if (!t.isValid())
        t = QTime::fromString(text, QStringLiteral("HH:mm"));
    if (!t.isValid())
        return std::nullopt;
    double s = double(QDateTime(r.date, t, Qt::UTC).toSecsSinceEpoch());
    if (after && s < *after)
        s += 86400;
    return s;
}

// How far apart the centres are when the umbra (or antumbra) touches the target.
double umbraReach(const PairGeometry& g) { return std::abs(g.umbraRadiusKm) + g.targetRadiusKm; }
// ... and when the smaller disc (or the umbra) touches the other's outline from inside.
double innerReach(const PairGeometry& g)
{
    const double other = g.type == MutualType::Occultation ? g.occulterRadiusKm : std::abs(g.umbraRadiusKm);
    return std::abs(other - g.targetRadiusKm);
}

// The span of [start, end] during which the centres are closer than reach(g):
// bisected to the second on each side of the maximum; nullopt when never.
std::optional<std::pair<double, double>> phase(const MutualEvent& ev, double (*reach)(const PairGeometry&))
{
    const auto inside = [&](search::Seconds s) {
        const PairGeometry g = mutualDiscsAt(ev, double(s));
        return g.separationKm < reach(g);
    };
    if (!inside(ev.maximum))
        return std::nullopt;
    const search::Seconds a = search::bisect(ev.start, ev.maximum, inside);
    const search::Seconds b = search::bisect(ev.maximum, ev.end, [&](search::Seconds s) { return !inside(s); });
    return std::make_pair(double(a), double(b));
}

// The list's magnitude: the fraction of the target's diameter covered by
// the occulting disc (or the umbra) at maximum, %, or for an annular event
// the ratio of the two diameters.
double magnitudePct(const MutualEvent& ev)
{
    const PairGeometry& g = ev.atMaximum;
    const double other = g.type == MutualType::Occultation ? g.occulterRadiusKm : std::abs(g.umbraRadiusKm);
    if (ev.kind == MutualKind::Annular)
        return 100 * other / g.targetRadiusKm;
    return 100 * std::clamp((other + g.targetRadiusKm - g.separationKm) / (2 * g.targetRadiusKm), 0.0, 1.0);
}

const char* kindLetter(const MutualEvent& ev)
{
    switch (ev.kind) {
    case MutualKind::Total: return "T";
    case MutualKind::Annular: return "A";
    case MutualKind::Partial: return "P";
    case MutualKind::Penumbral: return "Q";
    }
    return "?";
}

struct Stats {
    std::vector<double> contacts, maxima, magnitudes, inner, flux;
    int missed = 0, kindsDiffer = 0;
};

void summary(const char* what, const std::vector<double>& v, const char* unit)
{
    if (v.empty())
        return;
    std::vector<double> a;
    double sum = 0;
    for (double d : v) {
        a.push_back(std::abs(d));
        sum += d;
    }
    std::printf("    %-34s n %3zu   médiane |Δ| %7.1f %s   max |Δ| %7.1f %s   moyenne Δ %+7.1f %s\n", what, v.size(),
                median(a), unit, *std::max_element(a.begin(), a.end()), unit, sum / double(v.size()), unit);
}

std::string signedText(std::optional<double> published, std::optional<double> computed, const char* format)
{
    if (!published || !computed)
        return "      ";
    char buf[32];
    std::snprintf(buf, sizeof buf, format, *published - *computed);
    return buf;
}

void compareRow(const Row& r, Stats& st)
{
    const MutualCode code = *parseMutualCode(r.code);
    const auto start = instant(r, r.start);
    const auto max = instant(r, r.max, start);
    const auto end = instant(r, r.end, max ? max : start);
    // A row without times names the day only: the event of that code within it.
    const bool dayOnly = !start && !max && !end;
    const double anchor = dayOnly ? double(QDateTime(r.date, QTime(12, 0), Qt::UTC).toSecsSinceEpoch())
                        : max        ? *max
                        : start && end ? (*start + *end) / 2
                                       : start.value_or(end.value_or(0));
    const auto ev = findMutualEvent(code, search::Seconds(anchor), dayOnly ? 12 * 3600 : 3 * 3600);
    if (!ev) {
        ++st.missed;
        std::printf("  %s %s  non trouvé\n", qPrintable(r.date.toString(QStringLiteral("dd/MM/yyyy"))), qPrintable(r.code));
        return;
    }
    std::optional<double> cStart, cEnd;
    if (r.contacts != u"ombre") {
        cStart = double(ev->start);
        cEnd = double(ev->end);
    } else if (const auto umbral = phase(*ev, umbraReach)) {
        cStart = umbral->first;
        cEnd = umbral->second;
    }
    const std::optional<double> cMax = ev->maximumExact;
    if (start && cStart)
        st.contacts.push_back(*start - *cStart);
    if (end && cEnd)
        st.contacts.push_back(*end - *cEnd);
    if (max)
        st.maxima.push_back(*max - *cMax);

    std::optional<double> cMagnitude, cInner;
    if (r.magnitude)
        cMagnitude = magnitudePct(*ev);
    if (r.inner)
        if (const auto inner = phase(*ev, innerReach))
            cInner = inner->second - inner->first;
    if (r.magnitude && cMagnitude)
        st.magnitudes.push_back(*r.magnitude - *cMagnitude);
    if (r.inner && cInner)
        st.inner.push_back(*r.inner - *cInner);
    if (r.fluxDrop)
        st.flux.push_back(*r.fluxDrop - 100 * ev->targetLightLost);
    if (!r.kind.isEmpty() && r.kind != QLatin1String(kindLetter(*ev)))
        ++st.kindsDiffer;

    if (dayOnly) {
        std::printf("  %s %s  ce jour-là : %s - %s TU, maximum %s\n", qPrintable(r.date.toString(QStringLiteral("dd/MM/yyyy"))),
                    qPrintable(r.code), qPrintable(mutualUtText(double(ev->start), kFrenchForm)), qPrintable(mutualUtText(double(ev->end), kFrenchForm)),
                    qPrintable(mutualUtText(ev->maximumExact, kFrenchForm)));
        return;
    }
    std::printf("  %s %s %-2s %-2s  début %s  max %s  fin %s   magn. %s   phase %s   lumière %s  %s\n",
                qPrintable(r.date.toString(QStringLiteral("dd/MM/yyyy"))), qPrintable(r.code), qPrintable(r.kind),
                kindLetter(*ev), signedText(start, cStart, "%+5.0f s").c_str(), signedText(max, cMax, "%+5.0f s").c_str(),
                signedText(end, cEnd, "%+5.0f s").c_str(), signedText(r.magnitude, cMagnitude, "%+4.0f %%").c_str(),
                signedText(r.inner, cInner, "%+4.0f s").c_str(),
                signedText(r.fluxDrop, 100 * ev->targetLightLost, "%+4.0f %%").c_str(),
                ev->targetInJupiterShadow ? "(cible dans l'ombre de Jupiter)"
                : ev->targetBehindJupiter ? "(cible derrière Jupiter)" : "");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList files = referenceFiles(app.arguments().mid(1), QStringLiteral(ZENOLUNE_REFERENCE_DIR));
    std::printf("Phénomènes mutuels : Δ = publié - calculé (théorie précise, TU).\n"
                "Magnitude : part du diamètre de la cible couverte au maximum (annulaire : rapport des\n"
                "diamètres) ; phase : durée de la phase totale ou annulaire ; lumière : part perdue par la cible.\n");
    int total = 0;
    for (const QString& path : files) {
        const std::vector<Row> rows = readFile(path);
        if (rows.empty())
            continue;
        const bool oneConvention = std::all_of(rows.begin(), rows.end(), [&](const Row& r) { return r.contacts == rows.front().contacts; });
        std::printf("\n%s (contacts : %s)\n", qPrintable(QFileInfo(path).fileName()),
                    oneConvention ? qPrintable(rows.front().contacts) : "selon la ligne");
        Stats st;
        for (const Row& r : rows)
            compareRow(r, st);
        total += int(rows.size());
        std::printf("  Résumé, %zu phénomènes, %d non trouvés, %d de genre différent :\n", rows.size(), st.missed,
                    st.kindsDiffer);
        summary("contacts (début et fin)", st.contacts, "s");
        summary("maximums", st.maxima, "s");
        summary("magnitudes", st.magnitudes, "%");
        summary("phases totales ou annulaires", st.inner, "s");
        summary("lumière perdue par la cible", st.flux, "%");
    }
    return total == 0 ? 1 : 0;
}
