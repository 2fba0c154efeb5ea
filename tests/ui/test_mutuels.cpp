// The phenomena window's mutual events: the season listed, a selected event
// shown as a light curve and two discs, their export, and the jump to its
// maximum.
#include "outils.h"

#include "fenetrephenomenes.h"
#include "mutual_discs_view.h"
#include "mutual_event_panel.h"
#include "settings.h"
#include "zonedessin.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

class TestMutuels : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void saison();

private:
    QTemporaryDir dossier_;
};

namespace {

int chercheLigne(const QAbstractItemModel* m, const QString& tu, const QString& code)
{
    for (int r = 0; r < m->rowCount(); ++r)
        if (m->index(r, 1).data().toString().startsWith(tu) && m->index(r, 3).data().toString() == code)
            return r;
    return -1;
}

// A click, or a click then a double click, at the row's centre; the point clicked.
QPoint clic(QTableView* t, int r, bool double_)
{
    const QModelIndex i = t->model()->index(r, 0);
    t->scrollTo(i);
    const QPoint centre = t->visualRect(i).center();
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, centre);
    if (double_)
        QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, centre);
    return centre;
}

} // namespace

void TestMutuels::initTestCase()
{
    prepareEnvironnement();
    QVERIFY(dossier_.isValid());
    settings::setFile(dossier_.filePath(QStringLiteral("reglages.ini")));
}

