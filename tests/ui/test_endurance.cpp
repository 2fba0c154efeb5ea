// Hostile typing in every field, and a long animation run.
#include "outils.h"

#include "form2.h"

#include <QFile>
#include <QPushButton>
#include <QRegularExpression>

#include <cmath>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define ZENOLUNE_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZENOLUNE_ASAN 1
#endif
#endif

class TestEndurance : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareEnvironnement(); }
    void saisieHostile_data();
    void saisieHostile();
    void longueAnimation();
};

namespace {

const char* const kSorties[] = {"jourjuli", "datetu", "syst1", "syst2"};

struct Etat {
    QStringList sorties;
    QString titre2, text1;
    bool operator==(const Etat&) const = default;
};

Etat etat(Banc& b)
{
    Etat e;
    for (const char* n : kSorties)
        e.sorties << b.texte(n);
    e.titre2 = b.f.form2Existe() ? b.f.form2()->windowTitle() : QString();
    e.text1 = b.texte("Text1");
    return e;
}

QString repete(QChar c, int n) { return QString(n, c); }

} // namespace

// Each row: which field gets the text, which button is pressed, and the
// error number expected (0: a correct result).
void TestEndurance::saisieHostile_data()
{
    QTest::addColumn<QString>("champ");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("bouton");
    QTest::addColumn<int>("erreur");

    const struct { const char* nom; QString texte; int ok; int ajou; } dates[] = {
        {"vide", QString(), 13, 13},
        {"espaces", QStringLiteral("   "), 13, 13},
        {"100000 lettres", repete(u'x', 100000), 13, 13},
        {"100000 chiffres", repete(u'9', 100000), 13, 13},
        {"controles", QStringLiteral("01/01/2000\x01\x02 12:00:00"), 13, 13},
        {"tabulation", QStringLiteral("01/01/2000\t12:00:00"), 0, 0},
        {"chiffres arabes", QStringLiteral("٠١/٠١/٢٠٠٠"), 13, 13},
        {"exposant", QStringLiteral("1e5"), 13, 13},
        {"NaN", QStringLiteral("NaN"), 13, 13},
        {"inf", QStringLiteral("inf"), 13, 13},
        {"1e308", QStringLiteral("1e308"), 13, 13},
        {"31 février", QStringLiteral("31/02/2000"), 13, 13},
        {"29 février 1900", QStringLiteral("29/02/1900"), 13, 13},
        {"29 février 2000", QStringLiteral("29/02/2000"), 0, 0},
        {"zéros", QStringLiteral("00/00/0000"), 13, 13},
        {"seconde 60", QStringLiteral("31/12/9999 23:59:60"), 13, 13},
        {"dernière seconde", QStringLiteral("31/12/9999 23:59:59"), 0, 5},
        {"première seconde", QStringLiteral("01/01/0100"), 0, 0},
        {"heure 25", QStringLiteral("01/01/2000 25:00:00"), 13, 13},
        {"année 99", QStringLiteral("01/01/99"), 13, 13},
        {"année 10000", QStringLiteral("01/01/10000"), 13, 13},
        {"année -5", QStringLiteral("01/01/-5"), 13, 13},
        {"-5", QStringLiteral("-5"), 13, 13},
        {"planète", QStringLiteral("🪐"), 13, 13},
    };
    for (const auto& d : dates) {
        QTest::addRow("Text1 %s OK", d.nom) << "Text1" << d.texte << "CommandOk" << d.ok;
        QTest::addRow("Text1 %s Ajouter", d.nom) << "Text1" << d.texte << "CommandAjou" << d.ajou;
    }

    const struct { const char* nom; QString texte; int decalage; int ajou; int retr; } nombres[] = {
        {"vide", QString(), 13, 13, 13},
        {"espaces", QStringLiteral("  "), 13, 13, 13},
        {"100000 lettres", repete(u'x', 100000), 13, 13, 13},
        {"100000 chiffres", repete(u'9', 100000), 6, 6, 6},
        {"controles", QStringLiteral("1\x07"), 13, 13, 13},
        {"chiffres arabes", QStringLiteral("١٢"), 13, 13, 13},
        {"exposant", QStringLiteral("1E1"), 0, 0, 0},
        {"petit exposant", QStringLiteral("1E-05"), 0, 0, 0},
        {"NaN", QStringLiteral("NaN"), 13, 13, 13},
        {"inf", QStringLiteral("inf"), 13, 13, 13},
        {"-inf", QStringLiteral("-inf"), 13, 13, 13},
        {"1e308", QStringLiteral("1e308"), 5, 6, 6},
        {"1e400", QStringLiteral("1e400"), 6, 6, 6},
        {"point décimal", QStringLiteral("2.5"), 13, 13, 13},
        {"virgule", QStringLiteral("2,5"), 0, 0, 0},
        {"-5", QStringLiteral("-5"), 0, 0, 0},
        {"32768", QStringLiteral("32768"), 0, 6, 0},
        {"-32769", QStringLiteral("-32769"), 0, 6, 6},
        {"25", QStringLiteral("25"), 0, 0, 0},
        {"milliers", QStringLiteral("1 000"), 13, 13, 13},
    };
    for (const auto& n : nombres) {
        QTest::addRow("Text3 %s OK", n.nom) << "Text3" << n.texte << "CommandOk" << n.decalage;
        QTest::addRow("Text2 %s Ajouter", n.nom) << "Text2" << n.texte << "CommandAjou" << n.ajou;
        QTest::addRow("Text2 %s Retrancher", n.nom) << "Text2" << n.texte << "CommandRetr" << n.retr;
    }
}

