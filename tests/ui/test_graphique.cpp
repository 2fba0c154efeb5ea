// The month's chart: its documents (PDF, SVG, PNG) hold the month, a click
// shows the instant in the main window, the chart follows the main window's
// theory and orientation; the phenomena table printed and put in a calendar.
#include "outils.h"

#include "chart_painter.h"
#include "documents.h"
#include "fenetregraphique.h"
#include "fenetrephenomenes.h"
#include "settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QXmlStreamReader>

class TestGraphique : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void documents();
    void fenetre();
    void tableauImprime();

private:
    QTemporaryDir dossier_;
};

namespace {

QByteArray lit(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The text of a PDF through poppler's pdftotext, when it is installed.
QString textePdf(const QString& chemin)
{
    const QString outil = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (outil.isEmpty())
        return {};
    QProcess p;
    p.start(outil, {QStringLiteral("-layout"), chemin, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

void TestGraphique::initTestCase()
{
    prepareEnvironnement();
    QVERIFY(dossier_.isValid());
}

void TestGraphique::init()
{
    const QString ini = dossier_.filePath(QStringLiteral("%1.ini").arg(QTest::currentTestFunction()));
    QFile::remove(ini);
    settings::setFile(ini);
}

// March 2025 at Paris with the Red Spot: the PDF has the chart then the
// month's table, the SVG is well formed and titled, the PNG shows Io's
// track; a bad extension or a missing folder leaves no file.
void TestGraphique::documents()
{
    zeno::MonthChartOptions o;
    o.year = 2025;
    o.month = 3;
    o.site = zeno::Site{};
    o.grs = zeno::RedSpot{};
    const zeno::MonthChart c = zeno::computeMonthChart(o, localeFrancaise());
    zeno::ChartDocumentOptions d;
    d.placeText = zeno::placeText(zeno::Site{}, localeFrancaise());

    const QString pdf = dossier_.filePath(QStringLiteral("mars.pdf"));
    QCOMPARE(zeno::exportMonth(c, d, pdf, localeFrancaise()), QString());
    const QByteArray octets = lit(pdf);
    QVERIFY(octets.startsWith("%PDF-"));
    QVERIFY(octets.trimmed().endsWith("%%EOF"));
    if (const QString texte = textePdf(pdf); !texte.isEmpty()) {
        QVERIFY(texte.contains(QStringLiteral("Satellites galiléens de Jupiter — mars 2025")));
        QVERIFY(texte.contains(QStringLiteral("48,85° N, 2,35° E")));
        QVERIFY(texte.contains(QStringLiteral("lun. 31")));
        QVERIFY(texte.contains(QStringLiteral("Phénomènes — mars 2025")));
        // The table holds the month's rows: the first and the last.
        QVERIFY(texte.contains(zeno::dateTimeText(c.rows.front().ut, localeFrancaise())));
        QVERIFY(texte.contains(zeno::dateTimeText(c.rows.back().ut, localeFrancaise())));
        QVERIFY(texte.count(QChar(u'\f')) >= 3);   // pages
    }

    const QString svg = dossier_.filePath(QStringLiteral("mars.svg"));
    QCOMPARE(zeno::exportMonth(c, d, svg, localeFrancaise()), QString());
    QXmlStreamReader xml(lit(svg));
    QString titre;
    int traits = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"title")
            titre = xml.readElementText();
        else if (xml.name() == u"polyline" || xml.name() == u"path")
            ++traits;
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(titre, QStringLiteral("Satellites galiléens de Jupiter — mars 2025"));
    QVERIFY(traits > 100);

    const QString png = dossier_.filePath(QStringLiteral("mars.png"));
    QCOMPARE(zeno::exportMonth(c, d, png, localeFrancaise()), QString());
    const QImage image(png);
    QCOMPARE(image.size(), QSize(1190, 1684));   // A4 at two pixels a point
    // Io's colour on the page, and the night's shade.
    bool io = false;
    for (int y = 300; y < 1500 && !io; y += 2)
        for (int x = 200; x < 1100 && !io; ++x)
            io = image.pixel(x, y) == zeno::trackColour(0).rgb();
    QVERIFY(io);

    QVERIFY(zeno::exportMonth(c, d, dossier_.filePath(QStringLiteral("mars.doc")), localeFrancaise())
                .contains(QStringLiteral("Extension inconnue")));
    QVERIFY(!QFile::exists(dossier_.filePath(QStringLiteral("mars.doc"))));
    const QString absent = dossier_.filePath(QStringLiteral("absent/mars.pdf"));
    QVERIFY(zeno::exportMonth(c, d, absent, localeFrancaise()).startsWith(QStringLiteral("Impossible d'écrire")));
    QVERIFY(!QFile::exists(absent));
}

// "&Graphique" opens the chart; a click on 10 March 2025 at 21:00 UT writes
// that instant, in the civil time of TU-TC = -1, into Text1 and runs "&OK";
// the chart follows the theory and the east-west flip of the main window.
void TestGraphique::fenetre()
{
    Banc b;
    QVERIFY(b.montre());
    b.tape("Text3", QStringLiteral("-1"));
    FenetreGraphique* g = b.f.fenetreGraphique();
    QStringList messages;
    g->message = [&messages](const QString& t) { messages << t; };
    QSignalSpy fini(g, &FenetreGraphique::calculTermine);
    b.clique("LabGraphique");
    QVERIFY(g->isVisible());
    QVERIFY(fini.wait(30000));
    g->afficheMois(2025, 3);
    QVERIFY(fini.wait(30000));
    QCOMPARE(messages, QStringList());
    QCOMPARE(g->graphique().options.month, 3);
    QCOMPARE(g->graphique().options.theorie, zeno::Theory::Original);
    QVERIFY(g->windowTitle().contains(QStringLiteral("mars 2025")));

    ZoneGraphique* zone = g->zone();
    const zeno::UtSeconds ut = QDateTime(QDate(2025, 3, 10), QTime(21, 0), Qt::UTC).toSecsSinceEpoch();
    const zeno::ChartPainter* peintre = zone->peintre();
    QVERIFY(peintre && !peintre->flipEW());
    g->findChild<QScrollArea*>(QStringLiteral("Defilement"))->ensureVisible(0, zone->hauteurDe(ut));
    // Hovering Io's track reads it.
    const QPoint surIo(int(peintre->xOf(g->graphique().xAt(0, ut))), zone->hauteurDe(ut));
    QMouseEvent survol(QEvent::MouseMove, surIo, zone->mapToGlobal(surIo), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(zone, &survol);
    const QLabel* etat = g->findChild<QLabel*>(QStringLiteral("LabelEtat"));
    QTRY_VERIFY2(etat->text().startsWith(QStringLiteral("Io — lun. 10/03/2025 2")), qPrintable(etat->text()));
    // A new user reads the place's local time, named with its zone.
    const auto* heure = g->findChild<QComboBox*>(QStringLiteral("ComboHeure"));
    QCOMPARE(heure->currentIndex(), 2);
    QVERIFY(g->graphique().localAxis());
    QCOMPARE(heure->currentText(),
             QStringLiteral("Heure locale (%1)").arg(QString::fromUtf8(g->graphique().options.zone.id())));
    QVERIFY2(etat->text().contains(QStringLiteral("(heure locale, ")), qPrintable(etat->text()));
    QTest::mouseClick(zone, Qt::LeftButton, {}, surIo);
    // A pixel is about 36 minutes at this zoom: the instant of the pixel, in civil time.
    const QDateTime civil = QDateTime::fromString(b.texte("Text1"), QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    QVERIFY2(std::abs(civil.toSecsSinceEpoch() - (ut + 3600)) <= 2200, qPrintable(b.texte("Text1")));
    QVERIFY(b.texte("jourjuli").startsWith(QStringLiteral("2460745,")));
    QCOMPARE(b.messages, QStringList());

    b.w<QCheckBox>("CheckEW")->click();
    QVERIFY(zone->peintre()->flipEW());
    b.w<QCheckBox>("CheckTheorie")->click();
    QVERIFY(fini.wait(30000));
    QCOMPARE(g->graphique().options.theorie, zeno::Theory::Precise);
    QCOMPARE(g->graphique().options.month, 3);

    // The next month from November 2026: December, in the season of the
    // mutual events, which the precise chart marks and the pointer reads.
    g->afficheMois(2026, 11);
    QVERIFY(fini.wait(30000));
    g->findChild<QPushButton*>(QStringLiteral("CommandSuivant"))->click();
    QVERIFY(fini.wait(30000));
    QCOMPARE(g->graphique().options.month, 12);
    QVERIFY(!g->graphique().mutual.empty());
    const zeno::MutualMark& m = g->graphique().mutual.front();
    const zeno::UtSeconds milieu = m.from + (m.to - m.from) / 2;
    QCOMPARE(zone->description(m.passive, milieu).contains(m.eclipse ? QStringLiteral("dans l'ombre de ")
                                                                      : QStringLiteral("occulté par ")),
             true);
    // The first month there is refused plainly.
    g->afficheMois(99, 12);
    QCOMPARE(messages, QStringList{QStringLiteral("L'année du graphique doit être comprise entre 100 et 9999.")});
    g->afficheMois(100, 1);
    QVERIFY(fini.wait(30000));
    QVERIFY(!g->findChild<QPushButton*>(QStringLiteral("CommandPrecedent"))->isEnabled());
    const QString png = dossier_.filePath(QStringLiteral("fenetre.png"));
    QVERIFY(g->enregistre(png));
    QVERIFY(!QImage(png).isNull());
}

// The night's table as PDF and as a calendar of the chosen rows.
void TestGraphique::tableauImprime()
{
    Banc b;
    QVERIFY(b.montre());
    FenetrePhenomenes* p = b.f.fenetrePhenomenes();
    p->horlogeTU = [] { return QDateTime(QDate(2024, 12, 3), QTime(18, 0), Qt::UTC); };
    QStringList messages;
    p->message = [&messages](const QString& t) { messages << t; };
    QSignalSpy fini(p, &FenetrePhenomenes::calculTermine);
    b.clique("LabPhenomenes");
    QVERIFY(fini.wait(30000));
    const int lignes = int(p->lignes().size());
    QVERIFY(lignes > 4);

    const QString pdf = dossier_.filePath(QStringLiteral("nuit.pdf"));
    QVERIFY(p->exportePdf(pdf));
    QVERIFY(lit(pdf).startsWith("%PDF-"));
    if (const QString texte = textePdf(pdf); !texte.isEmpty()) {
        QVERIFY(texte.contains(QStringLiteral("03/12/2024 20:32:42")));
        // The time column named as the window names it, beside UT.
        QVERIFY2(texte.contains(QStringLiteral("Heure locale (%1)").arg(QString::fromUtf8(settings::readObserver().timeZone.id()))),
                 qPrintable(texte.left(400)));
        QVERIFY(texte.contains(QStringLiteral("Date (TU)")));
    }

    const QString ics = dossier_.filePath(QStringLiteral("nuit.ics"));
    QVERIFY(p->exporteIcs(ics));
    QCOMPARE(int(lit(ics).count("BEGIN:VEVENT")), lignes);
    // Two chosen rows: two events.
    QTableView* t = p->findChild<QTableView*>(QStringLiteral("Tableau"));
    t->selectRow(0);
    t->selectionModel()->select(t->model()->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QVERIFY(p->exporteIcs(ics));
    const QByteArray deux = lit(ics);
    QCOMPARE(int(deux.count("BEGIN:VEVENT")), 2);
    QVERIFY(deux.contains("LOCATION:48\\,85° N\\, 2\\,35° E\\, 35 m"));
    QVERIFY(!p->exporteIcs(dossier_.filePath(QStringLiteral("absent/nuit.ics"))));
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].startsWith(QStringLiteral("Impossible d'écrire")));
}

QTEST_MAIN(TestGraphique)
#include "test_graphique.moc"
