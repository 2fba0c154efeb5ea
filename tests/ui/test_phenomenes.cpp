// The phenomena window: a known night at a known place, the jump to a row,
// the export, the settings that last, and bad input.
#include "outils.h"

#include "fenetrephenomenes.h"
#include "phenomena_model.h"
#include "place_dialog.h"
#include "settings.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QScreen>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

class TestPhenomenes : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void nuitConnue();
    void exportEtCopie();
    void mauvaisePeriode();
    void reglagesDurables();
    void reglagesIllisibles();
    void annulation();
    void anneeEtTheorie();
    void heureLocale();
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

// A typed range computed ("&Calculer"); false when it does not end.
bool calcule(FenetrePhenomenes* p, const QString& du, const QString& au)
{
    p->findChild<QLineEdit*>(QStringLiteral("TextDu"))->setText(du);
    p->findChild<QLineEdit*>(QStringLiteral("TextAu"))->setText(au);
    QSignalSpy fini(p, &FenetrePhenomenes::calculTermine);
    p->findChild<QPushButton*>(QStringLiteral("CommandCalculer"))->click();
    return fini.wait(60000);
}

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
    // The observer's clock: Paris, whatever the machine's zone.
    settings::open()->setValue(QStringLiteral("lieu/fuseau"), QStringLiteral("Europe/Paris"));
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
    QCOMPARE(t->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Heure locale (Europe/Paris)"));
    auto* satellite = p->findChild<QComboBox*>(QStringLiteral("ComboSatellite"));
    auto* etat = p->findChild<QLabel*>(QStringLiteral("LabelEtat"));
    satellite->setCurrentIndex(satellite->findText(QStringLiteral("Callisto")));
    QVERIFY2(etat->text().contains(QStringLiteral("le filtre les cache tous")), qPrintable(etat->text()));
    satellite->setCurrentIndex(satellite->findText(QStringLiteral("Io")));
    QCOMPARE(t->model()->rowCount(), 4);
    QVERIFY2(etat->text().contains(QStringLiteral("; 4 affichés par le filtre.")), qPrintable(etat->text()));
    // The dates are not clipped: the table was sized on its rows.
    QVERIFY(t->columnWidth(0) >= t->fontMetrics().horizontalAdvance(QStringLiteral("03/12/2024 21:32:42")));
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

    b.clique("MA");   // a double click stops the animation
    QVERIFY(b.f.enMarche());
    doubleClic(t, 1);   // Passage début
    QVERIFY(!b.f.enMarche());
    QTest::qWait(100);
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
    // The table's own columns, in the French form by default; no internal names.
    QCOMPARE(lignes[0], QStringLiteral("Heure locale (Europe/Paris);Date (TU);Satellite;Phénomène;Début/fin;Jupiter (°);Soleil (°);Observable"));
    QVERIFY(lignes.contains(QStringLiteral("03/12/2024 21:32:42;03/12/2024 20:32:42;Io;Ombre;début;41,2;-44,5;oui")));
    QVERIFY(!lignes.join(u'\n').contains(QStringLiteral("Info")));
    p->findChild<QComboBox*>(QStringLiteral("ComboFormat"))->setCurrentIndex(1);
    QVERIFY(p->texteVisible().contains(QStringLiteral("\n03/12/2024 21:32:42,03/12/2024 20:32:42,Io,Ombre,début,41.2,-44.5,oui\n")));
    p->findChild<QComboBox*>(QStringLiteral("ComboFormat"))->setCurrentIndex(0);
    p->findChild<QPushButton*>(QStringLiteral("CommandCopier"))->click();
    QCOMPARE(QApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts), lignes);

    // A directory that does not exist, then a directory in the file's place.
    QVERIFY(!p->exporte(dossier_.filePath(QStringLiteral("absent/nuit.csv"))));
    const QString bloque = dossier_.filePath(QStringLiteral("dossier.csv"));
    QVERIFY(QDir().mkpath(bloque));
    QVERIFY(!p->exporte(bloque));
    QCOMPARE(messages.size(), 2);
    // The file dialog's own prompt is French too.
    QCOMPARE(QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?").arg(chemin),
             QStringLiteral("Le fichier %1 existe déjà\nVoulez-vous l'écraser ?").arg(chemin));
    QVERIFY(messages[0].startsWith(QStringLiteral("Impossible d'écrire le fichier")));
    QVERIFY(!QFile::exists(dossier_.filePath(QStringLiteral("absent/nuit.csv"))));
    QVERIFY(QFileInfo(bloque).isDir());

    // A full disk, as a file-size limit makes one: writes fail past 100
    // bytes, after the buffered ones seemed to succeed. The old file stays
    // whole, nothing is left beside it, and the user is told.
    QFile ancien(chemin);
    QVERIFY(ancien.open(QIODevice::ReadOnly));
    const QByteArray avant = ancien.readAll();
    ancien.close();
    QVERIFY(avant.size() > 100);
    const QStringList fichiers = QDir(dossier_.path()).entryList(QDir::Files);
    rlimit limite{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &limite) == 0);
    rlimit petite = limite;
    petite.rlim_cur = 100;
    const auto signalAvant = std::signal(SIGXFSZ, SIG_IGN);
    QVERIFY(setrlimit(RLIMIT_FSIZE, &petite) == 0);
    const bool ecrit = p->exporte(chemin);
    setrlimit(RLIMIT_FSIZE, &limite);
    std::signal(SIGXFSZ, signalAvant);
    QVERIFY(!ecrit);
    QCOMPARE(messages.size(), 3);
    QVERIFY(messages.last().startsWith(QStringLiteral("Impossible d'écrire le fichier « %1 »").arg(chemin)));
    QVERIFY(ancien.open(QIODevice::ReadOnly));
    QCOMPARE(ancien.readAll(), avant);
    QCOMPARE(QDir(dossier_.path()).entryList(QDir::Files), fichiers);
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
        {"01/01/0100 00:00:00", "02/01/0100 00:00:00", "La période doit rester entre les années 100 et 9999"},
        {"01/01/2020", "02/01/2030", "La période dépasse 10 ans"},
    };
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
            auto* fuseau = d->findChild<QComboBox*>(QStringLiteral("ComboFuseau"));
            QCOMPARE(fuseau->currentText(), QStringLiteral("Europe/Paris"));   // as kept
            fuseau->setCurrentText(QStringLiteral("Australia/Sydney"));
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
    QCOMPARE(o.timeZone.id(), QByteArray("Australia/Sydney"));
    Banc b;
    QStringList messages;
    FenetrePhenomenes* p = b.f.fenetrePhenomenes();
    QCOMPARE(p->findChild<QComboBox*>(QStringLiteral("ComboSatellite"))->currentText(), QStringLiteral("Europe"));
    QVERIFY(p->findChild<QLabel*>(QStringLiteral("LabelLieu"))->text().startsWith(QStringLiteral("Lieu : 33,87° S, 151,21° E")));
    // The main window's own controls start as designed, whatever was kept.
    QCOMPARE(b.texte("Text3"), QStringLiteral("0"));
    QCOMPARE(b.texte("Text1"), QString());
}