// The season 2026-2027 at Paris: Ganymède's shadow on Europe on 2 December
// 2026 (3E2, partial, maximum 21:47 TU) is listed; selected, its curve
// reaches the announced drop at the maximum, its discs turn with the main
// window's picture; the curve and the discs export
// as readable PNG, SVG and CSV, the row goes to a calendar by its code, and
// nothing is left of a failed export; a double click shows the maximum in
// the main window.
void TestMutuels::saison()
{
    Banc b;
    QVERIFY(b.montre());
    QStringList messages;
    FenetrePhenomenes* p = b.f.fenetrePhenomenes();
    p->horlogeTU = [] { return QDateTime(QDate(2026, 12, 1), QTime(18, 0), Qt::UTC); };
    p->message = [&messages](const QString& t) { messages << t; };
    QSignalSpy fini(p, &FenetrePhenomenes::calculTermine);
    b.clique("LabPhenomenes");
    QVERIFY(fini.wait(60000));
    auto* periode = p->findChild<QComboBox*>(QStringLiteral("ComboPeriode"));
    periode->setCurrentIndex(periode->findText(QStringLiteral("Saison des phénomènes mutuels")));
    p->ComboPeriode_Change(periode->currentIndex());
    QVERIFY(fini.wait(300000));
    QCOMPARE(messages, QStringList());
    QCOMPARE(p->findChild<QComboBox*>(QStringLiteral("ComboSatellite"))->currentText(), QStringLiteral("Phénomènes mutuels"));
    QVERIFY(p->findChild<QLabel*>(QStringLiteral("LabelEtat"))->text().contains(QStringLiteral("théorie précise")));

    auto* t = p->findChild<QTableView*>(QStringLiteral("Tableau"));
    QVERIFY(p->mutuels().size() > 200);
    QCOMPARE(std::size_t(t->model()->rowCount()), p->mutuels().size());
    const int r = chercheLigne(t->model(), QStringLiteral("02/12/2026 21:47"), QStringLiteral("3E2"));
    QVERIFY(r >= 0);
    const QString maximumTU = t->model()->index(r, 1).data().toString();
    QCOMPARE(t->model()->index(r, 2).data().toString(), QStringLiteral("Europe"));
    QCOMPARE(t->model()->index(r, 4).data().toString(), QStringLiteral("partielle"));

    auto* panneau = p->findChild<MutualEventPanel*>(QStringLiteral("MutualEventPanel"));
    QVERIFY(!panneau->isVisible());
    // The panel opens below without taking the row from under the pointer.
    const int enHaut = t->rowAt(t->rowHeight(0));
    const QPoint pointeur = clic(t, enHaut, false);
    QVERIFY(panneau->isVisible());
    QCOMPARE(t->indexAt(pointeur).row(), enHaut);
    clic(t, r, false);
    const zeno::MutualEvent& ev = panneau->event();
    QCOMPARE(ev.code(), QStringLiteral("3E2"));
    const auto& courbe = panneau->curve();
    QVERIFY(courbe.size() > 100);
    const auto creux = std::min_element(courbe.begin(), courbe.end(), [](auto& a, auto& b) { return a.flux < b.flux; });
    QVERIFY(ev.magnitudeDrop > 0.1);
    QCOMPARE(-2.5 * std::log10(creux->flux), ev.magnitudeDrop);
    QVERIFY(std::abs(creux->ut - ev.maximumExact) < 1);
    QVERIFY(courbe.front().ut < double(ev.start) && courbe.back().ut > double(ev.end));
    QCOMPARE(courbe.front().flux, 1.0);
    auto* details = panneau->findChild<QLabel*>(QStringLiteral("LabelDetails"));
    QVERIFY(details->text().contains(QStringLiteral(" s ·")));   // the maximum's "± n s"
    // The discs turn with the main window's picture.
    auto* disques = panneau->findChild<MutualDiscsView*>();
    QVERIFY(!disques->picture().flipEastWest && !disques->picture().flipNorthSouth);
    b.w<QCheckBox>("CheckEW")->setChecked(true);
    QVERIFY(disques->picture().flipEastWest && !disques->picture().flipNorthSouth);

    // Exports, each read back.
    const auto chemin = [this](const char* nom) { return dossier_.filePath(QString::fromLatin1(nom)); };
    QVERIFY(panneau->exportCurve(chemin("courbe.png")));
    QCOMPARE(QImage(chemin("courbe.png")).size(), QSize(1200, 600));
    QVERIFY(panneau->exportDiscs(chemin("disques.png")));
    QCOMPARE(QImage(chemin("disques.png")).size(), QSize(800, 800));
    QVERIFY(panneau->exportCurve(chemin("courbe.svg")));
    QVERIFY(panneau->exportDiscs(chemin("disques.svg")));
    for (const char* svg : {"courbe.svg", "disques.svg"})
        QVERIFY2(QSvgRenderer(chemin(svg)).isValid(), svg);
    QVERIFY(panneau->exportCurve(chemin("courbe.csv")));
    QFile csv(chemin("courbe.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QStringList lignes = QString::fromUtf8(csv.readAll()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lignes.size(), int(courbe.size()) + 2);
    QVERIFY(lignes[0].startsWith(QStringLiteral("# 3E2")));
    QCOMPARE(lignes[1], QStringLiteral("ut,t_s,flux"));
    // The selected row in a calendar: named by its code, at its maximum.
    QVERIFY(p->exporteIcs(chemin("mutuel.ics")));
    QFile ics(chemin("mutuel.ics"));
    QVERIFY(ics.open(QIODevice::ReadOnly));
    const QByteArray agenda = ics.readAll();
    QVERIFY(agenda.contains("SUMMARY:Europe — phénomène mutuel 3E2 (partielle)\\, maximum"));
    QVERIFY(agenda.contains("DTSTART:20261202T2147"));
    // A directory that does not exist, and a name of no known kind.
    QVERIFY(!panneau->exportCurve(chemin("absent/courbe.png")));
    QVERIFY(!panneau->exportDiscs(chemin("disques.csv")));
    QCOMPARE(messages.size(), 2);
    QVERIFY(messages[0].startsWith(QStringLiteral("Impossible d'écrire le fichier")));
    QVERIFY(!QFile::exists(chemin("absent/courbe.png")) && !QFile::exists(chemin("disques.csv")));

    // The jump to the maximum: the main window in front, the pair ringed
    // until the next pass.
    clic(t, r, true);
    QCOMPARE(b.texte("datetu"), maximumTU);
    QTRY_COMPARE(QApplication::activeWindow(), &b.f);
    const auto* scene = b.w<ZoneDessin>("Picture1");
    QCOMPARE(scene->cercles().last().styleRemplissage, 1);
    QVERIFY(scene->toolTip().contains(QStringLiteral("Ganymède et Europe")));
    b.clique("CommandOk");
    QVERIFY(scene->cercles().last().styleRemplissage != 1 && scene->toolTip().isEmpty());
    QCOMPARE(b.messages, QStringList());

    // L1.2 as published, chosen in this window: the season again, named so, without uncertainties.
    p->findChild<QAction*>(QStringLiteral("ActionL12Publiee"))->trigger();
    QVERIFY(fini.wait(300000));
    QVERIFY(p->findChild<QLabel*>(QStringLiteral("LabelEtat"))->text().contains(QStringLiteral("(L1.2 telle que publiée)")));
    const int r2 = chercheLigne(t->model(), QStringLiteral("02/12/2026 21:4"), QStringLiteral("3E2"));
    QVERIFY(r2 >= 0);
    clic(t, r2, false);
    QVERIFY(std::isnan(panneau->event().maxUtSigmaS));
    QVERIFY(!details->text().contains(QStringLiteral("±")));
    p->findChild<QAction*>(QStringLiteral("ActionL12Corrigee"))->trigger();
    QVERIFY(fini.wait(300000));

    // A recomputation empties the panel.
    periode->setCurrentIndex(periode->findText(QStringLiteral("Autre")));
    p->findChild<QLineEdit*>(QStringLiteral("TextDu"))->setText(QStringLiteral("14/12/2026 00:00:00"));
    p->findChild<QLineEdit*>(QStringLiteral("TextAu"))->setText(QStringLiteral("17/12/2026 00:00:00"));
    p->CommandCalculer_Click();
    QVERIFY(!panneau->isVisible());
    QVERIFY(!p->findChild<QPushButton*>(QStringLiteral("CommandReduire"))->isEnabled());
    QVERIFY(fini.wait(300000));
    QCOMPARE(b.messages, QStringList());
}

QTEST_MAIN(TestMutuels)
#include "test_mutuels.moc"
