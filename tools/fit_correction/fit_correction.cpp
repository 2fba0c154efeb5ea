// fit_correction: fits the corrections to L1.2's mean longitudes to the
// mutual events of the NSDB catalogues, then checks them season by season
// (fit on two, predict the third). Usage: fit_correction [FOLDER]
// (by default the shared reference folder). Exit 1 on unreadable input or a
// fit that does not converge.
#include "model.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

using namespace zeno;
using namespace zeno::fit;

namespace {

QString tr(const char* text) { return QCoreApplication::translate("fit_correction", text); }

const char* const kNames[4] = {"Io", "Europe", "Ganymède", "Callisto"};
// Mean motions, rad/day (L1.2's secular terms): a longitude offset as time.
constexpr double kMeanMotion[4] = {3.551552286182400, 1.769322711123470, 0.8782079235893280, 0.3764862334338280};
constexpr double kFastMasS = 3;

double median(std::vector<double> v)
{
    if (v.empty())
        return std::nan("");
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Stats {
    int n = 0;
    double median = 0, robust = 0, rms = 0, within5 = 0, within10 = 0;
};

Stats stats(const std::vector<double>& v)
{
    Stats s;
    s.n = int(v.size());
    if (v.empty())
        return s;
    s.median = median(v);
    std::vector<double> dev;
    double sum = 0;
    for (double x : v) {
        dev.push_back(std::abs(x - s.median));
        sum += x * x;
        s.within5 += std::abs(x) <= 5;
        s.within10 += std::abs(x) <= 10;
    }
    s.robust = 1.4826 * median(dev);
    s.rms = std::sqrt(sum / v.size());
    s.within5 *= 100.0 / v.size();
    s.within10 *= 100.0 / v.size();
    return s;
}

QString seasonName(int s) { return s == 2015 ? QStringLiteral("2014–2015") : QString::number(s); }

void printFit(const FitResult& f)
{
    std::printf("  %d observations gardées, %d écartées (résidu normalisé > 3 × sigma robuste), %d laissées de côté "
                "(douteuses, chute < %.0f %% ou rasantes)\n",
                f.used, f.rejected, f.notTiming, 100 * kMinimumDrop);
    std::printf("  chi2 réduit %.2f ; O-C normalisés des instants centraux RMS %.2f avant, %.2f après\n", f.chi2PerDof,
                f.rmsBefore, f.rmsAfter);
    for (int k = 0; k < 4; ++k) {
        const double off = f.correction.p[2 * k], rate = f.correction.p[2 * k + 1];
        const double so = std::sqrt(f.covariance[2 * k][2 * k]), sr = std::sqrt(f.covariance[2 * k + 1][2 * k + 1]);
        std::printf("  %-9s Δλ0 = %8.2f ± %5.2f µrad (%6.2f ± %4.2f s)", kNames[k], off, so,
                    off * 1e-6 / kMeanMotion[k] * 86400, so * 1e-6 / kMeanMotion[k] * 86400);
        if (sr > 0)
            std::printf("   Δn = %8.2f ± %5.2f µrad/an\n", rate, sr);
        else
            std::printf("   Δn fixé à 0\n");
    }
    std::printf("  corrélations :\n");
    for (int j = 0; j < kCorrectionParameters; ++j) {
        std::printf("   ");
        for (int k = 0; k < kCorrectionParameters; ++k)
            if (f.covariance[j][j] > 0 && f.covariance[k][k] > 0)
                std::printf(" %5.2f", f.covariance[j][k] / std::sqrt(f.covariance[j][j] * f.covariance[k][k]));
            else
                std::printf("     —");   // a rate held at zero
        std::printf("\n");
    }
}

// The mid-time O-C of a season's observations that time their events.
struct Timing {
    std::vector<double> fast, slow;
    std::map<QString, std::vector<double>> pairs;
    // Fast events: each one's observers (same pair and kind, within half an hour).
    std::map<std::pair<QString, long>, std::vector<double>> events;
    std::map<std::pair<QString, long>, std::vector<double>> eventsKm;   // the same along the path, km
    int leftOut = 0;
};

Timing timing(const std::vector<Observation>& obs, int season)
{
    Timing t;
    for (const Observation& o : obs) {
        if (o.season() != season)
            continue;
        const Track track = modelTrack(o);
        if (!timesWell(o, track)) {
            ++t.leftOut;
            continue;
        }
        const double oc = timeResidualS(o, track);
        const bool fast = 1000 * track.speedArcsecS >= kFastMasS;
        (fast ? t.fast : t.slow).push_back(oc);
        const QString code = QStringLiteral("%1%2%3").arg(o.occulter).arg(o.type == MutualType::Eclipse ? 'e' : 'o').arg(o.target);
        if (fast) {
            t.events[{code, std::lround(o.jdUtc * 48)}].push_back(oc);
            t.eventsKm[{code, std::lround(o.jdUtc * 48)}].push_back(oc * track.speedArcsecS * track.kmPerArcsec);
        }
        const int a = std::min(o.occulter, o.target) + 1, b = std::max(o.occulter, o.target) + 1;
        t.pairs[QStringLiteral("%1-%2").arg(a).arg(b)].push_back(oc);
    }
    return t;
}

// The error of the prediction itself: each fast event's median over its
// observers, spread about zero (bias included); beside it, how far the
// observers of one event lie from their median.
struct EventError {
    int events = 0;
    double predictionS = 0, observersS = 0, predictionKm = 0;
};

EventError eventError(const Timing& t)
{
    std::vector<double> absolute, deviation, km;
    for (const auto& [key, v] : t.events) {
        const double m = median(v);
        absolute.push_back(std::abs(m));
        km.push_back(std::abs(median(t.eventsKm.at(key))));
        if (v.size() > 1)
            for (double x : v)
                deviation.push_back(std::abs(x - m));
    }
    return {int(absolute.size()), 1.4826 * median(absolute), 1.4826 * median(deviation), 1.4826 * median(km)};
}

void row(const char* season, const char* when, const char* group, const Stats& s)
{
    std::printf("| %s | %s | %s | %d | %+.1f | %.1f | %.1f | %.0f %% | %.0f %% |\n", season, when, group, s.n, s.median,
                s.robust, s.rms, s.within5, s.within10);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    FitOptions options;
    // The offsets alone by default: the rates, well determined on the three
    // seasons, predict a left-out season worse (README).
    if (args.removeAll(QStringLiteral("--taux")) > 0)
        options.rates = FitOptions::Rates::Free;
    if (args.removeAll(QStringLiteral("--laplace")) > 0)
        options.rates = FitOptions::Rates::Laplace;
    if (args.size() > 2 || (args.size() == 2 && args[1].startsWith(QLatin1Char('-')))) {
        std::fprintf(stderr, "%s\n", qPrintable(tr("usage : fit_correction [--taux | --laplace] [DOSSIER des catalogues jgNNNN.txt]")));
        return 2;
    }
    const QString folder = args.size() == 2 ? args[1] : QStringLiteral("/work/shared/reference/observed");
    QString error;
    QStringList files;
    const std::vector<Observation> obs = readFolder(folder, error, &files);
    if (obs.empty()) {
        std::fprintf(stderr, "fit_correction : %s\n", qPrintable(error));
        return 1;
    }
    std::printf("Ajustement de la correction de L1.2, %s\n",
                qPrintable(QDateTime::currentDateTimeUtc().toString(Qt::ISODate)));
    std::printf("Catalogues : %s ; %zu observations\n", qPrintable(files.join(QStringLiteral(", "))), obs.size());

    // The model against the catalogues' own computed positions (O minus their O-C).
    setL12Corrected(false);
    std::printf("\nModèle contre les positions calculées des catalogues (L1.2 publiée ; médiane |écart|, mas) :\n");
    for (const QString& f : files) {
        std::vector<double> occ, ecl;
        for (const Observation& o : obs) {
            if (o.file + QStringLiteral(".txt") != f || !o.hasCatalogueOc)
                continue;
            double r[2];
            residuals(o, r);
            const double d = o.positionAngleOnly ? std::abs(r[0] - o.catalogueOcX)
                                                 : std::hypot(r[0] - o.catalogueOcX, r[1] - o.catalogueOcY);
            (o.type == MutualType::Occultation ? occ : ecl).push_back(1000 * d);
        }
        std::printf("  %s : occultations %.1f (%zu), éclipses %.1f (%zu)\n", qPrintable(f), median(occ), occ.size(),
                    median(ecl), ecl.size());
    }

    std::printf("\nToutes les saisons :\n");
    const FitResult all = fitCorrection(obs, options);
    printFit(all);
    if (!all.converged) {
        std::fprintf(stderr, "fit_correction : %s\n", qPrintable(all.message));
        return 1;
    }
    std::printf("\nConstantes (ephemeris/l12_correction.cpp) :\n    {%.1f, {", all.correction.epochJdTT);
    for (int j = 0; j < kCorrectionParameters; ++j)
        std::printf("%s%.4f", j ? ", " : "", all.correction.p[j]);
    std::printf("}},\n    {\n");
    for (int j = 0; j < kCorrectionParameters; ++j) {
        std::printf("        {");
        for (int k = 0; k < kCorrectionParameters; ++k)
            std::printf("%s%.6g", k ? ", " : "", all.covariance[j][k]);
        std::printf("},\n");
    }
    std::printf("    },\n");

    std::printf("\nValidation : ajustement sur deux saisons, O-C des instants centraux (s) sur la troisième ; "
                "observations douteuses, de chute < %.0f %% ou rasantes laissées de côté\n\n", 100 * kMinimumDrop);
    std::printf("| Saison prédite | Théorie | Phénomènes | N | Médiane | Dispersion robuste | RMS | ≤ 5 s | ≤ 10 s |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|\n");
    bool failed = false;
    std::string pairLines, eventLines;
    double modelErrorKm = 0;
    for (int season : {2009, 2015, 2021}) {
        std::vector<Observation> training;
        for (const Observation& o : obs)
            if (o.season() != season)
                training.push_back(o);
        const FitResult f = fitCorrection(training, options);
        if (!f.converged) {
            std::fprintf(stderr, "fit_correction : %s : %s\n", qPrintable(seasonName(season)), qPrintable(f.message));
            failed = true;
            continue;
        }
        setL12Corrected(false);
        const Timing before = timing(obs, season);
        setL12Corrected(true);
        setTrialCorrection(&f.correction);
        const Timing after = timing(obs, season);
        setTrialCorrection(nullptr);
        const QByteArray name = seasonName(season).toUtf8();
        row(name.constData(), "L1.2", "rapides", stats(before.fast));
        row(name.constData(), "corrigée", "rapides", stats(after.fast));
        row(name.constData(), "L1.2", "lents", stats(before.slow));
        row(name.constData(), "corrigée", "lents", stats(after.slow));
        char line[200];
        std::snprintf(line, sizeof line, "  %s : %d observations laissées de côté\n", name.constData(), before.leftOut);
        pairLines += line;
        const EventError e0 = eventError(before), e1 = eventError(after);
        modelErrorKm = std::max(modelErrorKm, e1.predictionKm);
        std::snprintf(line, sizeof line,
                      "  %s : %d phénomènes rapides, erreur %.1f s (L1.2 %.1f s), %.0f km le long de la trajectoire "
                      "(L1.2 %.0f km), observateurs %.1f s\n",
                      name.constData(), e1.events, e1.predictionS, e0.predictionS, e1.predictionKm, e0.predictionKm,
                      e1.observersS);
        eventLines += line;
        for (const auto& [pair, v] : after.pairs) {
            std::snprintf(line, sizeof line, "  %s %s : %zu obs., médiane %+.1f s (L1.2 %+.1f s)\n", name.constData(),
                          qPrintable(pair), v.size(), median(v), median(before.pairs.at(pair)));
            pairLines += line;
        }
    }
    std::printf("\nBiais par couple sur la saison prédite (théorie corrigée, entre parenthèses L1.2) :\n%s",
                pairLines.c_str());
    std::printf("\nErreur de la prédiction par phénomène (médiane des observateurs, dispersion robuste autour de zéro) :\n%s"
                "  terme d'erreur de modèle (la plus grande) : %.0f km le long de la trajectoire\n",
                eventLines.c_str(), modelErrorKm);
    return failed ? 1 : 0;
}
