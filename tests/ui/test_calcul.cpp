// Date entry, the computation trigger, stepping and animation, driven
// through the real widgets, with every bad input answered by its message.
#include "outils.h"

#include "controles.h"
#include "place_dialog.h"
#include "regional.h"
#include "form2.h"
#include "zonedessin.h"

#include <QPushButton>
#include <QRadioButton>

class TestCalcul : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareEnvironnement(); }

    void demarrage();
    void premierCalcul();
    void datesDeChaqueLocale();
    void texteIllisible();
    void decalageIllisible();
    void maintenant();
    void pas_data();
    void pas();
    void focusDesOptions();
    void tempsReel();
    void animation();
    void erreurPendantAnimation();
};

// Before any event: placeholders, no drawing, the timer off.
void TestCalcul::demarrage()
{
    Banc b;
    QVERIFY(b.montre());
    QVERIFY(!b.f.timer()->isActive());
    QCOMPARE(b.texte("jourjuli"), QStringLiteral("_____"));
    QCOMPARE(b.texte("datetu"), QStringLiteral("____"));
    for (const QString& t : b.phenomenes())
        QVERIFY(t == QLatin1String("______") || t == QLatin1String("_____"));
    QVERIFY(b.w<ZoneDessin>("Picture1")->cercles().isEmpty());
    // The first focus is in the option group, on "&Heure": the unit is the hour.
    QCOMPARE(QApplication::focusWidget(), b.w("Optiongroup_3"));
    QCOMPARE(b.f.intervalle(), QStringLiteral("h"));
}

// 01/01/2000 12:00:00 typed, "&OK": the Julian Day, the UT date, the central
// meridians, every phenomenon label filled, both scenes drawn.
// In each locale the hint states the order the fields read, ISO 8601 is
// taken, what the window prints it reads back, and a place's coordinates
// take a decimal point or comma.
void TestCalcul::datesDeChaqueLocale()
{
    for (const QLocale& l : {localeFrancaise(), QLocale(QLocale::English, QLocale::UnitedStates),
                             QLocale(QLocale::English, QLocale::UnitedKingdom), QLocale(QLocale::German, QLocale::Germany)}) {
        Banc b(l);
        QVERIFY(b.montre());
        QVERIFY(b.texte("Label12").contains(zeno::dateFormText(l)));
        b.tape("Text1", QStringLiteral("2026-12-15T21:00:00"));
        b.clique("CommandOk");
        const QString jour = b.texte("jourjuli"), ut = b.texte("datetu");
        QCOMPARE(ut, zeno::dateTimeText(QDateTime(QDate(2026, 12, 15), QTime(21, 0), Qt::UTC), l));
        b.tape("Text1", ut);
        b.clique("CommandOk");
        QCOMPARE(b.texte("jourjuli"), jour);
        b.clique("CommandMaint");
        b.clique("CommandOk");
        QCOMPARE(b.messages, QStringList());
        for (const char* latitude : {"48.85", "48,85"}) {
            DialogueLieu d(settings::Observer{}, l);
            d.findChild<QLineEdit*>(QStringLiteral("TextLatitude"))->setText(QString::fromLatin1(latitude));
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("CommandOk")), Qt::LeftButton);
            QCOMPARE(d.erreur(), QString());
            QCOMPARE(d.resultat().site.latitudeDeg, 48.85);
        }
    }
}

