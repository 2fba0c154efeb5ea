// The phenomena window: a known night at a known place, the jump to a row,
// the export, the settings that last, and bad input.
#include "outils.h"

#include "fenetrephenomenes.h"
#include "place_dialog.h"
#include "settings.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>

class TestPhenomenes : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void nuitConnue();
    void exportEtCopie();
    void mauvaisePeriode();
    void reglagesDurables();
    void annulation();
    void petitesChoses();
    void theoriePrecise();
    void placeDurable();

private:
    QTemporaryDir dossier_;
};

namespace {

// The window of a main window, its clock on 3 December 2024 at 18:00 UT.
FenetrePhenomenes* ouvre(Banc& b, QStringList& messages)
{
    FenetrePhenomenes* p = b.f.fenetrePhenomenes();
    p->horlogeTU = [] { return QDateTime(QDate(2024, 12, 3), QTime(18, 0), Qt::UTC); };
    p->message = [&messages](const QString& t) { messages << t; };
    QSignalSpy fini(p, &FenetrePhenomenes::calculTermine);
    b.clique("LabPhenomenes");
    if (!p->isVisible() || !fini.wait(20000))
        return nullptr;
    return p;
}

QTableView* tableau(FenetrePhenomenes* p) { return p->findChild<QTableView*>(QStringLiteral("Tableau")); }

QStringList ligne(QTableView* t, int r)
{
    QStringList l;
    for (int c = 0; c < t->model()->columnCount(); ++c)
        l << t->model()->index(r, c).data().toString();
    return l;
}

int chercheLigne(QTableView* t, const QString& satellite, const QString& phenomene, const QString& changement)
{
    for (int r = 0; r < t->model()->rowCount(); ++r) {
        const QStringList l = ligne(t, r);
        if (l[2] == satellite && l[3] == phenomene && l[4] == changement)
            return r;
    }
    return -1;
}

void doubleClic(QTableView* t, int r)
{
    const QModelIndex i = t->model()->index(r, 0);
    t->scrollTo(i);
    const QPoint centre = t->visualRect(i).center();
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, centre);
}

} // namespace

void TestPhenomenes::initTestCase()
{
    prepareEnvironnement();
    QVERIFY(dossier_.isValid());
}

void TestPhenomenes::init()
{
    // A fresh settings store for each test: never the user's.
    const QString ini = dossier_.filePath(QStringLiteral("%1.ini").arg(QTest::currentTestFunction()));
    QFile::remove(ini);
    settings::setFile(ini);
}

