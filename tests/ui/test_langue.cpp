// The language: the choice, a missing or damaged translation, the English
// translation complete and up to date with the sources, and the windows in
// English (captions translated and still fitting their places); the
// documents of an English window free of the program's French words.
#include "outils.h"

#include "controles.h"
#include "documents.h"
#include "fenetrephenomenes.h"
#include "form2.h"
#include "frmabout.h"
#include "language.h"
#include "languagemenu.h"
#include "light_curve_fit.h"
#include "mutual_rows.h"
#include "phenomena_model.h"
#include "scene_frame.h"
#include "settings.h"
#include "vocabulary.h"

#include <QAbstractButton>
#include <QFile>
#include <QPaintEngine>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTranslator>
#include <QXmlStreamReader>

using language::Language;

namespace {

// A page that keeps the texts drawn on it.
class TextesDessines : public QPaintDevice {
public:
    QStringList textes;
    QPaintEngine* paintEngine() const override { return &moteur_; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return 595;   // A4 in points
        case PdmHeight: return 842;
        case PdmWidthMM: return 210;
        case PdmHeightMM: return 297;
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 72;
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    class Moteur : public QPaintEngine {
    public:
        explicit Moteur(QStringList& textes) : QPaintEngine(AllFeatures), textes_(textes) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}   // the other shapes come here
        void drawPath(const QPainterPath&) override {}
        void drawTextItem(const QPointF&, const QTextItem& item) override { textes_ << item.text(); }
        Type type() const override { return User; }

    private:
        QStringList& textes_;
    };
    mutable Moteur moteur_{textes};
};

} // namespace

class TestLangue : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void choix();
    void traductionAbsenteOuAbimee();
    void traductionsCompletes();
    void documentsEnAnglais();
    void fenetresEnAnglais();

private:
    QTemporaryDir dossier_;
};

void TestLangue::initTestCase()
{
    prepareEnvironnement();
    QVERIFY(dossier_.isValid());
    settings::setFile(dossier_.filePath(QStringLiteral("reglages.ini")));
}

void TestLangue::choix()
{
    QCOMPARE(language::choose(QString(), {QStringLiteral("en-GB"), QStringLiteral("fr-FR")}), Language::English);
    QCOMPARE(language::choose(QString(), {QStringLiteral("en_US")}), Language::English);
    QCOMPARE(language::choose(QString(), {QStringLiteral("de-DE"), QStringLiteral("en-US")}), Language::French);
    QCOMPARE(language::choose(QString(), {}), Language::French);
    QCOMPARE(language::choose(QStringLiteral("fr"), {QStringLiteral("en-US")}), Language::French);
    QCOMPARE(language::choose(QStringLiteral("en"), {QStringLiteral("fr-FR")}), Language::English);
    // A damaged value: French, whatever the system says.
    QCOMPARE(language::choose(QStringLiteral("\x01zz"), {QStringLiteral("en-US")}), Language::French);

    // The menu's store: a damaged value reads as no choice.
    languagemenu::store(QStringLiteral("en"));
    QCOMPARE(languagemenu::stored(), QStringLiteral("en"));
    settings::open()->setValue(QLatin1String(language::kSettingsKey), QStringList{QStringLiteral("?"), QString()});
    QCOMPARE(languagemenu::stored(), QString());
    QCOMPARE(language::fromSettings(*settings::open()), Language::French);
    languagemenu::store(QString());
    QVERIFY(!settings::open()->contains(QLatin1String(language::kSettingsKey)));
}

void TestLangue::traductionAbsenteOuAbimee()
{
    const QString source = QStringLiteral("Incompatibilité de type");
    const auto traduit = [&] { return QCoreApplication::translate("ErreurExecution", "Incompatibilité de type"); };

    // No file, then a file that is not a translation: French, silently.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    QCOMPARE(language::install(*qApp, Language::English, dossier_.filePath(QStringLiteral("absent"))), Language::French);
    QFile abimee(dossier_.filePath(QStringLiteral("zenolune_en.qm")));
    QVERIFY(abimee.open(QIODevice::WriteOnly));
    abimee.write(QByteArray(64, '\xff'));
    abimee.close();
    QCOMPARE(language::install(*qApp, Language::English, dossier_.path()), Language::French);
    QCOMPARE(traduit(), source);
    Banc b;
    QCOMPARE(b.texte("Label3"), QStringLiteral("Jour Julien:"));
}

