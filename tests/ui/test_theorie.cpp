// The "&Théorie précise (L1.2)" check box: the next pass in the modern
// theory, said in the title; unchecked, the window is as it always was.
#include "outils.h"

#include "l12_correction.h"
#include "settings.h"
#include "zonedessin.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QTemporaryDir>

namespace {
const QString kTitreCorrige = QStringLiteral("Zenolune — théorie précise, L1.2 corrigée par les observations 2009–2021");
}

class TestTheorie : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        prepareEnvironnement();
        QVERIFY(dossier_.isValid());
        settings::setFile(dossier_.filePath(QStringLiteral("reglages.ini")));
    }
    void caseEtTitre();
    void passePrecise();
    void horsValidite();
    void choixL12();

private:
    QTemporaryDir dossier_;
};

// At the right of the top strip, unchecked, and the title is the program's name.
void TestTheorie::caseEtTitre()
{
    Banc b;
    QVERIFY(b.montre());
    auto* c = b.w<QCheckBox>("CheckTheorie");
    QVERIFY(c);
    QVERIFY(!c->isChecked());
    QVERIFY(c->geometry().left() >= 6240 / 15);
    QVERIFY(c->geometry().top() < b.w("Frame1")->geometry().top());
    QCOMPARE(b.f.windowTitle(), QStringLiteral("Zenolune"));
    c->setChecked(true);
    QCOMPARE(b.f.windowTitle(), kTitreCorrige);
    // Its accelerator, Alt+T, unchecks it again.
    QTest::keyClick(&b.f, Qt::Key_T, Qt::AltModifier);   // the box animates its click
    QTRY_VERIFY(!c->isChecked());
    QCOMPARE(b.f.windowTitle(), QStringLiteral("Zenolune"));
}

// 02/01/2016 13:00:30 UT: Io's shadow has touched the globe by 13:00:21 in the
// modern theory (published 13:01), not yet in the original one (13:00:40).
// Unchecked again, labels and discs are those of a window that never changed.
void TestTheorie::passePrecise()
{
    Banc b, temoin;
    QVERIFY(b.montre());
    const QString date = QStringLiteral("02/01/2016 13:00:30");
    b.w<QCheckBox>("CheckTheorie")->setChecked(true);
    b.tape("Text1", date);
    b.clique("CommandOk");
    QCOMPARE(b.messages, QStringList());
    QCOMPARE(b.texte("InfoIoOm"), QStringLiteral("Ombre"));
    QCOMPARE(b.f.windowTitle(), kTitreCorrige);
    QCOMPARE(b.w<ZoneDessin>("Picture1")->cercles().size(), 5);   // four satellites and Io's shadow

    b.w<QCheckBox>("CheckTheorie")->setChecked(false);
    b.clique("CommandOk");
    QVERIFY(temoin.montre());
    temoin.tape("Text1", date);
    temoin.clique("CommandOk");
    QCOMPARE(b.texte("InfoIoOm"), QStringLiteral(" "));
    QCOMPARE(b.phenomenes(), temoin.phenomenes());
    QCOMPARE(b.texte("syst1"), temoin.texte("syst1"));
    const auto& mes = b.w<ZoneDessin>("Picture1")->cercles();
    const auto& ref = temoin.w<ZoneDessin>("Picture1")->cercles();
    QCOMPARE(mes.size(), ref.size());
    for (qsizetype i = 0; i < mes.size(); ++i)
        QVERIFY(mes[i].x == ref[i].x && mes[i].y == ref[i].y && mes[i].remplissage == ref[i].remplissage);
    QCOMPARE(b.f.windowTitle(), QStringLiteral("Zenolune"));
}

// A date far from the theory's years: computed, and the title warns.
void TestTheorie::horsValidite()
{
    Banc b;
    QVERIFY(b.montre());
    b.w<QCheckBox>("CheckTheorie")->setChecked(true);
    b.tape("Text1", QStringLiteral("01/01/1700 00:00:00"));
    b.clique("CommandOk");
    QCOMPARE(b.messages, QStringList());
    QVERIFY2(b.f.windowTitle().contains(QStringLiteral("hors de 1850-2150")), qPrintable(b.f.windowTitle()));
    b.tape("Text1", QStringLiteral("01/01/2000 00:00:00"));
    b.clique("CommandOk");
    QCOMPARE(b.f.windowTitle(), kTitreCorrige);
}

// The satellites' L1.2 from the menu beside the box: the title names it, the
// next session finds it again, and a kept value that does not read is the
// corrected theory.
void TestTheorie::choixL12()
{
    {
        Banc b;
        QVERIFY(b.montre());
        QVERIFY(zeno::l12Corrected());
        b.w<QCheckBox>("CheckTheorie")->setChecked(true);
        QCOMPARE(b.f.windowTitle(), kTitreCorrige);
        b.clique("LabTheorieL12");
        auto* menu = b.w<QMenu>("MenuTheorieL12");
        QTRY_VERIFY(menu->isVisible());
        menu->findChild<QAction*>(QStringLiteral("ActionL12Publiee"))->trigger();
        menu->hide();
        QVERIFY(!zeno::l12Corrected());
        QCOMPARE(b.f.windowTitle(), QStringLiteral("Zenolune — théorie précise, L1.2 telle que publiée"));
    }
    zeno::setL12Corrected(true);   // a new start of the program
    {
        Banc b;
        QVERIFY(!zeno::l12Corrected());
        QVERIFY(b.w<QMenu>("MenuTheorieL12")->findChild<QAction*>(QStringLiteral("ActionL12Publiee"))->isChecked());
    }
    settings::open()->setValue(QStringLiteral("theorie/l12_corrigee"), QStringLiteral("peut-etre"));
    QStringList remis;
    QVERIFY(settings::readL12Corrected(&remis));
    QCOMPARE(remis, QStringList{QStringLiteral("théorie des satellites")});
    Banc b;
    QVERIFY(zeno::l12Corrected());
}

QTEST_MAIN(TestTheorie)
#include "test_theorie.moc"