void TestCalcul::premierCalcul()
{
    Banc b;
    QVERIFY(b.montre());
    b.tape("Text1", QStringLiteral("01/01/2000 12:00:00"));
    b.clique("CommandOk");
    QCOMPARE(b.messages, QStringList());
    QCOMPARE(b.texte("jourjuli"), QStringLiteral("2451545"));
    QCOMPARE(b.texte("datetu"), QStringLiteral("01/01/2000 12:00:00"));
    QCOMPARE(b.f.form2()->windowTitle(), QStringLiteral("Zenolune    01/01/2000 12:00:00"));
    QVERIFY(b.f.form2()->isHidden());
    QVERIFY2(b.texte("syst1").startsWith(QLatin1String("196,47")), qPrintable(b.texte("syst1")));
    QVERIFY2(b.texte("syst2").startsWith(QLatin1String("172,91")), qPrintable(b.texte("syst2")));
    QCOMPARE(b.f.calcul().record().JD, QStringLiteral("2451545,00063979"));
    for (const QString& t : b.phenomenes())
        QVERIFY2(QStringList({" ", "Eclipsé", "Occulté", "Passage", "Ombre"}).contains(t), qPrintable(t));
    QCOMPARE(b.f.nombrePasses(), 1u);

    // Each satellite once in each scene, in its colour, where the record puts it.
    const auto& main = b.w<ZoneDessin>("Picture1")->cercles();
    const auto& reduite = b.f.form2()->picture2()->cercles();
    QVERIFY(main.size() >= 4);
    QCOMPARE(main.size(), reduite.size());
    const auto& e = b.f.calcul().record();
    QCOMPARE(main.at(0).contour, QColor(255, 0, 255));   // Io first
    QCOMPARE(main.at(0).rayon, 10.0);
    QCOMPARE(main.at(0).styleRemplissage, 0);
    QCOMPARE(main.at(0).x, double(float(e.X1 * 200)));
    QCOMPARE(main.at(0).y, double(float(e.Y1 * 200)));
    QCOMPARE(reduite.at(0).x, double(float(e.X1 * 80)));
    QCOMPARE(main.at(3).contour, QColor(255, 0, 0));     // Callisto fourth
    QCOMPARE(main.at(3).x, double(float(e.X4 * 200)));
    QVERIFY(main.at(3).x > 4000);                         // about 21 radii east, on the right

    // On the screen: Callisto's red dot right of Jupiter.
    ZoneDessin* p1 = b.w<ZoneDessin>("Picture1");
    const QImage vue = p1->grab().toImage();
    const qreal dpr = vue.devicePixelRatio();
    const QPointF centre = p1->zoneInterieure().topLeft() + QPointF((main.at(3).x + 5678) * 757 / 11356, (main.at(3).y + 1538) * 205 / 3076);
    QCOMPARE(QColor(vue.pixel((centre * dpr).toPoint())), QColor(255, 0, 0));

    // A date alone means midnight; "&OK" again recomputes, nothing is kept.
    b.tape("Text1", QStringLiteral("15/10/1582"));
    QTest::keyClick(&b.f, Qt::Key_O, Qt::AltModifier);   // the button animates its click
    QTRY_COMPARE(b.texte("jourjuli"), QStringLiteral("2299160,5"));
    QCOMPARE(b.texte("datetu"), QStringLiteral("15/10/1582"));
    QCOMPARE(b.f.nombrePasses(), 2u);
    QCOMPARE(b.messages, QStringList());
}

// "abc" (or nothing) in the date field: the labels are blanked, the message
// names error 13, nothing else changes, and the program goes on.
void TestCalcul::texteIllisible()
{
    Banc b;
    QVERIFY(b.montre());
    b.clique("CommandOk");   // empty field at start
    QCOMPARE(b.messages, QStringList{messageErreur(13, "Date")});
    QCOMPARE(b.phenomenes(), QStringList(16, QStringLiteral(" ")));
    QCOMPARE(b.texte("jourjuli"), QStringLiteral("_____"));
    QVERIFY(!b.f.form2Existe() || b.f.form2()->windowTitle() == QLatin1String("Zenolune"));

    b.tape("Text1", QStringLiteral("01/01/2000 12:00:00"));
    b.clique("CommandOk");
    const QString syst1 = b.texte("syst1");
    const auto cercles = b.w<ZoneDessin>("Picture1")->cercles().size();
    b.messages.clear();
    b.tape("Text1", QStringLiteral("abc"));
    b.clique("CommandOk");
    QCOMPARE(b.messages, QStringList{QStringLiteral("Erreur d'exécution '13' : Incompatibilité de type — champ « Date »")});
    QCOMPARE(b.phenomenes(), QStringList(16, QStringLiteral(" ")));   // never the placeholders again
    QCOMPARE(b.texte("jourjuli"), QStringLiteral("2451545"));
    QCOMPARE(b.texte("datetu"), QStringLiteral("01/01/2000 12:00:00"));
    QCOMPARE(b.texte("syst1"), syst1);
    QCOMPARE(b.f.form2()->windowTitle(), QStringLiteral("Zenolune    01/01/2000 12:00:00"));
    QCOMPARE(b.w<ZoneDessin>("Picture1")->cercles().size(), cercles);
    QCOMPARE(b.texte("Text1"), QStringLiteral("abc"));
    QVERIFY(b.f.isVisible());
    // A non-existent day of the proleptic Gregorian calendar.
    b.tape("Text1", QStringLiteral("29/02/1500"));
    b.clique("CommandOk");
    QCOMPARE(b.messages.size(), 2);
    QCOMPARE(b.messages.last(), messageErreur(13, "Date"));
    // And the program still computes.
    b.tape("Text1", QStringLiteral("01/01/2000 13:00:00"));
    b.tape("Text3", QStringLiteral("-1"));
    b.clique("CommandOk");
    QCOMPARE(b.messages.size(), 2);
    QCOMPARE(b.texte("jourjuli"), QStringLiteral("2451545"));
}