// Every text of the sources has a finished English translation with the same
// place markers and at most one accelerator: lupdate is run on a copy of the
// committed file, so a text added without its translation fails here.
void TestLangue::traductionsCompletes()
{
    const QString ts = dossier_.filePath(QStringLiteral("zenolune_en.ts"));
    QVERIFY(QFile::copy(QStringLiteral(ZENOLUNE_TS_FILE), ts));
    QFile::setPermissions(ts, QFile::ReadOwner | QFile::WriteOwner);
    QProcess lupdate;
    lupdate.start(QStringLiteral(LUPDATE_EXECUTABLE),
                  {QStringLiteral("-silent"), QStringLiteral("-no-obsolete"), QStringLiteral("-locations"),
                   QStringLiteral("none"), QStringLiteral("@" ZENOLUNE_TRANSLATED_SOURCES_LIST), QStringLiteral("-ts"), ts});
    QVERIFY(lupdate.waitForFinished(120000));
    QCOMPARE(lupdate.exitCode(), 0);

    QFile f(ts);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&f);
    QString contexte, source, fautes;
    int messages = 0;
    const QRegularExpression marques(QStringLiteral("%L?\\d"));
    const auto ensemble = [&](const QString& t) {
        QStringList m;
        for (auto it = marques.globalMatch(t); it.hasNext();)
            m << it.next().captured();
        m.sort();
        m.removeDuplicates();   // a plural's forms repeat the marks
        return m;
    };
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"name") {
            contexte = xml.readElementText();
        } else if (xml.name() == u"source") {
            source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            ++messages;
            const QString type = xml.attributes().value(QStringLiteral("type")).toString();
            const QString traduction = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            const QString ou = contexte + QStringLiteral(" « ") + source.left(60) + QStringLiteral(" »\n");
            if (!type.isEmpty() || traduction.isEmpty())
                fautes += QStringLiteral("non traduit : ") + ou;
            else if (ensemble(source) != ensemble(traduction))
                fautes += QStringLiteral("marques différentes : ") + ou;
            else if (traduction.count(QLatin1Char('&')) - traduction.count(QStringLiteral("&&")) * 2 > 1)
                fautes += QStringLiteral("plusieurs raccourcis : ") + ou;
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(messages > 0);
    QVERIFY2(fautes.isEmpty(), qPrintable(fautes));
}

// December 2026 on the precise theory (every kind of row, mutual events among
// them): the table's CSV, the calendar, the chart and its PDF pages, the
// reduction report and the light-curve panel's title, in French and then in
// English. The vocabulary is what the timetable, the chart's days and the
// French table write.
void TestLangue::documentsEnAnglais()
{
    zeno::MonthChartOptions o;
    o.year = 2026;
    o.month = 12;
    o.theorie = zeno::Theory::Precise;
    o.site = zeno::Site{};
    o.zone = QTimeZone("Europe/Paris");
    o.grs = zeno::RedSpot{};
    const zeno::MonthChart c = zeno::computeMonthChart(o, localeFrancaise());
    const std::vector<zeno::MutualEvent> mutuels = zeno::findMutualEvents(c.start, c.end);
    QVERIFY(!mutuels.empty());
    const auto documents = [&] {
        PhenomenaModel modele(localeFrancaise());
        modele.setTimeZone(o.zone);
        modele.setRows(c.rows);
        QString t = modele.csv(false) + QString::fromUtf8(zeno::icsProgramme(c.rows, {}, true, o.theorie, {}));
        for (const zeno::MutualEvent& ev : mutuels)
            t += zeno::reductionReport(ev, {}, {}, QStringLiteral("courbe.csv"), nullptr) + mutualTitle(ev) + u'\n';
        TextesDessines page;
        QPainter p(&page);
        zeno::paintMonthPages(p, [] {}, c, {}, localeFrancaise(), QSizeF(595, 842));
        return t + page.textes.join(u'\n');
    };

    QStringList vocabulaire = zeno::rowWords();
    for (const zeno::Satellite& s : zeno::kSatellites)
        vocabulaire << QString::fromUtf8(s.name);
    for (int jour = 1; jour <= 7; ++jour)
        vocabulaire << zeno::weekdayShort(jour);
    PhenomenaModel francais(localeFrancaise());
    francais.setRows(c.rows);
    for (int r = 0; r < francais.rowCount(); ++r)
        for (int col : {PhenomenaModel::Satellite, PhenomenaModel::Phenomenon, PhenomenaModel::Change, PhenomenaModel::Observable})
            vocabulaire << francais.data(francais.index(r, col), Qt::DisplayRole).toString();
    vocabulaire.removeDuplicates();
    vocabulaire.removeIf([](const QString& w) { return !w.contains(QRegularExpression(QStringLiteral("^\\p{L}[\\p{L} .]*$"))); });
    // The French words a text shows: whole words; a zone's name ("Europe/Paris") is not one.
    const auto motsFrancais = [&](const QString& texte) {
        QStringList trouves;
        for (const QString& w : vocabulaire)
            if (texte.contains(QRegularExpression(QStringLiteral("(?<![\\p{L}\\d/-])%1(?![\\p{L}\\d/-])")
                                                      .arg(QRegularExpression::escape(w)))))
                trouves << w;
        return trouves;
    };
    const QStringList enFrancais = motsFrancais(documents());
    for (const char* w : {"Ganymède", "Europe", "début", "Ombre", "Tache Rouge", "oui", "lun."})
        QVERIFY2(enFrancais.contains(QString::fromUtf8(w)), w);

    // In English, only the words English writes alike (Io, Callisto).
    QCOMPARE(language::install(*qApp, Language::English), Language::English);
    QTranslator anglais;
    QVERIFY(anglais.load(QStringLiteral("zenolune_en"), QStringLiteral(":/i18n")));
    vocabulaire.removeIf([&](const QString& w) {
        const QByteArray u = w.toUtf8();
        for (const char* contexte : {"Phenomene", "Satellite", "PhenomenaModel", "Documents", "Graphique"})
            if (anglais.translate(contexte, u.constData()) == w)
                return true;
        return false;
    });
    QVERIFY(vocabulaire.contains(QStringLiteral("Ganymède")));
    const QString texte = documents();
    QVERIFY2(motsFrancais(texte).isEmpty(), qPrintable(motsFrancais(texte).join(QStringLiteral(", "))));
    QVERIFY(texte.contains(QStringLiteral("Ganymede")));
}

