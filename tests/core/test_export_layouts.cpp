// Photometry programs' exports read as they are written: one synthetic
// observation of 3E1 (31/12/2026, across 00:00 UT) observed 12.3 s late,
// written in each program's layout, encoding and line ends, gives its O−C
// back; the fit refuses what is no reduction and says why.
#include "light_curve_fit.h"

#include <QDateTime>
#include <QStringEncoder>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <random>

using namespace zeno;

namespace {

constexpr double kShiftS = 12.3;
constexpr int kRows = 2556;

const MutualEvent& event3E1()
{
    static const MutualEvent ev = *findMutualEvent(*parseMutualCode(QStringLiteral("3E1")),
                                                   QDateTime(QDate(2026, 12, 31), QTime(0, 1), Qt::UTC).toSecsSinceEpoch(), 600);
    return ev;
}

// One frame: the pair's and a comparison satellite's signals with their sky
// backgrounds, under a slowly changing transparency, 1 % noise.
struct Frame {
    double ut, pair, comparison, pairSky, comparisonSky;
    double relative() const { return (pair - pairSky) / (comparison - comparisonSky); }
};

std::vector<Frame> observation()
{
    const MutualEvent& ev = event3E1();
    std::mt19937 rng(31122026);
    std::normal_distribution<double> noise(0, 0.01);
    std::vector<Frame> frames;
    for (int i = 0; i < kRows; ++i) {
        const double t = double(ev.start) - 1900 + 2.0 * i;
        const double light = 1 - targetWeight(ev.occulter, ev.target) * lightLost(mutualDiscsAt(ev, t - kShiftS));
        const double sky = 1 + 0.05 * std::sin(t / 900);
        frames.push_back({t, 800 + 5000 * sky * light * (1 + noise(rng)), 600 + 3000 * sky, 800, 600});
    }
    return frames;
}

QString clock(double ut, int decimals)
{
    const QDateTime t = QDateTime::fromMSecsSinceEpoch(std::llround(ut * 1000), Qt::UTC);
    const QString s = t.toString(QStringLiteral("HH:mm:ss.zzz"));
    return decimals > 3 ? s + QString(decimals - 3, u'0') : s.left(9 + decimals);
}
QString date(double ut, const char* form) { return QDateTime::fromSecsSinceEpoch(std::llround(std::floor(ut)), Qt::UTC).toString(QString::fromLatin1(form)); }
QString num(double v, int decimals = 4) { return QString::number(v, 'f', decimals); }

QByteArray encoded(const QString& text, QStringConverter::Encoding encoding, bool bom)
{
    QStringEncoder e(encoding, bom ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
    return e(text);
}

struct Layout {
    const char* name;      // the layout the reader must find
    std::function<QByteArray(const std::vector<Frame>&)> write;
};

const std::vector<Layout>& layouts()
{
    static const std::vector<Layout> all = {
        {"Tangra", [](const std::vector<Frame>& fr) {   // raw signals with their backgrounds, UTF-16 with a mark, CRLF
             QString t = QStringLiteral("Tangra v3.7.5\r\nVideo: 3E1.avi\r\nReduction: Aperture Photometry, Background: Average\r\n\r\n"
                                        "FrameNo,Time (UT),Signal (1),Background (1),Signal (2),Background (2)\r\n");
             for (std::size_t i = 0; i < fr.size(); ++i)
                 t += QStringLiteral("%1,[%2],%3,%4,%5,%6\r\n").arg(i).arg(clock(fr[i].ut, 3), num(fr[i].pair, 2), num(fr[i].pairSky, 2),
                                                                         num(fr[i].comparison, 2), num(fr[i].comparisonSky, 2));
             return encoded(t, QStringConverter::Utf16LE, true);
         }},
        {"PyMovie", [](const std::vector<Frame>& fr) {   // '#' block, net signals of two apertures
             QString t = QStringLiteral("# PyMovie Version 3.8.2\n# source: 3E1.ser\n# date: 2026-12-31\n"
                                        "FrameNum,timeInfo,signal-pair,appsum-pair,avgbkg-pair,nmaskpx-pair,signal-comp,appsum-comp,avgbkg-comp,nmaskpx-comp\n");
             for (std::size_t i = 0; i < fr.size(); ++i)
                 t += QStringLiteral("%1.00,[%2],%3,%4,8.0,100,%5,%6,6.0,100\n").arg(i).arg(clock(fr[i].ut, 4), num(fr[i].pair - fr[i].pairSky, 2), num(fr[i].pair, 2),
                                                                                       num(fr[i].comparison - fr[i].comparisonSky, 2), num(fr[i].comparison, 2));
             return t.toUtf8();
         }},
        {"LiMovie", [](const std::vector<Frame>& fr) {   // hours, minutes, seconds in three columns, CR only
             QString t = QStringLiteral("LiMovie Ver 0.9.29b2\rFile,3E1.avi\r"
                                        "No.,Time,Frame,Hour,Min,Sec,Obj1 X,Obj1 Y,Obj1 Background,Obj1 Result,Obj2 X,Obj2 Y,Obj2 Background,Obj2 Result\r");
             for (std::size_t i = 0; i < fr.size(); ++i) {
                 const QDateTime u = QDateTime::fromMSecsSinceEpoch(std::llround(fr[i].ut * 1000), Qt::UTC);
                 t += QStringLiteral("%1,%2,%3,%4,%5,%6,120.5,88.1,800,%7,180.2,92.4,600,%8\r")
                          .arg(i + 1).arg(2.0 * double(i), 0, 'f', 3).arg(i).arg(u.time().hour()).arg(u.time().minute())
                          .arg(num(u.time().second() + u.time().msec() / 1000.0, 3), num(fr[i].pair - fr[i].pairSky, 2), num(fr[i].comparison - fr[i].comparisonSky, 2));
             }
             return t.toUtf8();
         }},
        {"AstroImageJ", [](const std::vector<Frame>& fr) {   // the default tab table: blank first header cell over the row numbers
             QString t = QStringLiteral("\tLabel\tslice\tJD_UTC\tJ.D.-2400000\tSource-Sky_T1\tSource_Error_T1\trel_flux_T1\trel_flux_err_T1\trel_flux_C2\n");
             for (std::size_t i = 0; i < fr.size(); ++i)
                 t += QStringLiteral("%1\t3E1_%2.fits\t%3\t%4\t%5\t%6\t9.5\t%7\t%8\t1.0\n").arg(i + 1).arg(i).arg(i + 1)
                          .arg(num(julianDayOfSeconds(fr[i].ut), 8), num(julianDayOfSeconds(fr[i].ut) - 2400000, 8), num(fr[i].pair - fr[i].pairSky, 1),
                               num(fr[i].relative(), 6), num(0.01 * fr[i].relative(), 6));
             return t.toUtf8();
         }},
        {"C-Munipack", [](const std::vector<Frame>& fr) {   // differential magnitudes, negative V-C, a line of notes under the header
             QString t = QStringLiteral("JD V-C s1 V-K1 s2\nType: differential magnitudes, Aperture: 2, Filter: V\n");
             for (const Frame& f : fr)
                 t += QStringLiteral("%1\t%2\t0.0109\t%3\t0.0150\n").arg(num(julianDayOfSeconds(f.ut), 7), num(-0.55 - 2.5 * std::log10(f.relative()), 4), num(1.234, 4));
             return t.toUtf8();
         }},
        {"tableur", [](const std::vector<Frame>& fr) {   // date and time columns, decimal commas, quotes, Latin-1
             QString t = QStringLiteral("\"Date\";\"Heure TU\";\"Flux relatif\";\"Remarque\"\r\n");
             for (std::size_t i = 0; i < fr.size(); ++i)
                 t += QStringLiteral("%1;%2;%3;%4\r\n").arg(date(fr[i].ut, "dd/MM/yyyy"), clock(fr[i].ut, 1).replace(u'.', u','), num(fr[i].relative(), 5).replace(u'.', u','),
                                                         i % 500 == 0 ? QStringLiteral("\"voilé ; léger\"") : QString());
             return encoded(t, QStringConverter::Latin1, false);
         }},
        {"tableur", [](const std::vector<Frame>& fr) {   // one date-time column whose date was not moved on at 00:00, UTF-16 without a mark
             QString t = QStringLiteral("UTC\tflux\n");
             const QString day = date(fr.front().ut, "yyyy-MM-dd");
             for (const Frame& f : fr)
                 t += QStringLiteral("%1 %2\t%3\n").arg(day, clock(f.ut, 3), num(f.relative(), 5));
             return encoded(t, QStringConverter::Utf16BE, false);
         }},
    };
    return all;
}

CurveColumns withEventDate()
{
    CurveColumns c;
    c.dateNearUt = event3E1().maximumExact;
    return c;
}

} // namespace

TEST(ExportLayouts, EachLayoutGivesTheKnownOminusC)
{
    const std::vector<Frame> frames = observation();
    for (const Layout& l : layouts()) {
        const QByteArray bytes = l.write(frames);
        const ObservedCurve c = readObservedCurve(bytes, withEventDate());
        ASSERT_TRUE(c.error.isEmpty()) << l.name << ": " << c.error.toStdString();
        EXPECT_EQ(c.layout.toStdString(), l.name) << readingText(c).toStdString();
        EXPECT_EQ(c.badRows, 0) << l.name << ' ' << badRowsText(c).toStdString();
        const CurveFit fit = fitLightCurve(event3E1(), c.points);
        ASSERT_TRUE(fit.converged) << l.name << ": " << fit.failure.toStdString() << fit.error.toStdString();
        EXPECT_LT(std::abs(fit.shiftS - kShiftS), 3 * fit.shiftSigmaS) << l.name << ' ' << fit.shiftS << " ± " << fit.shiftSigmaS << " — " << readingText(c).toStdString();
        std::printf("%-12s %-9s O-C %+.2f ± %.2f s\n", l.name, qPrintable(c.encoding), fit.shiftS, fit.shiftSigmaS);
        if (c.datesFromEvent)
            EXPECT_EQ(c.midnightRollovers, 1) << l.name;
    }
    // What the reader found, where it is not the plain case.
    const ObservedCurve tangra = readObservedCurve(layouts()[0].write(frames), withEventDate());
    EXPECT_EQ(tangra.encoding, QStringLiteral("UTF-16LE"));
    EXPECT_EQ(tangra.backgroundColumn, 3);
    EXPECT_EQ(tangra.comparisonColumn, 4);
    EXPECT_TRUE(readingText(tangra).contains(QStringLiteral("dates prises du phénomène, passage à minuit compris")));
    EXPECT_EQ(readObservedCurve(layouts()[3].write(frames)).fluxColumn, 7);
    EXPECT_TRUE(readObservedCurve(layouts()[4].write(frames)).magnitudes);
    EXPECT_EQ(readObservedCurve(layouts()[5].write(frames)).encoding, QStringLiteral("Latin-1"));
    const ObservedCurve stuck = readObservedCurve(layouts()[6].write(frames));
    EXPECT_EQ(stuck.encoding, QStringLiteral("UTF-16BE"));
    EXPECT_GT(stuck.datesMended, 0);
}

// Times without a date need the event's; a file of no known layout names
// the layouts read and its first unreadable line.
TEST(ExportLayouts, UnreadableFilesSayWhatIsRead)
{
    const std::vector<Frame> frames = observation();
    const ObservedCurve dateless = readObservedCurve(layouts()[0].write(frames));
    EXPECT_TRUE(dateless.error.contains(QStringLiteral("n'ont pas de date"))) << dateless.error.toStdString();
    const ObservedCurve words = readObservedCurve(QByteArray("Observation du 31/12\nPas de mesures, nuages\nà refaire\n"));
    EXPECT_TRUE(words.error.contains(QStringLiteral("ligne 1 « Observation du 31/12 »"))) << words.error.toStdString();
    EXPECT_TRUE(words.error.contains(QStringLiteral("Tangra, PyMovie, LiMovie")));
    const ObservedCurve negative = readObservedCurve(QByteArray("JD_UTC,diff\n2461405.5,-0.5\n2461405.6,-0.4\n2461405.7,-0.45\n"));
    EXPECT_TRUE(negative.error.contains(QStringLiteral("--magnitudes"))) << negative.error.toStdString();
}

// Fluxes read as magnitudes turn the dip into a bump: a failure naming it.
// One point claiming σ = 1e-9 among 2,556 weighs no more than a few.
TEST(ExportLayouts, TheFitDoesNotLie)
{
    const std::vector<Frame> frames = observation();
    std::vector<ObservedPoint> points;
    for (const Frame& f : frames)
        points.push_back({f.ut, f.relative(), 0.01 * f.relative()});

    QString csv = QStringLiteral("JD_UTC,flux\n");
    for (const ObservedPoint& p : points)
        csv += QStringLiteral("%1,%2\n").arg(num(julianDayOfSeconds(p.ut), 8), num(p.flux, 6));
    CurveColumns asMagnitudes;
    asMagnitudes.magnitudes = true;
    const CurveFit inverted = fitLightCurve(event3E1(), readObservedCurve(csv, asMagnitudes).points);
    EXPECT_TRUE(inverted.error.isEmpty());
    EXPECT_FALSE(inverted.converged);
    EXPECT_TRUE(inverted.failure.contains(QStringLiteral("inversées"))) << inverted.failure.toStdString();

    points[1500].sigma = 1e-9;
    points[1500].flux *= 0.9;
    const CurveFit fit = fitLightCurve(event3E1(), points);
    ASSERT_TRUE(fit.converged) << fit.failure.toStdString();
    EXPECT_EQ(fit.floored, 1);
    EXPECT_LT(std::abs(fit.shiftS - kShiftS), 3 * fit.shiftSigmaS) << fit.shiftS << " ± " << fit.shiftSigmaS;

    // A curve that stops before the minimum: no minimum between points.
    std::vector<ObservedPoint> ingress;
    for (const ObservedPoint& p : points)
        if (p.ut < event3E1().maximumExact - 200)
            ingress.push_back({p.ut, p.flux, 0.01});
    const CurveFit half = fitLightCurve(event3E1(), ingress);
    EXPECT_FALSE(half.converged) << half.shiftS;
}