// A store edited by hand: a word, a decimal comma (read as a list), a value
// out of range. Each falls back to its default and the window names it.
void TestPhenomenes::reglagesIllisibles()
{
    {
        const auto s = settings::open();
        s->setValue(QStringLiteral("lieu/latitude"), QStringLiteral("abc"));
        s->setValue(QStringLiteral("lieu/longitude"), QStringList{QStringLiteral("45"), QStringLiteral("76")});
        s->setValue(QStringLiteral("visibilite/jupiter_min"), QStringLiteral("dix"));
        s->setValue(QStringLiteral("visibilite/soleil_max"), QStringLiteral("+90"));   // daytime would be observable
        s->setValue(QStringLiteral("visibilite/chute_min"), 0.05);
        s->setValue(QStringLiteral("tache_rouge/longitude"), 400);
        s->setValue(QStringLiteral("phenomenes/observables"), QStringLiteral("peut-etre"));
        s->setValue(QStringLiteral("phenomenes/periode"), 9);
    }
    QStringList remis;
    const settings::Observer o = settings::readObserver(&remis);
    QCOMPARE(remis, (QStringList{QStringLiteral("latitude"), QStringLiteral("longitude"),
                                 QStringLiteral("hauteur minimale de Jupiter"), QStringLiteral("hauteur maximale du Soleil"),
                                 QStringLiteral("longitude de la Tache Rouge")}));
    QVERIFY(!o.siteSet);
    QCOMPARE(o.site.latitudeDeg, zeno::Site{}.latitudeDeg);
    QCOMPARE(o.site.longitudeDeg, zeno::Site{}.longitudeDeg);
    QCOMPARE(o.visibility.minJupiterDeg, zeno::Visibility{}.minJupiterDeg);
    QCOMPARE(o.visibility.maxSunDeg, zeno::Visibility{}.maxSunDeg);
    QCOMPARE(o.visibility.minDropMag, 0.05);
    QCOMPARE(o.redSpot.longitudeDeg, zeno::RedSpot{}.longitudeDeg);
    Banc b;
    FenetrePhenomenes* p = b.f.fenetrePhenomenes();
    const QLabel* note = p->findChild<QLabel*>(QStringLiteral("LabelLieu"));
    QVERIFY2(note->text().contains(QStringLiteral("réglages illisibles, remis à leur valeur par défaut : latitude, longitude, "
                                                  "hauteur minimale de Jupiter, hauteur maximale du Soleil, longitude de "
                                                  "la Tache Rouge, période, observables seulement")),
             qPrintable(note->text()));
    QVERIFY2(note->text().contains(QStringLiteral("phénomènes mutuels d'au moins 0,05 mag")), qPrintable(note->text()));
    // The long note wraps: the window stays within the screen.
    QVERIFY(note->wordWrap());
    QVERIFY(note->minimumSizeHint().width() < p->screen()->availableGeometry().width() / 2);
    QVERIFY(!p->findChild<QCheckBox*>(QStringLiteral("CheckObservables"))->isChecked());
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
    // A complete table is not « annulé » by closing the window.
    p->findChild<QLineEdit*>(QStringLiteral("TextAu"))->setText(QStringLiteral("02/01/2025"));
    p->findChild<QPushButton*>(QStringLiteral("CommandCalculer"))->click();
    QVERIFY(fini.wait(20000));
    p->close();
    QCoreApplication::processEvents();
    QVERIFY(!p->findChild<QLabel*>(QStringLiteral("LabelEtat"))->text().startsWith(QStringLiteral("Calcul annulé")));
    QCOMPARE(messages, QStringList());
}