// The night of 3 to 4 December 2024 at Paris (the default place), TU-TC = -1:
// Io's shadow and transit in four rows, observable; a double click shows
// the row's instant in the main window, whose labels agree with the row.
void TestPhenomenes::nuitConnue()
{
    Banc b;
    QVERIFY(b.montre());
    b.tape("Text3", QStringLiteral("-1"));
    QStringList messages;
    FenetrePhenomenes* p = ouvre(b, messages);
    QVERIFY(p);
    QCOMPARE(messages, QStringList());
    QVERIFY(p->findChild<QLabel*>(QStringLiteral("LabelLieu"))->text().contains(QStringLiteral("par défaut")));
    // The coming night: it is already dark at 18:00 UT, so from then to sunrise.
    QCOMPARE(p->findChild<QLineEdit*>(QStringLiteral("TextDu"))->text(), QStringLiteral("03/12/2024 19:00:00"));
    QVERIFY(p->findChild<QLineEdit*>(QStringLiteral("TextAu"))->text().startsWith(QStringLiteral("04/12/2024 08:2")));

    auto* t = tableau(p);
    auto* satellite = p->findChild<QComboBox*>(QStringLiteral("ComboSatellite"));
    satellite->setCurrentIndex(satellite->findText(QStringLiteral("Io")));
    QCOMPARE(t->model()->rowCount(), 4);
    const QStringList attendu[4] = {
        {"03/12/2024 21:32:42", "03/12/2024 20:32:42", "Io", "Ombre", "début"},
        {"03/12/2024 21:38:49", "03/12/2024 20:38:49", "Io", "Passage", "début"},
        {"03/12/2024 23:43:44", "03/12/2024 22:43:44", "Io", "Ombre", "fin"},
        {"03/12/2024 23:50:01", "03/12/2024 22:50:01", "Io", "Passage", "fin"},
    };
    for (int r = 0; r < 4; ++r) {
        QCOMPARE(ligne(t, r).mid(0, 5), attendu[r]);
        QCOMPARE(ligne(t, r)[7], QStringLiteral("oui"));
    }
    // Sorting by a column and back by date.
    t->sortByColumn(3, Qt::AscendingOrder);
    QCOMPARE(ligne(t, 0)[3], QStringLiteral("Ombre"));
    t->sortByColumn(1, Qt::DescendingOrder);
    QCOMPARE(ligne(t, 0)[1], QStringLiteral("03/12/2024 22:50:01"));
    t->sortByColumn(1, Qt::AscendingOrder);

    doubleClic(t, 1);   // Passage début
    QCOMPARE(b.texte("Text1"), QStringLiteral("03/12/2024 21:38:49"));
    QCOMPARE(b.texte("datetu"), QStringLiteral("03/12/2024 20:38:49"));
    QCOMPARE(b.texte("InfoIoPa"), QStringLiteral("Passage"));
    QCOMPARE(b.texte("InfoIoOm"), QStringLiteral("Ombre"));
    doubleClic(t, 2);   // Ombre fin: the first second without the shadow
    QCOMPARE(b.texte("InfoIoOm"), QStringLiteral(" "));
    QCOMPARE(b.texte("InfoIoPa"), QStringLiteral("Passage"));

    // A Red Spot row: System II shows the spot's longitude at that second.
    satellite->setCurrentIndex(satellite->findText(QStringLiteral("Tache Rouge")));
    QVERIFY(t->model()->rowCount() >= 1);
    doubleClic(t, 0);
    const auto& lignes = p->lignes();
    const auto spot = std::find_if(lignes.begin(), lignes.end(), [](const auto& l) { return l.satellite < 0; });
    const double syst2 = b.texte("syst2").replace(u',', u'.').toDouble();
    const double longitude = zeno::grsLongitudeDeg(zeno::RedSpot{}, spot->ut);
    QVERIFY2(syst2 >= longitude - 1e-9 && syst2 - longitude < 0.02, qPrintable(b.texte("syst2")));
    QCOMPARE(b.messages, QStringList());

    // "Observables seulement" with Jupiter below 10° at the end of the night.
    satellite->setCurrentIndex(0);
    const int toutes = t->model()->rowCount();
    p->findChild<QCheckBox*>(QStringLiteral("CheckObservables"))->setChecked(true);
    QVERIFY(t->model()->rowCount() <= toutes);
    for (int r = 0; r < t->model()->rowCount(); ++r)
        QCOMPARE(ligne(t, r)[7], QStringLiteral("oui"));
}

// The CSV written reads back as the rows shown; a file that cannot be
// written gives a message and leaves nothing under its name.
void TestPhenomenes::exportEtCopie()
{
    Banc b;
    QVERIFY(b.montre());
    QStringList messages;
    FenetrePhenomenes* p = ouvre(b, messages);
    QVERIFY(p);
    const QString chemin = dossier_.filePath(QStringLiteral("nuit.csv"));
    p->choixFichier = [chemin] { return chemin; };
    b.clique("LabPhenomenes");
    p->findChild<QPushButton*>(QStringLiteral("CommandExporter"))->click();
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList lignes = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lignes.size(), tableau(p)->model()->rowCount() + 1);
    QCOMPARE(lignes[0], QStringLiteral("satellite,phenomene,changement,date,datetu,label,hauteur_jupiter,hauteur_soleil,observable"));
    QVERIFY(lignes.contains(QStringLiteral("Io,Ombre,début,03/12/2024 20:32:42,03/12/2024 20:32:42,InfoIoOm,41.17,-44.46,oui")));
    p->findChild<QPushButton*>(QStringLiteral("CommandCopier"))->click();
    QCOMPARE(QApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts), lignes);

    // A directory that does not exist, then a directory in the file's place.
    QVERIFY(!p->exporte(dossier_.filePath(QStringLiteral("absent/nuit.csv"))));
    const QString bloque = dossier_.filePath(QStringLiteral("dossier.csv"));
    QVERIFY(QDir().mkpath(bloque));
    QVERIFY(!p->exporte(bloque));
    QCOMPARE(messages.size(), 2);
    QVERIFY(messages[0].startsWith(QStringLiteral("Impossible d'écrire le fichier")));
    QVERIFY(!QFile::exists(dossier_.filePath(QStringLiteral("absent/nuit.csv"))));
    QVERIFY(QFileInfo(bloque).isDir());
}