// Whatever is typed or pasted: the numbered French message and nothing half
// written, or a correct result with no NaN on screen; the window goes on.
void TestEndurance::saisieHostile()
{
    QFETCH(QString, champ);
    QFETCH(QString, texte);
    QFETCH(QString, bouton);
    QFETCH(int, erreur);

    Banc b;
    QVERIFY(b.montre());
    b.clique("Optiongroup_2");   // steps by days
    b.tape("Text1", QStringLiteral("01/01/2000 12:00:00"));
    b.clique("CommandOk");
    QCOMPARE(b.messages, QStringList());

    // A paste: the field takes the text as a whole (up to its own length limit).
    b.champ(champ.toLatin1().constData())->setText(texte);
    const Etat avant = etat(b);
    b.clique(bouton.toLatin1().constData());

    if (erreur) {
        const char* nom = champ == u"Text1" ? "Date" : champ == u"Text2" ? "Valeur" : "Différence TU-TC";
        QCOMPARE(b.messages, QStringList{messageErreur(erreur, nom)});
        QCOMPARE(etat(b), avant);   // nothing half written, Text1 as it was
        for (const QString& t : b.phenomenes())
            QCOMPARE(t, QStringLiteral(" "));
    } else {
        QCOMPARE(b.messages, QStringList());
        static const QRegularExpression nombre(QStringLiteral("^-?[0-9]+(,[0-9]+)?$"));
        for (const char* n : {"jourjuli", "syst1", "syst2"})
            QVERIFY2(nombre.match(b.texte(n)).hasMatch(), qPrintable(b.texte(n)));
        const double syst1 = b.texte("syst1").replace(u',', u'.').toDouble();
        QVERIFY(syst1 >= 0 && syst1 < 360);
        for (const QString& t : b.phenomenes())
            QVERIFY2(QStringList({" ", "Eclipsé", "Occulté", "Passage", "Ombre"}).contains(t), qPrintable(t));
    }
    // Still alive: a good date computes again.
    b.messages.clear();
    b.tape("Text1", QStringLiteral("01/01/2000 12:00:00"));
    b.tape("Text2", QStringLiteral("1"));
    b.tape("Text3", QStringLiteral("0"));
    b.clique("CommandOk");
    QCOMPARE(b.messages, QStringList());
    QCOMPARE(b.texte("jourjuli"), QStringLiteral("2451545"));
}

namespace {

// Resident memory of the process, in bytes.
qint64 memoireResidente()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> champs = f.readAll().split(' ');
    return champs.size() > 1 ? champs[1].toLongLong() * sysconf(_SC_PAGESIZE) : -1;
}

} // namespace

// The animation timer drives 100 000 passes in step mode, the main window
// shown and painted: the memory stays flat.
void TestEndurance::longueAnimation()
{
    const int passes = qEnvironmentVariableIntValue("ZENOLUNE_SOAK_PASSES") > 0
                           ? qEnvironmentVariableIntValue("ZENOLUNE_SOAK_PASSES")
                           : 100000;
    const int echauffement = std::min(2000, passes / 10);
    Banc b;
    QVERIFY(b.montre());
    b.clique("Optiongroup_4");   // one minute a tick
    b.tape("Text1", QStringLiteral("01/01/2000"));
    b.clique("MA");
    QVERIFY(b.f.enMarche());
    QTimer* minuterie = b.f.timer();

    const quint64 debut = b.f.nombrePasses();
    qint64 apresEchauffement = 0;
    for (int i = 0; i < passes; ++i) {
        // A tick of the timer itself, through its signal, without waiting 40 ms.
        QMetaObject::invokeMethod(minuterie, "timeout", Qt::DirectConnection);
        QCoreApplication::processEvents();   // paints what the pass drew
        if (i + 1 == echauffement)
            apresEchauffement = memoireResidente();
    }
    const qint64 fin = memoireResidente();
    b.clique("MA");

    QCOMPARE(b.messages, QStringList());
    // The timer's own ticks also run while the events are processed.
    const quint64 faites = b.f.nombrePasses() - debut;
    QVERIFY(faites >= quint64(passes));
    const QDateTime attendu = QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC).addSecs(60LL * qint64(faites));
    QCOMPARE(b.texte("Text1"), zeno::dateTimeText(attendu, localeFrancaise()));
    const double croissance = double(fin - apresEchauffement) / 1024.0;
    qInfo("%d passes : mémoire résidente %lld Kio après %d passes, %lld Kio à la fin, croissance %.0f Kio",
          passes, apresEchauffement / 1024, echauffement, fin / 1024, croissance);
#ifndef ZENOLUNE_ASAN
    // Freed memory stays in the sanitizer's quarantine: there, LeakSanitizer judges.
    QVERIFY2(croissance < 1024, qPrintable(QStringLiteral("%1 Kio").arg(croissance)));
#endif
}

QTEST_MAIN(TestEndurance)
#include "test_endurance.moc"
