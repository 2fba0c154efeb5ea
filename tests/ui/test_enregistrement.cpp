// A recording opened in "Réduire une observation": a small synthetic SER of
// 3E1 (the program's own model, 12.3 s late) measured on the worker thread,
// its frames under the slider, its O−C found by the fit; a truncated file
// dropped onto the window and a bad start time give their messages. A
// synthetic SER of the approximation 1A2 reduced to its central instant.
#include "outils.h"

#include "fenetre_reduction.h"
#include "recording_timing_dialog.h"
#include "scene_frame.h"
#include "settings.h"
#include "synthetic.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>

#include <cmath>

class TestEnregistrement : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void mesureEtCurseur();
    void mauvaisEnregistrement();
    void approximation();

private:
    QTemporaryDir dossier_;
    zeno::test::SyntheticScene scene_;
    QString ser_;
};

void TestEnregistrement::initTestCase()
{
    prepareEnvironnement();
    QVERIFY(dossier_.isValid());
    settings::setFile(dossier_.filePath(QStringLiteral("settings.ini")));
    scene_.event = zeno::test::eventOf("3E1", "2026-12-31");
    scene_.choose();
    ser_ = dossier_.filePath(QStringLiteral("3E1.ser"));
    QVERIFY(zeno::test::writeSer(ser_, scene_));
}

// Opened through "Fichier…": the naming and the curve measured while the
// window runs, the slider over every frame, the comparison named in the
// results and the report.
void TestEnregistrement::mesureEtCurseur()
{
    QStringList messages;
    FenetreReduction w(localeFrancaise(), nullptr, scene_.event);
    w.message = [&](const QString& t) { messages << t; };
    w.choixOuverture = [this] { return QStringList{ser_}; };
    w.show();
    QSignalSpy fin(&w, &FenetreReduction::mesureTerminee);
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("CommandFichier")), Qt::LeftButton);
    QVERIFY(w.mesureEnCours() || fin.count() == 1);
    QVERIFY(fin.count() == 1 || fin.wait(120000));
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join(u'\n')));
    const zeno::CurveMeasurement* m = w.mesure();
    QVERIFY(m && m->error.isEmpty() && !m->frames.empty() && m->comparison >= 0);

    auto* curseur = w.findChild<QSlider*>(QStringLiteral("CurseurImages"));
    QCOMPARE(curseur->maximum(), scene_.frames - 1);
    curseur->setValue(5);
    QTRY_VERIFY(w.findChild<QLabel*>(QStringLiteral("LabelImage"))->text().startsWith(QStringLiteral("Image 6 / %1").arg(scene_.frames)));
    const QString comparaison = zeno::satelliteDisplayName(m->comparison);
    QVERIFY2(w.findChild<QLabel*>(QStringLiteral("LabelResultats"))->text().contains(QStringLiteral("comparaison ") + comparaison),
             qPrintable(w.findChild<QLabel*>(QStringLiteral("LabelResultats"))->text()));
    const QString rapport = w.rapport();
    QVERIFY(rapport.contains(QStringLiteral("# Identification : ")));
    QVERIFY(rapport.contains(QStringLiteral("# Images : %1 lues").arg(scene_.frames)));
    // The measured points went to the fit.
    const zeno::CurveFit& fit = w.ajustement();
    QVERIFY2(fit.converged, qPrintable(fit.error + fit.failure));
    QVERIFY2(std::abs(fit.shiftS - scene_.shiftS) < 3 * fit.shiftSigmaS, qPrintable(QString::number(fit.shiftS)));
}

// A truncated SER dropped onto the window, and a start time or rate that
// cannot be read: each says what is wrong; the window goes on.
void TestEnregistrement::mauvaisEnregistrement()
{
    const QString tronque = dossier_.filePath(QStringLiteral("tronque.ser"));
    QVERIFY(QFile::copy(ser_, tronque) && QFile::resize(tronque, zeno::kSerHeaderBytes + 3 * 2 * scene_.width * scene_.height + 100));
    QStringList messages;
    FenetreReduction w(localeFrancaise(), nullptr, scene_.event);
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

// The approximation chosen, then its recording opened: the pair's centres
// measured on the worker, the central instant fitted within 3 sigma of the
// pass as rendered, the track saved as a file the window reads back.
void TestEnregistrement::approximation()
{
    const auto a = zeno::findApproximation(0, 1, QDateTime(QDate(2026, 1, 2), QTime(17, 43), Qt::UTC).toSecsSinceEpoch(), {});
    QVERIFY(a.has_value());
    zeno::test::SyntheticScene s;
    s.approximation = a;
    s.shiftS = -5;
    s.width = 400;
    s.height = 100;
    s.pixelsPerRadius = 25;
    s.frames = 121;
    s.cadenceS = 5;
    const QString ser = dossier_.filePath(QStringLiteral("1A2.ser"));
    QVERIFY(zeno::test::writeSer(ser, s));
    QStringList messages;
    FenetreReduction w(localeFrancaise());
    w.message = [&](const QString& t) { messages << t; };
    w.choixOuverture = [&] { return QStringList{ser}; };
    const QString piste = dossier_.filePath(QStringLiteral("1A2_piste.csv"));
    w.choixEnregistrement = [&](const QString&, const QString&) { return piste; };
    w.setApproximation(*a);
    w.show();
    QSignalSpy fin(&w, &FenetreReduction::mesureTerminee);
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("CommandFichier")), Qt::LeftButton);
    QVERIFY(fin.count() == 1 || fin.wait(120000));
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join(u'\n')));
    const zeno::ApproximationFit& fit = w.ajustementApproximation();
    QVERIFY2(fit.converged, qPrintable(fit.error + fit.failure));
    QVERIFY2(std::abs(fit.centralUt - s.leastDistanceUt()) < 3 * fit.centralSigmaS,
             qPrintable(QStringLiteral("%1 ± %2").arg(fit.centralUt - s.leastDistanceUt()).arg(fit.centralSigmaS)));
    QVERIFY(w.rapport().contains(QStringLiteral("# Images : %1 lues").arg(s.frames)));
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("CommandEnregistrerCourbe")), Qt::LeftButton);
    QVERIFY(w.chargeFichier(piste));
    QVERIFY(std::abs(w.ajustementApproximation().centralUt - fit.centralUt) < 0.01);
}

QTEST_MAIN(TestEnregistrement)
#include "test_enregistrement.moc"