// A year's table is set in one reset of the model, never row by row; a
// theory changed during a computation discards its result and computes again.
void TestPhenomenes::anneeEtTheorie()
{
    Banc b;
    QVERIFY(b.montre());
    QStringList messages;
    FenetrePhenomenes* p = ouvre(b, messages);
    QVERIFY(p);
    QSignalSpy resets(p->modele(), &QAbstractItemModel::modelReset);
    QSignalSpy insertions(p->modele(), &QAbstractItemModel::rowsInserted);
    QVERIFY(calcule(p, QStringLiteral("01/01/2025"), QStringLiteral("01/01/2026")));
    QVERIFY(p->lignes().size() > 2500);
    QCOMPARE(resets.size(), 1);
    QCOMPARE(insertions.size(), 0);

    // The theory changed while the month is computed: the note, then the
    // table of the new theory, and a row opens a picture that agrees.
    QSignalSpy fini(p, &FenetrePhenomenes::calculTermine);
    p->findChild<QLineEdit*>(QStringLiteral("TextAu"))->setText(QStringLiteral("01/02/2025"));
    p->findChild<QPushButton*>(QStringLiteral("CommandCalculer"))->click();
    QVERIFY(p->calculEnCours());
    b.f.findChild<QCheckBox*>(QStringLiteral("CheckTheorie"))->setChecked(true);
    QCOMPARE(p->findChild<QLabel*>(QStringLiteral("LabelEtat"))->text(),
             QStringLiteral("La théorie a changé : le calcul reprendra avec elle."));
    QVERIFY(fini.wait(60000));
    QVERIFY(p->texteVisible().startsWith(u"# théorie précise"));
    QCOMPARE(fini.size(), 1);   // the stale result was never shown
    auto* t = tableau(p);
    const int r = chercheLigne(t, QStringLiteral("Io"), QStringLiteral("Eclipsé"), QStringLiteral("début"));
    QVERIFY(r >= 0);
    doubleClic(t, r);
    QCOMPARE(b.texte("InfoIoEc"), QStringLiteral("Eclipsé"));
    QCOMPARE(messages, QStringList());
}

