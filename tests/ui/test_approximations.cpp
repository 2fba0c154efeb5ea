// The mutual approximations in the windows: listed and drawn in the
// phenomena window, a double click to the central instant, reduced in the
// reduction window from a track file; bad thresholds refused in the place dialog.
#include "outils.h"

#include "approximation_panel.h"
#include "approximation_view.h"
#include "fenetre_reduction.h"
#include "fenetrephenomenes.h"
#include "place_dialog.h"
#include "settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>

#include <cmath>

class TestApproximations : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void liste();
    void reduction();
    void reglages();

private:
    QTemporaryDir dossier_;
};

void TestApproximations::initTestCase()
{
    prepareEnvironnement();
    QVERIFY(dossier_.isValid());
    settings::setFile(dossier_.filePath(QStringLiteral("reglages.ini")));
}

// "Année en cours" lists the year's approximations from the place; the
// filter keeps them alone; a selected one shows its distance and tracks,
// the tracks turn with the main window's picture; a double click shows its
// central instant in the main window.
void TestApproximations::liste()
{
    Banc b;
    QVERIFY(b.montre());
    QStringList messages;
    FenetrePhenomenes* p = b.f.fenetrePhenomenes();
    p->horlogeTU = [] { return QDateTime(QDate(2026, 3, 1), QTime(18, 0), Qt::UTC); };
    p->message = [&messages](const QString& t) { messages << t; };
    QSignalSpy fini(p, &FenetrePhenomenes::calculTermine);
    b.clique("LabPhenomenes");
    QVERIFY(fini.wait(60000));
    auto* periode = p->findChild<QComboBox*>(QStringLiteral("ComboPeriode"));
    periode->setCurrentIndex(periode->findText(QStringLiteral("Année en cours")));
    p->ComboPeriode_Change(periode->currentIndex());
    QVERIFY(fini.wait(300000));
    QCOMPARE(messages, QStringList());
    QVERIFY(p->findChild<QLineEdit*>(QStringLiteral("TextDu"))->text().startsWith(QStringLiteral("01/01/2026")));
    QVERIFY(p->approximations().size() > 500);
    auto* filtre = p->findChild<QComboBox*>(QStringLiteral("ComboSatellite"));
    filtre->setCurrentIndex(filtre->findText(QStringLiteral("Approximations mutuelles")));
    auto* t = p->findChild<QTableView*>(QStringLiteral("Tableau"));
    QCOMPARE(std::size_t(t->model()->rowCount()), p->approximations().size());
    QVERIFY(t->model()->index(0, 3).data().toString().contains(u'A'));

    auto* panneau = p->findChild<ApproximationPanel*>(QStringLiteral("ApproximationPanel"));
    QVERIFY(!panneau->isVisible());
    const QModelIndex i = t->model()->index(3, 0);
    t->setCurrentIndex(i);
    QVERIFY(panneau->isVisible());
    const zeno::Approximation& a = panneau->approximation();
    QVERIFY(a.site.has_value());
    QCOMPARE(t->model()->index(3, 3).data().toString(), a.code());
    auto* trajets = panneau->findChild<ApproximationView*>(QStringLiteral("ApproximationTracks"));
    QVERIFY(trajets->picture().tracks.size() > 100);
    QVERIFY(!trajets->picture().flipEastWest);
    b.w<QCheckBox>("CheckEW")->setChecked(true);
    QVERIFY(trajets->picture().flipEastWest);
    // The least distance drawn is the one listed.
    const auto& d = trajets->picture().distance;
    const auto least = std::min_element(d.begin(), d.end(), [](auto& x, auto& y) { return x.distance() < y.distance(); });
    QVERIFY(std::abs(least->distance() - a.distanceArcsec) < 0.05);
    // Exported: the distance as a table the track reader takes back, the pictures; a wrong suffix said.
    const QString csv = dossier_.filePath(QStringLiteral("distance.csv"));
    QVERIFY(panneau->exportDistance(csv) && panneau->exportDistance(dossier_.filePath(QStringLiteral("distance.svg")))
            && panneau->exportTracks(dossier_.filePath(QStringLiteral("trajets.png"))));
    const zeno::ObservedTrack back = zeno::loadObservedTrack(csv);
    QCOMPARE(back.samples.size(), d.size());
    QVERIFY(back.unit == zeno::TrackUnit::Arcsec);
    QVERIFY(std::abs(std::min_element(back.samples.begin(), back.samples.end(), [](auto& x, auto& y) {
                         return x.distance < y.distance;
                     })->distance - least->distance()) < 1e-3);
    QStringList fautes;
    panneau->message = [&fautes](const QString& t) { fautes << t; };
    QVERIFY(!panneau->exportTracks(dossier_.filePath(QStringLiteral("trajets.csv"))) && fautes.size() == 1);

    t->scrollTo(i);
    const QPoint centre = t->visualRect(i).center();
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, centre);
    QCOMPARE(b.texte("datetu"), t->model()->index(3, 1).data().toString());
    QCOMPARE(b.messages, QStringList());
}

