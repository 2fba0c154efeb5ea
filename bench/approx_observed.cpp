// The predicted central instants of mutual approximations against the
// observed ones: Morgado et al. 2016 (MNRAS 460, 4086), 36 approximations
// observed at OPD, Brazil (IAU 874) in 2014-2015, as the Natural Satellites
// Data Base gives them (bench/reference/approx/jg0051.txt, described in
// jg0051.desc.txt). Each is found again on the precise theory, topocentric
// for OPD; printed per row: observed minus Zenolune, in s and in mas along
// the relative motion, beside the paper's observed minus JPL jup310; at the
// end the median, the robust spread (MAD x 1.4826) and the RMS of both.
// Usage: zenolune_approx_observed [--geocentric] [--published] [jg0051.txt]
// (--published: L1.2 as published, without the observed events' correction)
#include "approximations.h"
#include "l12_correction.h"
#include "reference_files.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace zeno;

namespace {

// OPD, from the file's description: 45° 34' 57.5" W, 22° 32' 07.8" S, 1864 m.
constexpr Site kOpd{-(22 + 32 / 60.0 + 7.8 / 3600), -(45 + 34 / 60.0 + 57.5 / 3600), 1864};
constexpr search::Seconds kSearchHalfWidthS = 3600;
constexpr double kFarS = 60;   // a difference beyond this is another pass, or a misprint: left out of the RMS

double madSpread(const std::vector<double>& v)
{
    const double m = median(v);
    std::vector<double> dev;
    for (double x : v)
        dev.push_back(std::abs(x - m));
    return 1.4826 * median(dev);
}

double rms(const std::vector<double>& v, const std::vector<double>& seconds)
{
    double s = 0;
    int n = 0;
    for (std::size_t i = 0; i < v.size(); ++i)
        if (std::abs(seconds[i]) < kFarS) {
            s += v[i] * v[i];
            ++n;
        }
    return n == 0 ? std::nan("") : std::sqrt(s / n);
}

// Median and robust spread over every pair found; the RMS without the far ones.
void summary(const char* what, const std::vector<double>& s, const std::vector<double>& mas)
{
    const auto far = std::count_if(s.begin(), s.end(), [](double x) { return std::abs(x) >= kFarS; });
    std::printf("%-28s n=%zu  median %+.2f s (%+.1f mas)  spread %.2f s (%.1f mas)  RMS %.2f s (%.1f mas) without %d beyond %.0f s\n",
                what, s.size(), median(s), median(mas), madSpread(s), madSpread(mas), rms(s, s), rms(mas, s), int(far), kFarS);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool geocentric = args.removeAll(QStringLiteral("--geocentric")) > 0;
    const bool published = args.removeAll(QStringLiteral("--published")) > 0;
    zeno::setL12Corrected(!published);
    const QString path = args.value(0, QStringLiteral(ZENOLUNE_REFERENCE_DIR "/jg0051.txt"));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "zenolune_approx_observed : %s illisible\n", qPrintable(path));
        return 1;
    }
    ApproximationOptions o;
    if (!geocentric)
        o.site = kOpd;
    o.maxDistanceArcsec = 300;   // the observed ones go far beyond the default threshold
    std::vector<double> ours, oursMas, jpl, jplMas;
    int missing = 0;
    std::printf("  N  code  observed (UTC)           sigma   O-C Zenolune       O-C jup310   distance\n");
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QStringList c = in.readLine().simplified().split(u' ');
        if (c.size() < 14)
            continue;
        bool ok = false;
        const double seconds = c[5].toDouble(&ok);
        const QDateTime minute(QDate(c[0].toInt(), c[1].toInt(), c[2].toInt()), QTime(c[3].toInt(), c[4].toInt()), Qt::UTC);
        if (!ok || !minute.isValid())
            continue;
        const double observed = double(minute.toSecsSinceEpoch()) + seconds;
        const int a = c[6].toInt() - 1, b = c[7].toInt() - 1;
        const auto ap = findApproximation(a, b, std::llround(observed), o, kSearchHalfWidthS);
        if (!ap) {
            std::printf("%3s  %dA%d  %s  not found\n", qPrintable(c[12]), a + 1, b + 1, qPrintable(utIsoTenths(observed)));
            ++missing;
            continue;
        }
        const double oc = observed - ap->centralUt;
        ours.push_back(oc);
        oursMas.push_back(oc * ap->speedMasS);
        jpl.push_back(c[10].toDouble());
        jplMas.push_back(c[11].toDouble());
        std::printf("%3s  %s  %s  %5s s  %+6.2f s %+7.1f mas  %5s s %6s mas  %6.2f\"%s\n", qPrintable(c[12]),
                    qPrintable(ap->code()), qPrintable(utIsoTenths(observed)), qPrintable(c[8]), oc, oc * ap->speedMasS,
                    qPrintable(c[10]), qPrintable(c[11]), ap->distanceArcsec, ap->stationary ? "  quasi stationnaire" : "");
    }
    summary(published ? "Observed - Zenolune (L1.2 as published)" : "Observed - Zenolune (L1.2 corrected)", ours, oursMas);
    summary("Observed - JPL jup310", jpl, jplMas);
    if (missing > 0)
        std::printf("%d not found within %lld s\n", missing, static_cast<long long>(kSearchHalfWidthS));
    return missing > 0 ? 1 : 0;
}