// An empty, reversed, unreadable or out-of-range period: a message, and the
// table keeps what it showed.
void TestPhenomenes::mauvaisePeriode()
{
    Banc b;
    QVERIFY(b.montre());
    QStringList messages;
    FenetrePhenomenes* p = ouvre(b, messages);
    QVERIFY(p);
    const auto avant = tableau(p)->model()->rowCount();
    auto* du = p->findChild<QLineEdit*>(QStringLiteral("TextDu"));
    auto* au = p->findChild<QLineEdit*>(QStringLiteral("TextAu"));
    const struct { const char* du; const char* au; const char* debut; } cas[] = {
        {"04/12/2024", "03/12/2024", "La période est vide ou inversée"},
        {"03/12/2024", "03/12/2024", "La période est vide ou inversée"},
        {"demain", "03/12/2024", "Le début de la période n'est pas une date"},
        {"03/12/2024", "", "La fin de la période n'est pas une date"},
        {"31/12/9999 23:00:00", "31/12/9999 23:30:00", "La période doit rester entre les années 100 et 9999"},
    };
    b.tape("Text3", QStringLiteral("2"));   // carries the last one past the year 9999
    for (const auto& c : cas) {
        messages.clear();
        du->setText(QString::fromUtf8(c.du));
        au->setText(QString::fromUtf8(c.au));
        p->findChild<QPushButton*>(QStringLiteral("CommandCalculer"))->click();
        QVERIFY2(messages.size() == 1, qPrintable(messages.join(u'|') + QString::number(p->calculEnCours())));
        QVERIFY2(messages[0].startsWith(QString::fromUtf8(c.debut)), qPrintable(messages[0]));
        QVERIFY(!p->calculEnCours());
        QCOMPARE(tableau(p)->model()->rowCount(), avant);
    }
    b.tape("Text3", QStringLiteral("x"));
    messages.clear();
    p->findChild<QPushButton*>(QStringLiteral("CommandCalculer"))->click();
    QCOMPARE(messages, QStringList{QStringLiteral("La « Différence TU-TC » de la fenêtre principale n'est pas un nombre.")});
}