void TestCalcul::decalageIllisible()
{
    Banc b;
    QVERIFY(b.montre());
    b.tape("Text1", QStringLiteral("01/01/2000 12:00:00"));
    b.clique("CommandOk");
    b.tape("Text3", QStringLiteral("abc"));
    b.clique("CommandOk");
    QCOMPARE(b.messages, QStringList{messageErreur(13, "Différence TU-TC")});
    b.tape("Text3", QString());
    b.clique("CommandAjou");
    QCOMPARE(b.messages.size(), 2);
    QCOMPARE(b.messages.last(), messageErreur(13, "Différence TU-TC"));
    // The date field keeps its date when the offset fails.
    QCOMPARE(b.texte("Text1"), QStringLiteral("01/01/2000 12:00:00"));
    QCOMPARE(b.texte("jourjuli"), QStringLiteral("2451545"));
    // An offset that carries the date out of the supported years.
    b.tape("Text1", QStringLiteral("31/12/9999 23:00:00"));
    b.tape("Text3", QStringLiteral("2"));
    b.clique("CommandOk");
    QCOMPARE(b.messages.size(), 3);
    QCOMPARE(b.messages.last(), messageErreur(5, "Différence TU-TC"));
}

// "&Maintenant" writes the local clock to the second and does nothing else.
void TestCalcul::maintenant()
{
    Banc b;
    QVERIFY(b.montre());
    b.tape("Text1", QStringLiteral("01/01/2000 12:00:00"));
    b.clique("CommandOk");
    const QStringList avant = b.phenomenes();
    const QString syst1 = b.texte("syst1");
    const quint64 passes = b.f.nombrePasses();

    b.f.horloge = [] { return QDateTime(QDate(2024, 3, 5), QTime(13, 14, 15, 678), Qt::LocalTime); };
    b.clique("CommandMaint");
    QCOMPARE(b.texte("Text1"), QStringLiteral("05/03/2024 13:14:15"));
    QCOMPARE(b.phenomenes(), avant);
    QCOMPARE(b.texte("jourjuli"), QStringLiteral("2451545"));
    QCOMPARE(b.texte("syst1"), syst1);
    QCOMPARE(b.f.nombrePasses(), passes);

    // At midnight exactly: the date alone, computed for midnight.
    b.f.horloge = [] { return QDateTime(QDate(2024, 3, 5), QTime(0, 0, 0, 400), Qt::LocalTime); };
    QTest::keyClick(&b.f, Qt::Key_M, Qt::AltModifier);
    QTRY_COMPARE(b.texte("Text1"), QStringLiteral("05/03/2024"));
    b.clique("CommandOk");
    QCOMPARE(b.texte("jourjuli"), QStringLiteral("2460374,5"));
    QCOMPARE(b.messages, QStringList());
}

