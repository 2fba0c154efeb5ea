// The correction of L1.2 and its fit: off, the published numbers to the
// bit; on, a turn about Jupiter's pole; a fit on observations made from a
// known correction finds it again; bad catalogues are refused by name.
#include "catalogue.h"
#include "l12_correction.h"
#include "model.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace zeno;

TEST(CorrectionL12, OffIsPublishedOnIsATurnAboutThePole)
{
    const double jd = 2459300.5;
    for (int k = 0; k < 4; ++k) {
        setL12Corrected(false);
        const EtatL12 published = etatL12(k, jd), off = etatPrecis(k, jd);
        EXPECT_EQ(std::memcmp(&published, &off, sizeof published), 0) << k;
        setL12Corrected(true);
        const EtatL12 on = etatPrecis(k, jd);
        const double* u = correctionAxis();
        const auto dot = [](const double* a, const double* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; };
        // Same distance, same height over the pole, longitude moved by the fitted angle.
        EXPECT_NEAR(dot(on.position, on.position), dot(published.position, published.position), 1e-18);
        EXPECT_NEAR(dot(on.position, u), dot(published.position, u), 1e-15);
        const double turned = std::acos(std::min(1.0, dot(on.position, published.position)
                                                          / dot(published.position, published.position)));
        EXPECT_NEAR(turned, std::abs(fittedCorrectionL12().correction.longitudeRad(k, jd)), 2e-6) << k;
    }
}

TEST(CorrectionFit, RecoversAKnownCorrectionAndRefusesBadCatalogues)
{
    // Occultations and eclipses of every pair at instants of the 2009-2021 seasons.
    const struct { int occ, tgt; bool eclipse; double jd; } events[] = {
        {0, 1, false, 2455060.38}, {1, 0, true, 2455093.14}, {2, 0, false, 2455020.20}, {3, 1, true, 2455110.71},
        {0, 2, true, 2456967.55}, {1, 2, false, 2456951.08}, {3, 0, false, 2456964.07}, {2, 3, true, 2456937.87},
        {0, 1, true, 2459320.18}, {3, 2, true, 2459324.28}, {1, 3, false, 2457000.52}, {2, 1, true, 2457071.31},
        {0, 3, true, 2459317.65}, {3, 1, false, 2459274.91}, {1, 0, false, 2459301.69}, {2, 0, true, 2455050.45},
    };
    CorrectionL12 truth;
    const double p[kCorrectionParameters] = {150, 10, -60, 5, 80, -4, -30, 3};
    std::copy(std::begin(p), std::end(p), truth.p);
    setL12Corrected(true);
    setTrialCorrection(&truth);
    std::vector<fit::Observation> obs;
    for (const auto& e : events)
        for (double dt : {-0.2, 0.0, 0.2}) {
            fit::Observation o;
            o.occulter = e.occ;
            o.target = e.tgt;
            o.type = e.eclipse ? MutualType::Eclipse : MutualType::Occultation;
            o.jdUtc = e.jd + dt;
            const fit::SkyOffset c = fit::modelOffset(o, o.jdUtc);
            o.x = c.x;
            o.y = c.y;
            o.sigmaX = o.sigmaY = 0.01;
            obs.push_back(o);
        }
    setTrialCorrection(nullptr);
    fit::FitOptions options;
    options.rates = fit::FitOptions::Rates::Free;
    options.wellTimedOnly = false;   // instants away from the events' middles
    const fit::FitResult f = fit::fitCorrection(obs, options);
    ASSERT_TRUE(f.converged) << f.message.toStdString();
    for (int j = 0; j < kCorrectionParameters; ++j)
        EXPECT_NEAR(f.correction.p[j], p[j], 1e-3 * std::abs(p[j]) + 0.05) << j;

    QTemporaryDir dir;
    const auto write = [&](const char* name, const QByteArray& text) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    };
    const QByteArray desc = "reduction: from mutual occultations and eclipses\nXYZ   10.0  45.0  100.0  site\nFormat.\n"
                            "  1. Observatory code\n  2. The type of the phenomenon\n  3. Year of observation\n"
                            "  4. Month of observation\n  5. Day of observation\n  6. Hour of the astrometric data\n"
                            "  7. Minute of the astrometric data\n  8. Seconde of the astrometric data\n"
                            "  9. X coordinate in arcseconds\n 10. Y coordinate in arcseconds\n 11. sigma of X\n 12. sigma of Y\n";
    write("jg0001.desc.txt", desc);
    write("jg0001.txt", "ABC 1o2 2015 1 1 1 2 3.0 0.1 0.2 0.01 0.01\n");
    QString error;
    EXPECT_TRUE(fit::readCatalogue(dir.filePath("jg0001.txt"), error).empty());
    EXPECT_TRUE(error.contains("ABC") && error.contains("ligne 1")) << error.toStdString();
    // The quality flag and the least flux, when described, set the observation aside from the timing.
    write("jg0001.desc.txt", desc + " 13. Flag Q indicating the quality\n 14. The minimum level S min of normalized flux.\n");
    write("jg0001.txt", "XYZ 1o2 2015 1 1 1 2 3.0 0.1 0.2 0.01 0.01 1 0.95\n");
    const std::vector<fit::Observation> flagged = fit::readCatalogue(dir.filePath("jg0001.txt"), error);
    ASSERT_EQ(flagged.size(), 1u) << error.toStdString();
    EXPECT_TRUE(flagged[0].doubtful);
    EXPECT_DOUBLE_EQ(flagged[0].minimumFlux, 0.95);
    write("jg0001.desc.txt", desc);
    write("jg0001.txt", "XYZ 1o2 2015 1 1 1 2 3.0 0.1\n");
    EXPECT_TRUE(fit::readCatalogue(dir.filePath("jg0001.txt"), error).empty());
    EXPECT_TRUE(error.contains("9 colonnes")) << error.toStdString();
    write("jg0001.txt", "");
    EXPECT_TRUE(fit::readCatalogue(dir.filePath("jg0001.txt"), error).empty());
    EXPECT_TRUE(error.contains("aucune observation")) << error.toStdString();
    write("jg0001.desc.txt", QByteArray(desc).replace("  9. X coordinate", "  9. Z coordinate"));
    write("jg0001.txt", "XYZ 1o2 2015 1 1 1 2 3.0 0.1 0.2 0.01 0.01\n");
    EXPECT_TRUE(fit::readCatalogue(dir.filePath("jg0001.txt"), error).empty());
    EXPECT_TRUE(error.contains("colonnes attendues")) << error.toStdString();
}
