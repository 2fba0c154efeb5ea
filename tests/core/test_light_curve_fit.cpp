// The reduction of an observed mutual-event light curve: the fit's reported
// uncertainty is honest on synthetic curves, magnitudes and fluxes give one
// result, and bad files are refused with a reason.
#include "light_curve_fit.h"

#include <QDateTime>
#include "commun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

using namespace zeno;
using zeno::test::kFrench;

namespace {

MutualEvent event(const char* code, const char* utText)
{
    const QDateTime ut = QDateTime::fromString(QString::fromLatin1(utText), QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    const auto ev = findMutualEvent(*parseMutualCode(QString::fromLatin1(code)),
                                    QDateTime(ut.date(), ut.time(), Qt::UTC).toSecsSinceEpoch(), 600);
    EXPECT_TRUE(ev.has_value()) << code << ' ' << utText;
    return ev.value_or(MutualEvent{});
}

struct Synthetic {
    double shiftS = 0, scale = 1.3, slopePerHour = 0.04, noise = 0.01;
};

// The event's predicted light (its true geometry) shifted by a known time on
// a sloping baseline, with Gaussian noise, every 4 s from 20 min before the
// start to 20 min after the end.
std::vector<ObservedPoint> synthetic(const MutualEvent& ev, const Synthetic& s, std::mt19937& rng, bool withSigma)
{
    std::normal_distribution<double> gauss(0, s.noise);
    std::vector<ObservedPoint> points;
    for (double t = double(ev.start) - 1200; t <= double(ev.end) + 1200; t += 4) {
        const double tau = t - ev.maximumExact;
        const double pair = 1 - targetWeight(ev.occulter, ev.target) * lightLost(mutualDiscsAt(ev, t - s.shiftS));
        const double flux = (s.scale + s.slopePerHour * tau / 3600) * pair;
        points.push_back({t, flux + gauss(rng), withSigma ? s.noise : 0});
    }
    return points;
}

} // namespace

// Many noisy curves of an occultation (equal weights) and of an eclipse (the
// points' own sigmas): the shift is found within the reported 1 sigma about
// two times in three and within 3 sigma nearly always.
TEST(LightCurveFit, RecoversKnownShiftWithinReportedSigma)
{
    std::mt19937 rng(20261205);
    std::uniform_real_distribution<double> shift(-60, 60);
    const MutualEvent events[2] = {event("2O3", "05/12/2026 19:17:49"), event("3E2", "02/12/2026 21:47:29")};
    constexpr int kTrials = 150;
    for (int e = 0; e < 2; ++e) {
        int within1 = 0, within3 = 0;
        double chi2 = 0;
        for (int k = 0; k < kTrials; ++k) {
            Synthetic s;
            s.shiftS = shift(rng);
            const CurveFit fit = fitLightCurve(events[e], synthetic(events[e], s, rng, e == 1), kFrench);
            ASSERT_TRUE(fit.converged) << fit.failure.toStdString() << fit.error.toStdString();
            const double off = std::abs(fit.shiftS - s.shiftS) / fit.shiftSigmaS;
            within1 += off <= 1;
            within3 += off <= 3;
            ASSERT_NEAR(fit.observedMaxUt, events[e].maximumExact + fit.shiftS, 1e-6);
            chi2 += fit.reducedChi2 / kTrials;
        }
        const double f1 = double(within1) / kTrials, f3 = double(within3) / kTrials;
        std::printf("%s: %.3f within 1 sigma, %.3f within 3 sigma, mean reduced chi2 %.3g\n",
                    qPrintable(events[e].code()), f1, f3, chi2);
        // Equal weights: the reduced chi-square is the noise's variance.
        EXPECT_NEAR(chi2, e == 1 ? 1 : 1e-4, e == 1 ? 0.05 : 5e-6);
        EXPECT_GT(f1, 0.58) << events[e].code().toStdString();
        EXPECT_LT(f1, 0.78) << events[e].code().toStdString();
        EXPECT_GE(f3, 0.97) << events[e].code().toStdString();
    }
}

// One curve written as relative flux (commas, Julian Days) and as magnitudes
// (semicolons, decimal commas, ISO date-times): the same fit.
TEST(LightCurveFit, MagnitudesAndFluxGiveOneResult)
{
    std::mt19937 rng(7);
    const MutualEvent ev = event("3E2", "02/12/2026 21:47:29");
    Synthetic s;
    s.shiftS = 12.5;
    const std::vector<ObservedPoint> points = synthetic(ev, s, rng, true);
    QString flux = QStringLiteral("JD_UTC,rel_flux,rel_flux_err\n");
    QString mag = QStringLiteral("# exported magnitudes\nDate;Mag;Mag_err\n");
    for (const ObservedPoint& p : points) {
        const QDateTime t = QDateTime::fromMSecsSinceEpoch(std::llround(p.ut * 1000), Qt::UTC);
        flux += QStringLiteral("%1,%2,%3\n").arg(julianDayOfSeconds(p.ut), 0, 'f', 9).arg(p.flux, 0, 'g', 12).arg(p.sigma);
        const double m = 5.1 - 2.5 * std::log10(p.flux), dm = 2.5 / std::log(10.0) * p.sigma / p.flux;
        mag += QStringLiteral("%1;%2;%3\n").arg(t.toString(Qt::ISODateWithMs), QString::number(m, 'f', 12).replace(u'.', u','),
                                                 QString::number(dm, 'g', 12).replace(u'.', u','));
    }
    const ObservedCurve a = readObservedCurve(flux), b = readObservedCurve(mag);
    // Photometry programs' own names: the UTC column chosen, not the barycentric one.
    QString aij = QStringLiteral("Label\tBJD_TDB\tJ.D.-2400000\trel_flux_T1\trel_flux_err_T1\tSource-Sky_T1\n");
    for (const ObservedPoint& p : points)
        aij += QStringLiteral("x\t0\t%1\t%2\t%3\t1\n").arg(julianDayOfSeconds(p.ut) - 2400000, 0, 'f', 9).arg(p.flux, 0, 'g', 12).arg(p.sigma);
    const ObservedCurve c = readObservedCurve(aij);
    EXPECT_EQ(c.timeColumn, 2);
    EXPECT_EQ(c.fluxColumn, 3);
    EXPECT_EQ(c.sigmaColumn, 4);
    EXPECT_NEAR(fitLightCurve(ev, c.points, kFrench).shiftS, fitLightCurve(ev, a.points, kFrench).shiftS, 0.005);
    ASSERT_TRUE(a.error.isEmpty() && b.error.isEmpty()) << a.error.toStdString() << b.error.toStdString();
    EXPECT_TRUE(b.magnitudes);
    EXPECT_EQ(b.separator, u';');
    EXPECT_EQ(a.sigmaColumn, 2);
    const CurveFit fa = fitLightCurve(ev, a.points, kFrench), fb = fitLightCurve(ev, b.points, kFrench);
    ASSERT_TRUE(fa.converged && fb.converged);
    EXPECT_TRUE(fa.weighted && fb.weighted);
    EXPECT_EQ(fa.points, fb.points);
    EXPECT_NEAR(fa.shiftS, fb.shiftS, 0.005);
    EXPECT_NEAR(fa.shiftSigmaS, fb.shiftSigmaS, 0.01 * fa.shiftSigmaS);
    EXPECT_NEAR(fa.depth, fb.depth, 1e-5);
    EXPECT_NEAR(fa.impactKm, fb.impactKm, 0.5);
    EXPECT_NEAR(fa.reducedChi2, fb.reducedChi2, 1e-3);
}

// Files that are no light curve of the event: a reason, no fit; unreadable
// rows counted and named; a curve without the event is never a success.
TEST(LightCurveFit, BadFilesAreRefusedWithAReason)
{
    const MutualEvent ev = event("2O3", "05/12/2026 19:17:49");
    const auto errorOf = [&](const QString& text, const CurveColumns& c = {}) {
        const ObservedCurve curve = readObservedCurve(text, c);
        return curve.error.isEmpty() ? fitLightCurve(ev, curve.points, kFrench).error : curve.error;
    };
    const auto rows = [&](double from, int n, double fluxStep, const char* extra = "") {
        QString t = QStringLiteral("jd,flux\n");
        for (int i = 0; i < n; ++i)
            t += QStringLiteral("%1,%2\n").arg(julianDayOfSeconds(from + 20 * i), 0, 'f', 8).arg(1 + fluxStep * (i % 3));
        return t + QString::fromLatin1(extra);
    };
    EXPECT_TRUE(errorOf(QString()).contains(QStringLiteral("aucune ligne")));
    EXPECT_TRUE(errorOf(QStringLiteral("Bonjour,\nceci n'est pas,une courbe\n")).contains(QStringLiteral("pas une courbe")));
    EXPECT_TRUE(errorOf(QStringLiteral("jd\n2461380.3\n2461380.4\n")).contains(QStringLiteral("une colonne")));
    EXPECT_TRUE(errorOf(rows(double(ev.start), 5, 0.01)).contains(QStringLiteral("trop peu de points")));
    EXPECT_TRUE(errorOf(rows(double(ev.start) - 86400, 100, 0.01)).contains(QStringLiteral("hors de la fenêtre")));
    EXPECT_TRUE(errorOf(rows(double(ev.start) - 1000, 100, 0)).contains(QStringLiteral("tous les flux sont égaux")));
    EXPECT_TRUE(errorOf(QStringLiteral("HJD,flux\n2461380.3,1\n2461380.4,1\n")).contains(QStringLiteral("héliocentrique")));
    CurveColumns far;
    far.flux = 6;
    EXPECT_TRUE(errorOf(rows(double(ev.start), 50, 0.01), far).contains(QStringLiteral("colonne 7 n'existe pas")));

    const ObservedCurve bad = readObservedCurve(rows(double(ev.start) - 1000, 100, 0.01, "2461380.1,abc\nhier,1.0\n"));
    EXPECT_EQ(bad.badRows, 2);
    EXPECT_EQ(bad.points.size(), 100u);
    EXPECT_TRUE(badRowsText(bad).contains(QStringLiteral("ligne 102 : flux illisible « abc »")));

    // Noise without the event: the fit must not call that a reduction.
    std::mt19937 rng(3);
    std::normal_distribution<double> gauss(0, 0.01);
    std::vector<ObservedPoint> flat;
    for (double t = double(ev.start) - 1200; t <= double(ev.end) + 1200; t += 4)
        flat.push_back({t, 1 + gauss(rng), 0});
    const CurveFit fit = fitLightCurve(ev, flat, kFrench);
    EXPECT_TRUE(fit.error.isEmpty());
    EXPECT_FALSE(fit.converged) << fit.shiftS << ' ' << fit.depth << ' ' << fit.depthSigma;
    EXPECT_FALSE(fit.failure.isEmpty());
}