void TestCalcul::pas_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("valeur");
    QTest::addColumn<bool>("retrancher");
    QTest::addColumn<QString>("attendu");   // the new Text1, or empty on an error
    QTest::addColumn<int>("erreur");
    QTest::addColumn<QString>("champ");     // the field the message names

    const QString midi = QStringLiteral("01/01/2000 12:00:00");
    QTest::newRow("fin de janvier + 1 mois") << "31/01/2000" << 1 << "1" << false << "29/02/2000" << 0 << "";
    QTest::newRow("29 février + 1 an") << "29/02/2000" << 0 << "1" << false << "28/02/2001" << 0 << "";
    QTest::newRow("2,5 ajouter") << midi << 3 << "2,5" << false << "01/01/2000 14:00:00" << 0 << "";
    QTest::newRow("3,5 ajouter") << midi << 3 << "3,5" << false << "01/01/2000 16:00:00" << 0 << "";
    QTest::newRow("2,5 retrancher") << midi << 3 << "2,5" << true << "01/01/2000 10:00:00" << 0 << "";
    QTest::newRow("3,5 retrancher") << midi << 3 << "3,5" << true << "01/01/2000 08:00:00" << 0 << "";
    QTest::newRow("-3 retrancher") << midi << 2 << "-3" << true << "04/01/2000 12:00:00" << 0 << "";
    QTest::newRow("-3 ajouter") << midi << 2 << "-3" << false << "29/12/1999 12:00:00" << 0 << "";
    QTest::newRow("zéro") << midi << 2 << "0" << false << midi << 0 << "";
    QTest::newRow("minute vers minuit") << "31/12/1999 23:59:00" << 4 << "1" << false << "01/01/2000" << 0 << "";
    QTest::newRow("32768 retrancher") << "01/01/2000" << 2 << "32768" << true << "15/04/1910" << 0 << "";
    QTest::newRow("vide") << midi << 3 << "" << false << "" << 13 << "Valeur";
    QTest::newRow("pas un nombre") << midi << 3 << "abc" << false << "" << 13 << "Valeur";
    QTest::newRow("32768 ajouter") << midi << 3 << "32768" << false << "" << 6 << "Valeur";
    QTest::newRow("-32768 retrancher") << midi << 3 << "-32768" << true << "" << 6 << "Valeur";
    QTest::newRow("32767,5 arrondi à 32768") << midi << 3 << "32767,5" << false << "" << 6 << "Valeur";
    QTest::newRow("date illisible") << "xyz" << 3 << "1" << false << "" << 13 << "Date";
    QTest::newRow("date vide") << "" << 3 << "1" << false << "" << 13 << "Date";
    QTest::newRow("compte avant date") << "xyz" << 3 << "40000" << false << "" << 6 << "Valeur";
    QTest::newRow("après 9999") << "31/12/9999 23:00:00" << 3 << "1" << false << "" << 5 << "Date";
    QTest::newRow("avant l'an 100") << "01/01/0100" << 2 << "1" << true << "" << 5 << "Date";
    QTest::newRow("date illisible avant plage") << "xyz" << 0 << "9000" << false << "" << 13 << "Date";
}

// "&Ajouter" and "&Retrancher": the unit chosen by clicking its option, the
// amount typed, the date moved and computed; a failure leaves Text1 as it was.
void TestCalcul::pas()
{
    QFETCH(QString, date);
    QFETCH(int, option);
    QFETCH(QString, valeur);
    QFETCH(bool, retrancher);
    QFETCH(QString, attendu);
    QFETCH(int, erreur);
    QFETCH(QString, champ);

    Banc b;
    QVERIFY(b.montre());
    b.clique(QStringLiteral("Optiongroup_%1").arg(option).toLatin1().constData());
    QVERIFY(b.w<QRadioButton>(QStringLiteral("Optiongroup_%1").arg(option).toLatin1().constData())->isChecked());
    b.tape("Text1", date);
    b.tape("Text2", valeur);
    b.clique(retrancher ? "CommandRetr" : "CommandAjou");

    QCOMPARE(b.phenomenes().contains(QStringLiteral("______")), false);
    if (erreur) {
        QCOMPARE(b.messages, QStringList{messageErreur(erreur, champ.toUtf8().constData())});
        QCOMPARE(b.texte("Text1"), date);
        QCOMPARE(b.phenomenes(), QStringList(16, QStringLiteral(" ")));
        QCOMPARE(b.texte("jourjuli"), QStringLiteral("_____"));
        QCOMPARE(b.f.nombrePasses(), 0u);
    } else {
        QCOMPARE(b.messages, QStringList());
        QCOMPARE(b.texte("Text1"), attendu);
        QCOMPARE(b.texte("datetu"), attendu);
        QCOMPARE(b.f.nombrePasses(), 1u);
    }
}