// The place and the Red Spot set in the dialog are checked, kept, and found
// again by the next window; the window's choices too.
void TestPhenomenes::reglagesDurables()
{
    {
        Banc b;
        QVERIFY(b.montre());
        QStringList messages;
        FenetrePhenomenes* p = ouvre(b, messages);
        QVERIFY(p);
        QString refus;
        pendantModale([&refus](QWidget* w) {
            auto* d = qobject_cast<DialogueLieu*>(w);
            QVERIFY(d);
            const auto ecrit = [d](const char* nom, const QString& t) { d->findChild<QLineEdit*>(QString::fromLatin1(nom))->setText(t); };
            ecrit("TextLatitude", QStringLiteral("91"));
            d->CommandOk_Click();
            refus = d->erreur();
            QVERIFY(d->isVisible());
            ecrit("TextLatitude", QStringLiteral("-33,87"));
            ecrit("TextLongitude", QStringLiteral("abc"));
            d->CommandOk_Click();
            QCOMPARE(d->erreur(), QStringLiteral("La longitude n'est pas un nombre."));
            ecrit("TextLongitude", QStringLiteral("151,21"));
            ecrit("TextTacheEpoque", QStringLiteral("32/01/2025"));
            d->CommandOk_Click();
            QVERIFY(d->erreur().startsWith(QStringLiteral("L'époque de la Tache Rouge")));
            ecrit("TextTacheEpoque", QStringLiteral("01/01/2025"));
            ecrit("TextTacheLongitude", QStringLiteral("60,5"));
            ecrit("TextTacheDerive", QStringLiteral("1,25"));
            d->CommandOk_Click();
            QVERIFY(!d->isVisible());
        });
        QSignalSpy fini(p, &FenetrePhenomenes::calculTermine);
        p->findChild<QPushButton*>(QStringLiteral("CommandLieu"))->click();
        QVERIFY(refus.startsWith(QStringLiteral("La latitude doit être comprise entre -90° et 90°")));
        QVERIFY(fini.wait(20000));
        p->findChild<QComboBox*>(QStringLiteral("ComboSatellite"))->setCurrentIndex(2);
    }
    const settings::Observer o = settings::readObserver();
    QVERIFY(o.siteSet);
    QCOMPARE(o.site.latitudeDeg, -33.87);
    QCOMPARE(o.site.longitudeDeg, 151.21);
    QCOMPARE(o.redSpot.longitudeDeg, 60.5);
    QCOMPARE(o.redSpot.epoch, QDate(2025, 1, 1));
    QCOMPARE(o.redSpot.driftDegPerMonth, 1.25);
    Banc b;
    QStringList messages;
    FenetrePhenomenes* p = b.f.fenetrePhenomenes();
    QCOMPARE(p->findChild<QComboBox*>(QStringLiteral("ComboSatellite"))->currentText(), QStringLiteral("Europe"));
    QVERIFY(p->findChild<QLabel*>(QStringLiteral("LabelLieu"))->text().startsWith(QStringLiteral("Lieu : 33,87° S, 151,21° E")));
    // The main window's own controls start as designed, whatever was kept.
    QCOMPARE(b.texte("Text3"), QStringLiteral("0"));
    QCOMPARE(b.texte("Text1"), QString());
}

// A month computes beside the event loop and stops on "Annuler".
void TestPhenomenes::annulation()
{
    Banc b;
    QVERIFY(b.montre());
    QStringList messages;
    FenetrePhenomenes* p = ouvre(b, messages);
    QVERIFY(p);
    p->findChild<QLineEdit*>(QStringLiteral("TextDu"))->setText(QStringLiteral("01/01/2025"));
    p->findChild<QLineEdit*>(QStringLiteral("TextAu"))->setText(QStringLiteral("01/01/2026"));
    QSignalSpy fini(p, &FenetrePhenomenes::calculTermine);
    p->findChild<QPushButton*>(QStringLiteral("CommandCalculer"))->click();
    QVERIFY(p->calculEnCours());
    QVERIFY(p->findChild<QWidget*>(QStringLiteral("Progression"))->isVisible());
    p->findChild<QPushButton*>(QStringLiteral("CommandAnnuler"))->click();
    QVERIFY(fini.wait(20000));
    QVERIFY(!p->calculEnCours());
    QVERIFY(p->lignes().size() < 200);   // a whole year holds thousands
    QVERIFY(p->findChild<QLabel*>(QStringLiteral("LabelEtat"))->text().startsWith(QStringLiteral("Calcul annulé")));
    QCOMPARE(messages, QStringList());
}

