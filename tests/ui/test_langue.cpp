// The language: the choice, a missing or damaged translation, the English
// translation complete and up to date with the sources, and the windows in
// English (captions translated and still fitting their places).
#include "outils.h"

#include "controles.h"
#include "fenetrephenomenes.h"
#include "form2.h"
#include "frmabout.h"
#include "language.h"
#include "languagemenu.h"
#include "settings.h"

#include <QAbstractButton>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTranslator>
#include <QXmlStreamReader>

using language::Language;

class TestLangue : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void choix();
    void traductionAbsenteOuAbimee();
    void traductionsCompletes();
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