// The unit follows the option that gains the focus: click, Tab, arrows.
void TestCalcul::focusDesOptions()
{
    Banc b;
    QVERIFY(b.montre());
    QCOMPARE(b.f.intervalle(), QStringLiteral("h"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QCOMPARE(QApplication::focusWidget(), b.w("Optiongroup_2"));
    QCOMPARE(b.f.intervalle(), QStringLiteral("d"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QCOMPARE(b.f.intervalle(), QStringLiteral("yyyy"));
    QVERIFY(b.w<QRadioButton>("Optiongroup_0")->isChecked());
    b.clique("Optiongroup_1");
    QCOMPARE(b.f.intervalle(), QStringLiteral("m"));
    b.clique("Optiongroup_4");
    QCOMPARE(b.f.intervalle(), QStringLiteral("n"));
    // Tab from another control into the group lands on an option and sets its unit.
    b.w("TextD")->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    auto* option = qobject_cast<QRadioButton*>(QApplication::focusWidget());
    QVERIFY(option);
    const int index = option->property("Index").toInt();
    QCOMPARE(b.f.intervalle(), QStringList({"yyyy", "m", "d", "h", "n"}).at(index));
    // A step by minutes.
    b.clique("Optiongroup_4");
    b.tape("Text1", QStringLiteral("01/01/2000 12:00:00"));
    b.clique("CommandAjou");
    QCOMPARE(b.texte("Text1"), QStringLiteral("01/01/2000 12:01:00"));
    // The handler alone: other indices change nothing.
    b.f.OptionGroup_GotFocus(7);
    QCOMPARE(b.f.intervalle(), QStringLiteral("n"));
}

// "Temps &Réel": the unit is the second, Text2 is "1" again at every tick,
// Text1 follows the clock, the period is a second.
void TestCalcul::tempsReel()
{
    Banc b;
    QVERIFY(b.montre());
    b.f.horloge = [] { return QDateTime(QDate(2024, 12, 3), QTime(21, 30, 5), Qt::LocalTime); };
    b.tape("Text2", QStringLiteral("25"));
    b.clique("Optiongroup_5");
    QCOMPARE(b.f.intervalle(), QStringLiteral("s"));
    QCOMPARE(b.texte("Text2"), QStringLiteral("1"));
    QCOMPARE(b.f.timer()->interval(), 1000);
    QVERIFY(!b.f.timer()->isActive());   // the period only

    b.tape("Text1", QStringLiteral("01/01/2000 12:00:00"));
    b.tape("Text2", QStringLiteral("7"));
    b.clique("CommandAjou");
    QCOMPARE(b.texte("Text1"), QStringLiteral("01/01/2000 12:00:07"));
    b.clique("CommandRetr");
    b.clique("CommandRetr");
    QCOMPARE(b.texte("Text1"), QStringLiteral("01/01/2000 11:59:53"));

    b.tape("Text2", QStringLiteral("abc"));   // real time reads no amount
    b.f.minuterie_Timer();
    QCOMPARE(b.texte("Text2"), QStringLiteral("1"));
    QCOMPARE(b.texte("Text1"), QStringLiteral("03/12/2024 21:30:05"));
    QCOMPARE(b.texte("datetu"), QStringLiteral("03/12/2024 21:30:05"));
    QCOMPARE(b.f.timer()->interval(), 1000);
    QCOMPARE(b.messages, QStringList());

    // The window coming back to the front is no gain of focus: the amount set
    // with the arrows stays.
    b.clique("Optiongroup_5");
    QCOMPARE(QApplication::focusWidget(), b.w("Optiongroup_5"));
    b.w<UpDown>("UpDown1")->stepUp();
    QCOMPARE(b.texte("Text2"), QStringLiteral("2"));
    {
        QWidget autre;
        autre.show();
        QApplication::setActiveWindow(&autre);
        QVERIFY(QTest::qWaitForWindowActive(&autre));
    }
    QVERIFY(b.montre());
    QCOMPARE(QApplication::focusWidget(), b.w("Optiongroup_5"));
    QCOMPARE(b.texte("Text2"), QStringLiteral("2"));

    // In real time only the offset can fail.
    b.tape("Text3", QStringLiteral("x"));
    b.f.minuterie_Timer();
    QCOMPARE(b.messages, QStringList{messageErreur(13, "Différence TU-TC")});
}

// "Marche"/"Arrêt", the ticks in step mode, amount 0.
void TestCalcul::animation()
{
    Banc b;
    QVERIFY(b.montre());
    auto* ma = b.w<QPushButton>("MA");
    auto face = [ma] {
        const QImage im = ma->grab().toImage();
        return QColor(im.pixel(int(5 * im.devicePixelRatio()), im.height() / 2));
    };
    b.clique("Optiongroup_2");
    b.tape("Text1", QStringLiteral("01/01/2000 12:00:00"));

    b.clique("MA");
    QCOMPARE(ma->text(), QStringLiteral("Arrêt"));
    QCOMPARE(face(), QColor(255, 0, 0));
    QVERIFY(b.f.enMarche());
    QVERIFY(b.f.timer()->isActive());
    QCOMPARE(b.f.timer()->interval(), 20);   // MA leaves the period alone
    QCOMPARE(b.texte("Text1"), QStringLiteral("01/01/2000 12:00:00"));

    b.f.minuterie_Timer();
    QCOMPARE(b.f.timer()->interval(), 40);
    QCOMPARE(b.texte("Text1"), QStringLiteral("02/01/2000 12:00:00"));
    QCOMPARE(b.texte("jourjuli"), QStringLiteral("2451546"));

    // Real ticks of the timer: the date moves day by day, a pass each time.
    const quint64 avant = b.f.nombrePasses();
    QTRY_VERIFY(b.f.nombrePasses() >= avant + 3);
    QVERIFY(b.texte("Text1") != QLatin1String("02/01/2000 12:00:00"));

    // Stopped, then pressed twice quickly: stopped, "Marche" on green.
    b.clique("MA");
    QVERIFY(!b.f.enMarche());
    b.clique("MA");
    b.clique("MA");
    QCOMPARE(ma->text(), QStringLiteral("Marche"));
    QCOMPARE(face(), QColor(0, 255, 0));
    QVERIFY(!b.f.enMarche());
    QVERIFY(!b.f.timer()->isActive());

    // Amount 0: the date stays, yet each tick blanks the labels and runs a pass.
    const QString date = b.texte("Text1");
    b.tape("Text2", QStringLiteral("0"));
    const quint64 passes = b.f.nombrePasses();
    b.f.minuterie_Timer();
    b.f.minuterie_Timer();
    QCOMPARE(b.texte("Text1"), date);
    QCOMPARE(b.f.nombrePasses(), passes + 2);
    QCOMPARE(b.messages, QStringList());
}

// An error during an animation stops it first, then gives one message.
void TestCalcul::erreurPendantAnimation()
{
    Banc b;
    QVERIFY(b.montre());
    b.tape("Text1", QStringLiteral("01/01/2000 12:00:00"));
    b.clique("MA");
    QTRY_VERIFY(b.f.nombrePasses() >= 2);
    b.tape("Text2", QString());
    QTRY_VERIFY(!b.f.enMarche());
    QTest::qWait(200);   // no tick any more, no second message
    QCOMPARE(b.messages, QStringList{messageErreur(13, "Valeur")});
    QVERIFY(!b.f.timer()->isActive());
    QCOMPARE(b.w<QPushButton>("MA")->text(), QStringLiteral("Marche"));
    const QString date = b.texte("Text1");
    QVERIFY(!date.isEmpty());

    // Each kind of failure at a tick: Text1 left as it was.
    const struct { const char* date; const char* valeur; int option; int erreur; const char* champ; } cas[] = {
        {"01/01/2000 12:00:00", "70000", 3, 6, "Valeur"},
        {"pas une date", "1", 3, 13, "Date"},
        {"31/12/9999 12:00:00", "1", 1, 5, "Date"},
    };
    for (const auto& c : cas) {
        b.messages.clear();
        b.clique(QStringLiteral("Optiongroup_%1").arg(c.option).toLatin1().constData());
        b.tape("Text1", QString::fromUtf8(c.date));
        b.tape("Text2", QString::fromLatin1(c.valeur));
        b.clique("MA");
        b.f.minuterie_Timer();
        QCOMPARE(b.messages, QStringList{messageErreur(c.erreur, c.champ)});
        QCOMPARE(b.texte("Text1"), QString::fromUtf8(c.date));
        QVERIFY(!b.f.enMarche());
        QVERIFY(!b.f.timer()->isActive());
        QCOMPARE(b.w<QPushButton>("MA")->text(), QStringLiteral("Marche"));
    }
    // A button that fails while the animation runs stops it too.
    b.messages.clear();
    b.tape("Text1", QStringLiteral("01/01/2000 12:00:00"));
    b.tape("Text2", QStringLiteral("1"));
    b.clique("MA");
    b.tape("Text1", QStringLiteral("??"));
    b.clique("CommandOk");
    QCOMPARE(b.messages, QStringList{messageErreur(13, "Date")});
    QVERIFY(!b.f.enMarche());
}

QTEST_MAIN(TestCalcul)
#include "test_calcul.moc"
