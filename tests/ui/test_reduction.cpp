// "Réduire une observation…": an observed curve read, fitted and exported
// with the observer's place; bad entries leave the window as it was.
#include "outils.h"

#include "fenetre_reduction.h"
#include "fenetrephenomenes.h"
#include "settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QUrl>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>

#include <cmath>
#include <random>

class TestReduction : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void reductionEtExports();
    void mauvaiseEntree();
    void depuisPhenomenes();
    void exportDepose();

private:
    QTemporaryDir dossier_;
    zeno::MutualEvent event_;
    QString courbe_;
};

void TestReduction::initTestCase()
{
    prepareEnvironnement();
    QVERIFY(dossier_.isValid());
    settings::setFile(dossier_.filePath(QStringLiteral("settings.ini")));
    const auto ev = zeno::findMutualEvent(*zeno::parseMutualCode(QStringLiteral("3E2")),
                                          QDateTime(QDate(2026, 12, 2), QTime(21, 47), Qt::UTC).toSecsSinceEpoch(), 600);
    QVERIFY(ev.has_value());
    event_ = *ev;
    // The eclipse observed 20 s late, with noise and its sigma, and a column of notes.
    const zeno::EventShape shape = zeno::eventShape(event_);
    std::mt19937 rng(5);
    std::normal_distribution<double> bruit(0, 0.005);
    QString texte = QStringLiteral("JD_UTC;rel_flux;rel_flux_err;note\n");
    for (double t = double(event_.start) - 900; t <= double(event_.end) + 900; t += 5) {
        const double f = 0.8 * zeno::shapeFlux(shape, t - shape.tMax - 20) + bruit(rng);
        texte += QStringLiteral("%1;%2;0,005;ok\n").arg(QString::number(zeno::julianDayOfSeconds(t), 'f', 8).replace(u'.', u','),
                                                         QString::number(f, 'f', 5).replace(u'.', u','));
    }
    courbe_ = dossier_.filePath(QStringLiteral("3E2.csv"));
    QFile f(courbe_);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(texte.toUtf8()) > 0);
}

// The curve read with its columns found, the shift found, the report with
// the observer's place, the plot as PNG and SVG; an unwritable place leaves nothing.
void TestReduction::reductionEtExports()
{
    settings::Observer o = settings::readObserver();
    o.site = zeno::Site{43.6, 1.44, 150};
    o.siteSet = true;
    settings::writeObserver(o);
    QStringList messages;
    FenetreReduction w(localeFrancaise(), nullptr, event_);
    w.message = [&](const QString& t) { messages << t; };
    w.choixOuverture = [this] { return courbe_; };
    QString sortie;
    w.choixEnregistrement = [&](const QString&, const QString&) { return sortie; };
    w.show();
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("CommandFichier")), Qt::LeftButton);
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join(u'\n')));
    const zeno::CurveFit& fit = w.ajustement();
    QVERIFY(fit.converged && fit.weighted);
    QVERIFY2(std::abs(fit.shiftS - 20) < 4 * fit.shiftSigmaS, qPrintable(QString::number(fit.shiftS)));
    QCOMPARE(w.findChild<QComboBox*>(QStringLiteral("ComboIncertitude"))->currentText(), QStringLiteral("3 : rel_flux_err"));
    QVERIFY(w.findChild<QLabel*>(QStringLiteral("LabelResultats"))->text().contains(QStringLiteral("O−C")));
    QVERIFY(w.findChild<QLabel*>(QStringLiteral("LabelPrevision"))->text().contains(QStringLiteral("topocentrique")));

    sortie = dossier_.filePath(QStringLiteral("rapport.txt"));
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("CommandExporterRapport")), Qt::LeftButton);
    QFile r(sortie);
    QVERIFY(r.open(QIODevice::ReadOnly));
    const QString rapport = QString::fromUtf8(r.readAll());
    for (const QString& attendu : {QStringLiteral("# Phénomène : 3E2 (eclipse, partial) : Ganymède éclipse Europe"),
                                   QStringLiteral("latitude 43.60000°, longitude 1.44000°"),
                                   QStringLiteral("topocentrique (vue du lieu d'observation"),
                                   QStringLiteral("# Maximum observé (TU) : 02/12/2026 21:47:"),
                                   QStringLiteral("jd_utc,ut,flux,sigma,model,residual")})
        QVERIFY2(rapport.contains(attendu), qPrintable(attendu));
    QCOMPARE(rapport.count(u'\n'), w.rapport().count(u'\n'));

    for (const char* nom : {"courbe.png", "courbe.svg"}) {
        sortie = dossier_.filePath(QString::fromLatin1(nom));
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("CommandExporterImage")), Qt::LeftButton);
        const QImage image(sortie);
        QVERIFY2(!image.isNull() && std::abs(image.width() * 2 - image.height() * 3) <= 3, nom);
    }
    sortie = dossier_.filePath(QStringLiteral("absent/rapport.txt"));
    QVERIFY(!w.exporteRapport(sortie));
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].contains(QStringLiteral("Impossible d'écrire")));
    QVERIFY(!QFile::exists(sortie));
}