// A track made from the prediction, shifted by 2 s: the window finds the
// same shift; a track with no minimum inside is refused with a French message.
void TestApproximations::reduction()
{
    zeno::ApproximationOptions o = settings::readObserver().approximationOptions();
    const auto a = zeno::findApproximation(0, 2, QDateTime(QDate(2026, 3, 1), QTime(20, 36), Qt::UTC).toSecsSinceEpoch(), o);
    QVERIFY(a.has_value());
    QString piste = QStringLiteral("time,dx,dy\n"), moitie = QStringLiteral("jd,distance\n");
    for (int k = -60; k <= 60; ++k) {
        const zeno::SkyOffset s = zeno::approximationOffsetAt(*a, a->centralUt + 10 * k);
        piste += zeno::utIsoTenths(s.ut + 2) + QStringLiteral(",%1,%2\n").arg(s.dx, 0, 'f', 4).arg(s.dy, 0, 'f', 4);
        if (k < -20)
            moitie += QStringLiteral("%1,%2\n").arg(zeno::julianDayOfSeconds(s.ut), 0, 'f', 8).arg(s.distance(), 0, 'f', 4);
    }
    const auto ecrit = [this](const char* nom, const QString& texte) {
        QFile f(dossier_.filePath(QString::fromLatin1(nom)));
        return f.open(QIODevice::WriteOnly) && f.write(texte.toUtf8()) > 0 ? f.fileName() : QString();
    };
    FenetreReduction w(localeFrancaise());
    QStringList messages;
    w.message = [&messages](const QString& t) { messages << t; };
    w.setApproximation(*a);
    QVERIFY(w.chargeFichier(ecrit("piste.csv", piste)));
    QVERIFY(w.ajustementApproximation().converged);
    QVERIFY(std::abs(w.ajustementApproximation().centralUt - a->centralUt - 2) < 0.2);
    QVERIFY(w.rapport().contains(QStringLiteral("réduction d'une approximation mutuelle")));
    QVERIFY(w.exporteRapport(dossier_.filePath(QStringLiteral("rapport.txt"))));
    QVERIFY(w.exporteImage(dossier_.filePath(QStringLiteral("piste.png"))));
    QVERIFY(w.chargeFichier(ecrit("moitie.csv", moitie)));
    QVERIFY(!w.ajustementApproximation().converged);
    QVERIFY(w.findChild<QLabel*>(QStringLiteral("LabelEtat"))->text().contains(QStringLiteral("aucun minimum")));
    QVERIFY(!w.exporteRapport(dossier_.filePath(QStringLiteral("rapport2.txt"))));
    QCOMPARE(messages.size(), 1);
}

// Thresholds out of their ranges: the dialog names the fault and stays open.
void TestApproximations::reglages()
{
    DialogueLieu d(settings::readObserver(), localeFrancaise());
    d.findChild<QLineEdit*>(QStringLiteral("TextApproxDistance"))->setText(QStringLiteral("0,5"));
    d.CommandOk_Click();
    QVERIFY(d.erreur().contains(QStringLiteral("distance maximale")));
    d.findChild<QLineEdit*>(QStringLiteral("TextApproxDistance"))->setText(QStringLiteral("45"));
    d.findChild<QLineEdit*>(QStringLiteral("TextApproxVitesse"))->setText(QStringLiteral("vite"));
    d.CommandOk_Click();
    QVERIFY(d.erreur().contains(QStringLiteral("n'est pas un nombre")));
    d.findChild<QLineEdit*>(QStringLiteral("TextApproxVitesse"))->setText(QStringLiteral("2"));
    d.CommandOk_Click();
    QVERIFY(d.erreur().isEmpty());
    QCOMPARE(d.resultat().approxMaxDistanceArcsec, 45.0);
    settings::writeObserver(d.resultat());
    QCOMPARE(settings::readObserver().approxStationaryMasS, 2.0);
}

QTEST_MAIN(TestApproximations)
#include "test_approximations.moc"