void TestLangue::fenetresEnAnglais()
{
    QCOMPARE(language::install(*qApp, Language::English), Language::English);
    Banc b;
    QVERIFY(b.montre());
    QCOMPARE(b.w<EtiquetteBouton>("LabQuit")->text(), QStringLiteral("&Quit"));
    QCOMPARE(b.texte("Label3"), QStringLiteral("Julian Day:"));
    QCOMPARE(b.w<QPushButton>("CommandMaint")->text(), QStringLiteral("&Now"));
    QCOMPARE(b.champ("TextH")->text(), QStringLiteral("SOUTH"));

    // The messages too, with the field's name.
    b.tape("Text1", QStringLiteral("abc"));
    b.clique("CommandOk");
    QCOMPARE(b.messages, QStringList{QStringLiteral("Run-time error '13': Type mismatch — field “Date”")});

    // English captions still fit the fixed places of the windows.
    b.f.fenetrePhenomenes()->horlogeTU = [] { return QDateTime(QDate(2024, 12, 3), QTime(18, 0), Qt::UTC); };
    b.clique("LabPhenomenes");
    QTRY_VERIFY(!b.f.fenetrePhenomenes()->calculEnCours());
    frmAbout apropos;
    QCOMPARE(apropos.windowTitle(), QStringLiteral("About Zenolune..."));
    QList<QWidget*> tous = b.f.findChildren<QWidget*>() + b.f.form2()->findChildren<QWidget*>()
                           + apropos.findChildren<QWidget*>();
    for (QWidget* w : tous) {
        if (w->window() == b.f.fenetrePhenomenes() || w->objectName() == QLatin1String("syst1")
            || w->objectName() == QLatin1String("syst2") || w->objectName() == QLatin1String("Command1"))
            continue;   // laid out; clipped on purpose; on two lines
        if (qobject_cast<QLabel*>(w) && !static_cast<QLabel*>(w)->wordWrap())
            QVERIFY2(w->sizeHint().width() <= w->width() + 1, qPrintable(w->objectName()));
        if (auto* bouton = qobject_cast<QAbstractButton*>(w); bouton && !qobject_cast<QToolButton*>(w)) {
            const int texte = bouton->fontMetrics().horizontalAdvance(bouton->text().remove(QLatin1Char('&')));
            QVERIFY2(qobject_cast<QPushButton*>(w) ? texte <= w->width() - 6 : w->sizeHint().width() <= w->width() + 2,
                     qPrintable(w->objectName()));
        }
    }
    // The title names the kind of night (here an ordinary one).
    QCOMPARE(b.f.fenetrePhenomenes()->windowTitle(), QStringLiteral("Phenomena — coming night"));
    QVERIFY(!b.f.fenetrePhenomenes()->lignes().empty());
}

QTEST_MAIN(TestLangue)
#include "test_langue.moc"