// The first column is the observer's wall clock, daylight saving included:
// UT + 1 h before 29 March 2026 01:00 UT at Paris, UT + 2 h after.
void TestPhenomenes::heureLocale()
{
    Banc b;
    QVERIFY(b.montre());
    QStringList messages;
    FenetrePhenomenes* p = ouvre(b, messages);
    QVERIFY(p);
    QVERIFY(calcule(p, QStringLiteral("28/03/2026 12:00:00"), QStringLiteral("30/03/2026 12:00:00")));
    const auto& lignes = p->lignes();
    QVERIFY(lignes.front().ut == QDateTime(QDate(2026, 3, 28), QTime(11, 0), Qt::UTC) || lignes.front().ut > QDateTime(QDate(2026, 3, 28), QTime(11, 0), Qt::UTC));
    QVERIFY(lignes.back().ut < QDateTime(QDate(2026, 3, 30), QTime(10, 0), Qt::UTC));
    const QDateTime changement(QDate(2026, 3, 29), QTime(1, 0), Qt::UTC);
    int avant = 0, apres = 0;
    auto* t = tableau(p);
    for (int r = 0; r < t->model()->rowCount(); ++r) {
        const QDateTime local = zeno::readDateTime(ligne(t, r)[0], localeFrancaise());
        const QDateTime ut = zeno::readDateTime(ligne(t, r)[1], localeFrancaise());
        const bool ete = ut >= changement;
        QCOMPARE(ut.secsTo(local), ete ? 7200 : 3600);
        ++(ete ? apres : avant);
    }
    QVERIFY(avant > 0 && apres > 0);
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
    const QString debut = ligne(t, r)[1];   // UT, as the main window's offset 0
    // The theories differ by seconds to minutes, never by a whole event.
    QVERIFY(debut != QStringLiteral("03/12/2024 20:32:42"));
    QVERIFY(std::abs(zeno::readDateTime(debut, localeFrancaise())
                         .secsTo(QDateTime(QDate(2024, 12, 3), QTime(20, 32, 42), Qt::UTC))) < 300);
    doubleClic(t, r);
    // The main window comes forward on the table's clock: Paris, TU-TC = -1.
    QCOMPARE(b.texte("Text1"), ligne(t, r)[0]);
    QCOMPARE(b.texte("Text3"), QStringLiteral("-1"));
    QCOMPARE(b.texte("datetu"), debut);
    QTRY_COMPARE(QApplication::activeWindow(), &b.f);
    QCOMPARE(b.texte("InfoIoOm"), QStringLiteral("Ombre"));
    QVERIFY(b.f.windowTitle().contains(QStringLiteral("théorie précise")));

    // Back from the main window: the window's box follows and the table too.
    b.f.findChild<QCheckBox*>(QStringLiteral("CheckTheorie"))->setChecked(false);
    QVERIFY(!p->findChild<QCheckBox*>(QStringLiteral("CheckTheorie"))->isChecked());
    QVERIFY(fini.wait(20000));
    QCOMPARE(p->lignes().size(), originale.size());
    QVERIFY(!p->texteVisible().startsWith(u"#"));
    QCOMPARE(messages, QStringList());

    // A bad date in the window's own field, then the theory ticked in the
    // main window: said in the status line and the field, never in a box.
    auto* du = p->findChild<QLineEdit*>(QStringLiteral("TextDu"));
    du->setText(QStringLiteral("demain"));
    b.f.findChild<QCheckBox*>(QStringLiteral("CheckTheorie"))->setChecked(true);
    QCOMPARE(messages, QStringList());
    const QString etat = p->findChild<QLabel*>(QStringLiteral("LabelEtat"))->text();
    QVERIFY2(etat.contains(QStringLiteral("Le début de la période n'est pas une date")), qPrintable(etat));
    QVERIFY(!du->styleSheet().isEmpty());
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
        p->resize(610, 420);   // no narrower than its controls
        p->move(0, 40);
        laissee = p->geometry();
    });
    ouverture([&](FenetrePhenomenes* p) {
        QCOMPARE(p->geometry(), laissee);
        p->setGeometry(-4000, 3000, 5000, 4000);   // left on a far larger screen
    });
    ouverture([&](FenetrePhenomenes* p) {
        const QRect ecran = p->screen()->availableGeometry();
        QVERIFY2(ecran.contains(p->geometry().topLeft()), qPrintable(QStringLiteral("%1,%2").arg(p->x()).arg(p->y())));
        QVERIFY(p->width() <= std::max(ecran.width(), p->minimumSizeHint().width()));
        QVERIFY(p->height() <= std::max(ecran.height(), p->minimumSizeHint().height()));
    });
    settings::open()->setValue(QStringLiteral("phenomenes/geometrie"), QByteArray("\x01\xd9\xd0\xcb garbage"));
    ouverture([&](FenetrePhenomenes* p) { QCOMPARE(p->size(), taillePropre); });
}

QTEST_MAIN(TestPhenomenes)
#include "test_phenomenes.moc"