// A bad code or date names its field; a file or columns that give no curve
// leave the reduction shown as it was.
void TestReduction::mauvaiseEntree()
{
    QStringList messages;
    FenetreReduction w(localeFrancaise());
    w.message = [&](const QString& t) { messages << t; };
    w.show();
    auto* code = w.findChild<QLineEdit*>(QStringLiteral("TextCode"));
    auto* date = w.findChild<QLineEdit*>(QStringLiteral("TextDate"));
    auto* chercher = w.findChild<QPushButton*>(QStringLiteral("CommandChercher"));
    code->setText(QStringLiteral("3X2"));
    date->setText(QStringLiteral("02/12/2026 21:40:00"));
    QTest::mouseClick(chercher, Qt::LeftButton);
    QVERIFY(messages.value(0).contains(QStringLiteral("champ « Phénomène »")));
    code->setText(QStringLiteral("3e2"));
    date->setText(QStringLiteral("le 2 décembre"));
    QTest::mouseClick(chercher, Qt::LeftButton);
    QVERIFY(messages.value(1).contains(QStringLiteral("champ « vers (TU) »")));
    QVERIFY(!w.evenement());
    // Without an event, the file's times find it.
    QVERIFY(w.chargeFichier(courbe_));
    QVERIFY(w.evenement() && w.evenement()->maximum == event_.maximum);
    QCOMPARE(code->text(), QStringLiteral("3E2"));
    date->setText(QStringLiteral("02/12/2026 21:40:00"));
    QTest::mouseClick(chercher, Qt::LeftButton);
    QVERIFY(w.evenement() && w.evenement()->maximum == event_.maximum);

    const double decalage = w.ajustement().shiftS;
    const QString mots = dossier_.filePath(QStringLiteral("mots.csv"));
    QFile f(mots);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write("Bonjour,\nce n'est pas,une courbe\n") > 0);
    f.close();
    QVERIFY(!w.chargeFichier(mots));
    QVERIFY(messages.last().contains(QStringLiteral("pas une courbe de lumière")));
    auto* flux = w.findChild<QComboBox*>(QStringLiteral("ComboFlux"));
    flux->setCurrentIndex(3);   // the notes
    emit flux->activated(3);
    QVERIFY(messages.last().contains(QStringLiteral("ne donnent pas de courbe")));
    QCOMPARE(flux->currentIndex(), 1);
    QCOMPARE(w.ajustement().shiftS, decalage);
    QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("TextFichier"))->text(), courbe_);
}

// The phenomena window's night of 2 December 2026 at Paris: "Réduire une
// observation…" waits for a mutual event's row, then the main window opens
// the reduction on it.
void TestReduction::depuisPhenomenes()
{
    Banc b;
    QVERIFY(b.montre());
    FenetrePhenomenes* p = b.f.fenetrePhenomenes();
    p->horlogeTU = [] { return QDateTime(QDate(2026, 12, 2), QTime(12, 0), Qt::UTC); };
    QSignalSpy fini(p, &FenetrePhenomenes::calculTermine);
    b.clique("LabPhenomenes");
    QVERIFY(fini.wait(60000));
    auto* reduire = p->findChild<QPushButton*>(QStringLiteral("CommandReduire"));
    auto* t = p->findChild<QTableView*>(QStringLiteral("Tableau"));
    QVERIFY(!reduire->isEnabled());
    int ligne = -1;
    for (int r = 0; r < t->model()->rowCount() && ligne < 0; ++r)
        if (t->model()->index(r, 3).data().toString() == event_.code()
            && t->model()->index(r, 1).data().toString() == zeno::mutualUtText(double(event_.maximum)))
            ligne = r;
    QVERIFY(ligne >= 0);
    t->setCurrentIndex(t->model()->index(ligne, 0));
    QVERIFY(reduire->isEnabled());
    QTest::mouseClick(reduire, Qt::LeftButton);
    auto* w = b.f.findChild<FenetreReduction*>();
    QVERIFY(w && w->isVisible());
    QVERIFY(w->evenement() && w->evenement()->code() == event_.code() && w->evenement()->maximum == event_.maximum);
    w->close();
}


// A Tangra export dropped on the window: its times of day take the event's
// date, its raw signal loses its background, and the fit finds the shift.
void TestReduction::exportDepose()
{
    const zeno::EventShape shape = zeno::eventShape(event_);
    QString texte = QStringLiteral("Tangra v3.7.5\r\nFrameNo,Time (UT),Signal (1),Background (1)\r\n");
    int n = 0;
    for (double t = double(event_.start) - 900; t <= double(event_.end) + 900; t += 5, ++n)
        texte += QStringLiteral("%1,[%2],%3,500.0\r\n")
                     .arg(n)
                     .arg(QDateTime::fromMSecsSinceEpoch(std::llround(t * 1000), Qt::UTC).toString(QStringLiteral("HH:mm:ss.zzz")))
                     .arg(500 + 4000 * zeno::shapeFlux(shape, t - shape.tMax - 20) * (1 + 0.004 * std::sin(n)), 0, 'f', 2);
    const QString chemin = dossier_.filePath(QStringLiteral("tangra.csv"));
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(texte.toUtf8()) > 0);
    f.close();

    QStringList messages;
    FenetreReduction w(localeFrancaise(), nullptr, event_);
    w.message = [&](const QString& t) { messages << t; };
    w.show();
    QMimeData donnees;
    donnees.setUrls({QUrl::fromLocalFile(chemin)});
    QDragEnterEvent entree(QPoint(50, 50), Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &entree);
    QVERIFY(entree.isAccepted());
    QDropEvent depot(QPointF(50, 50), Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &depot);
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join(u'\n')));
    QVERIFY(w.ajustement().converged);
    QVERIFY2(std::abs(w.ajustement().shiftS - 20) < 3, qPrintable(QString::number(w.ajustement().shiftS)));
    const QString etat = w.findChild<QLabel*>(QStringLiteral("LabelEtat"))->text();
    QVERIFY2(etat.contains(QStringLiteral("Tangra")) && etat.contains(QStringLiteral("« Signal (1) » − « Background (1) »"))
                 && etat.contains(QStringLiteral("dates prises du phénomène")), qPrintable(etat));
}

QTEST_MAIN(TestReduction)
#include "test_reduction.moc"
