// A recording opened in "Réduire une observation": a small SER written
// here (Jupiter's disc and the four satellites at their predicted places)
// measured on the worker thread, its frames under the slider; a truncated
// file dropped onto the window and a bad start time give their messages.
#include "outils.h"

#include "fenetre_reduction.h"
#include "modern_theory.h"
#include "recording_timing_dialog.h"
#include "scene_frame.h"
#include "settings.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QtEndian>

#include <cmath>
#include <random>

namespace {

constexpr int kWidth = 480, kHeight = 320, kFrames = 24;
constexpr double kStepS = 30;   // between frames

// 8-bit mono SER, frames kStepS apart from t0 (UT seconds) with their UTC
// stamps; `written` frames of data only (a truncated file) when fewer.
QByteArray syntheticSer(double t0, int written = kFrames)
{
    QByteArray out(zeno::kSerHeaderBytes, '\0');
    out.replace(0, 14, "LUCAM-RECORDER");
    const auto int32 = [&out](int at, qint32 v) { qToLittleEndian(v, out.data() + at); };
    int32(22, 1);   // little-endian samples (one byte each here)
    int32(26, kWidth);
    int32(30, kHeight);
    int32(34, 8);
    int32(38, kFrames);
    qToLittleEndian(qint64(zeno::unixSecondsToSerTicks(t0)), out.data() + 170);
    std::mt19937 rng(7);
    std::normal_distribution<double> noise(0, 2);
    for (int n = 0; n < written; ++n) {
        const zeno::ModernEphemeris e = zeno::computeModern(zeno::julianDayOfSeconds(t0 + n * kStepS));
        const double X[4] = {e.X1, e.X2, e.X3, e.X4}, Y[4] = {e.Y1, e.Y2, e.Y3, e.Y4};
        double reach = 1e-9;   // Jupiter radii per pixel that keep the four inside
        for (int k = 0; k < 4; ++k)
            reach = std::max({reach, std::abs(X[k]) / (kWidth / 2 - 20), std::abs(Y[k]) / (kHeight / 2 - 20)});
        const double scale = std::min(12.0, 1 / reach);   // pixels per Jupiter radius
        QByteArray frame(kWidth * kHeight, '\0');
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const double dx = x - kWidth / 2.0, dy = y - kHeight / 2.0;
                double v = 10 + noise(rng) + (std::hypot(dx, dy / 0.935) < scale ? 200 : 0);
                for (int k = 0; k < 4; ++k) {
                    const double sx = kWidth / 2.0 - X[k] * scale, sy = kHeight / 2.0 - Y[k] * scale;
                    v += 60 * std::exp(-(std::pow(x - sx, 2) + std::pow(y - sy, 2)) / (2 * 1.6 * 1.6));
                }
                frame[y * kWidth + x] = char(std::clamp(int(std::lround(v)), 0, 250));
            }
        out += frame;
    }
    if (written == kFrames)
        for (int n = 0; n < kFrames; ++n) {
            char stamp[8];
            qToLittleEndian(qint64(zeno::unixSecondsToSerTicks(t0 + n * kStepS)), stamp);
            out.append(stamp, 8);
        }
    return out;
}

} // namespace

class TestEnregistrement : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void mesureEtCurseur();
    void mauvaisEnregistrement();

private:
    QString ecrit(const char* nom, const QByteArray& donnees);
    QTemporaryDir dossier_;
    zeno::MutualEvent event_;
};

void TestEnregistrement::initTestCase()
{
    prepareEnvironnement();
    QVERIFY(dossier_.isValid());
    settings::setFile(dossier_.filePath(QStringLiteral("settings.ini")));
    const auto ev = zeno::findMutualEvent(*zeno::parseMutualCode(QStringLiteral("3E2")),
                                          QDateTime(QDate(2026, 12, 2), QTime(21, 47), Qt::UTC).toSecsSinceEpoch(), 600);
    QVERIFY(ev.has_value());
    event_ = *ev;
}

QString TestEnregistrement::ecrit(const char* nom, const QByteArray& donnees)
{
    const QString chemin = dossier_.filePath(QString::fromLatin1(nom));
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(donnees) == donnees.size() ? chemin : QString();
}