// Enter in Text1 or Text3 computes; the meridians' whole values in tooltips.
void TestPhenomenes::petitesChoses()
{
    Banc b;
    QVERIFY(b.montre());
    b.tape("Text1", QStringLiteral("01/01/2000 12:00:00"));
    QTest::keyClick(b.champ("Text1"), Qt::Key_Return);
    QCOMPARE(b.texte("jourjuli"), QStringLiteral("2451545"));
    QCOMPARE(b.label("syst1")->toolTip(), b.texte("syst1"));
    QCOMPARE(b.label("syst2")->toolTip(), b.texte("syst2"));
    b.tape("Text3", QStringLiteral("-1"));
    QTest::keyClick(b.champ("Text3"), Qt::Key_Enter);
    QCOMPARE(b.texte("datetu"), QStringLiteral("01/01/2000 11:00:00"));
    QCOMPARE(b.messages, QStringList());
    // Alt+E opens the phenomena window.
    b.f.fenetrePhenomenes()->horlogeTU = [] { return QDateTime(QDate(2024, 12, 3), QTime(18, 0), Qt::UTC); };
    QTest::keyClick(&b.f, Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(b.f.fenetrePhenomenes()->isVisible());
}

// The precise theory chosen in the window is the main window's too: the
// table is computed again, a row opens a picture that agrees with it, and
// the CSV names the theory and its contacts.
void TestPhenomenes::theoriePrecise()
{
    Banc b;
    QVERIFY(b.montre());
    QStringList messages;
    FenetrePhenomenes* p = ouvre(b, messages);
    QVERIFY(p);
    auto* t = tableau(p);
    const auto originale = p->lignes();
    QSignalSpy fini(p, &FenetrePhenomenes::calculTermine);
    p->findChild<QCheckBox*>(QStringLiteral("CheckTheorie"))->setChecked(true);
    QVERIFY(b.f.findChild<QCheckBox*>(QStringLiteral("CheckTheorie"))->isChecked());
    QVERIFY(fini.wait(20000));
    QVERIFY(p->texteVisible().startsWith(u"# théorie précise"));

    const int r = chercheLigne(t, QStringLiteral("Io"), QStringLiteral("Ombre"), QStringLiteral("début"));
    QVERIFY(r >= 0);
    const QString debut = ligne(t, r)[0];
    // The theories differ by seconds to minutes, never by a whole event.
    QVERIFY(debut != QStringLiteral("03/12/2024 20:32:42"));
    QVERIFY(std::abs(zeno::readDateTime(debut, localeFrancaise())
                         .secsTo(QDateTime(QDate(2024, 12, 3), QTime(20, 32, 42), Qt::UTC))) < 300);
    doubleClic(t, r);
    QCOMPARE(b.texte("Text1"), debut);
    QCOMPARE(b.texte("InfoIoOm"), QStringLiteral("Ombre"));
    QVERIFY(b.f.windowTitle().contains(QStringLiteral("théorie précise")));

    // Back from the main window: the window's box follows and the table too.
    b.f.findChild<QCheckBox*>(QStringLiteral("CheckTheorie"))->setChecked(false);
    QVERIFY(!p->findChild<QCheckBox*>(QStringLiteral("CheckTheorie"))->isChecked());
    QVERIFY(fini.wait(20000));
    QCOMPARE(p->lignes().size(), originale.size());
    QVERIFY(!p->texteVisible().startsWith(u"#"));
    QCOMPARE(messages, QStringList());
}

// The window reopens where and as large as it was left; a damaged value in
// the settings leaves its own size.
void TestPhenomenes::placeDurable()
{
    // Opens the window once, in a new main window; `action` acts on it before it is closed.
    const auto ouverture = [](const std::function<void(FenetrePhenomenes*)>& action) {
        Banc b;
        QVERIFY(b.montre());
        QStringList messages;
        FenetrePhenomenes* p = ouvre(b, messages);
        QVERIFY(p);
        action(p);
        p->close();
        QVERIFY(b.f.size() == b.f.minimumSize() && b.f.size() == b.f.maximumSize());   // the main window's stays fixed
    };
    settings::open()->remove(QStringLiteral("phenomenes/geometrie"));
    QSize taillePropre;
    ouverture([&](FenetrePhenomenes* p) { taillePropre = p->size(); });
    QRect laissee;
    ouverture([&](FenetrePhenomenes* p) {
        p->resize(610, 420);
        p->move(30, 40);
        laissee = p->geometry();
    });
    ouverture([&](FenetrePhenomenes* p) { QCOMPARE(p->geometry(), laissee); });
    settings::open()->setValue(QStringLiteral("phenomenes/geometrie"), QByteArray("\x01\xd9\xd0\xcb garbage"));
    ouverture([&](FenetrePhenomenes* p) { QCOMPARE(p->size(), taillePropre); });
}

QTEST_MAIN(TestPhenomenes)
#include "test_phenomenes.moc"