// Opened through "Fichier…": the naming and the curve measured while the
// window runs, the slider over every frame, the comparison named in the
// results and the report.
void TestEnregistrement::mesureEtCurseur()
{
    const QString ser = ecrit("3E2.ser", syntheticSer(event_.maximumExact - kFrames / 2 * kStepS));
    QVERIFY(!ser.isEmpty());
    QStringList messages;
    FenetreReduction w(localeFrancaise(), nullptr, event_);
    w.message = [&](const QString& t) { messages << t; };
    w.choixOuverture = [&ser] { return QStringList{ser}; };
    w.show();
    QSignalSpy fin(&w, &FenetreReduction::mesureTerminee);
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("CommandFichier")), Qt::LeftButton);
    QVERIFY(w.mesureEnCours() || fin.count() == 1);
    QVERIFY(fin.count() == 1 || fin.wait(120000));
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join(u'\n')));
    const zeno::CurveMeasurement* m = w.mesure();
    QVERIFY(m && m->error.isEmpty() && !m->frames.empty() && m->comparison >= 0);

    auto* curseur = w.findChild<QSlider*>(QStringLiteral("CurseurImages"));
    QCOMPARE(curseur->maximum(), kFrames - 1);
    curseur->setValue(5);
    QTRY_VERIFY(w.findChild<QLabel*>(QStringLiteral("LabelImage"))->text().startsWith(QStringLiteral("Image 6 / 24")));
    const QString comparaison = zeno::satelliteDisplayName(m->comparison);
    QVERIFY2(w.findChild<QLabel*>(QStringLiteral("LabelResultats"))->text().contains(QStringLiteral("comparaison ") + comparaison),
             qPrintable(w.findChild<QLabel*>(QStringLiteral("LabelResultats"))->text()));
    const QString rapport = w.rapport();
    QVERIFY(rapport.contains(QStringLiteral("# Identification : ")));
    QVERIFY(rapport.contains(QStringLiteral("# Images : %1 lues").arg(kFrames)));
}

// A truncated SER dropped onto the window, and a start time or rate that
// cannot be read: each says what is wrong; the window goes on.
void TestEnregistrement::mauvaisEnregistrement()
{
    const QString tronque = ecrit("tronque.ser", syntheticSer(event_.maximumExact, 3));
    QVERIFY(!tronque.isEmpty());
    QStringList messages;
    FenetreReduction w(localeFrancaise(), nullptr, event_);
    w.message = [&](const QString& t) { messages << t; };
    w.choixHoraire = [&](const zeno::RecordingInfo&) {
        messages << QStringLiteral("heure demandée");
        return std::nullopt;
    };
    w.show();
    QMimeData donnees;
    donnees.setUrls({QUrl::fromLocalFile(tronque)});
    QDragEnterEvent entree(QPoint(100, 100), Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &entree);
    QVERIFY(entree.isAccepted());
    QDropEvent depot(QPointF(100, 100), Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &depot);
    QTRY_VERIFY_WITH_TIMEOUT(!messages.isEmpty(), 20000);
    QVERIFY2(messages[0].contains(QStringLiteral("tronque.ser")), qPrintable(messages[0]));
    QVERIFY(!w.mesureEnCours() && w.isVisible());

    QString faute;
    const QLocale fr = localeFrancaise();
    const auto h = readRecordingTiming(QStringLiteral("02/12/2026 21:40:03,52"), QStringLiteral("29.97"), fr, &faute);
    QVERIFY(h && h->startUt && h->fps);
    QCOMPARE(*h->startUt, QDateTime(QDate(2026, 12, 2), QTime(21, 40, 3), Qt::UTC).toSecsSinceEpoch() + 0.52);
    QCOMPARE(*h->fps, 29.97);
    QCOMPARE(readRecordingTiming(QStringLiteral("2026-12-02T21:40:03.52Z"), QStringLiteral("25"), fr, &faute)->startUt, h->startUt);
    QVERIFY(!readRecordingTiming(QStringLiteral("ce soir"), QStringLiteral("25"), fr, &faute));
    QVERIFY2(faute.contains(QStringLiteral("champ « Première image (TU) »")), qPrintable(faute));
    QVERIFY(!readRecordingTiming(QStringLiteral("02/12/2026 21:40"), QStringLiteral("0"), fr, &faute));
    QVERIFY2(faute.contains(QStringLiteral("champ « Images par seconde »")), qPrintable(faute));
}

QTEST_MAIN(TestEnregistrement)
#include "test_enregistrement.moc"
