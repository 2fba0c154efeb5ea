// "&Quitter" and the main window's close button end the program at once.
// Each case runs in a process of its own: ending the program ends every
// event loop of the process for good.
#include "outils.h"

#include "common_dialog.h"
#include "controles.h"
#include "form2.h"
#include "frmabout.h"

#include <QEventLoop>
#include <QPushButton>

class TestQuitter : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareEnvironnement(); }
    void quitterPendantAnimation();
    void fermetureCadre();
};

// During an animation, with the reduced view never shown and the About
// window open: every window goes, the loops end, no tick follows.
void TestQuitter::quitterPendantAnimation()
{
    Banc b;
    QVERIFY(b.montre());
    b.tape("Text1", QStringLiteral("01/01/2000 12:00:00"));
    b.clique("MA");
    QTRY_VERIFY(b.f.nombrePasses() >= 2);

    bool aproposOuvert = false;
    pendantModale([&](QWidget* about) {
        aproposOuvert = qobject_cast<frmAbout*>(about) != nullptr;
        // The main window is blocked by the modal window: Alt+Q stands for
        // the person who closes About and quits at once.
        QMetaObject::invokeMethod(&b.f, "LabQuit_Click", Qt::QueuedConnection);
    });
    QEventLoop principale;   // stands for the program's main loop
    QTimer::singleShot(0, &b.f, [&] { b.clique("Propos"); });
    QTimer::singleShot(10000, &principale, [&] { principale.exit(1); });
    const int fin = principale.exec();
    QCOMPARE(fin, 0);   // ended by the program, not by the watchdog
    QVERIFY(aproposOuvert);

    const quint64 passes = b.f.nombrePasses();
    QVERIFY(!b.f.timer()->isActive());
    QVERIFY(!b.f.isVisible());
    QVERIFY(!b.f.form2()->isVisible());
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    QTest::qWait(150);
    QCOMPARE(b.f.nombrePasses(), passes);
    QCOMPARE(b.messages, QStringList());
}

// The frame's close button while the help window is open.
void TestQuitter::fermetureCadre()
{
    Banc b;
    QVERIFY(b.montre());
    b.tape("Text1", QStringLiteral("01/01/2000 12:00:00"));
    b.clique("CommandOk");
    b.clique("HelpCtx");
    QVERIFY(b.f.dialogueCommun()->fenetreAide()->isVisible());
    b.clique("MA");

    QEventLoop principale;
    QTimer::singleShot(50, &b.f, [&] { b.f.close(); });
    QTimer::singleShot(10000, &principale, [&] { principale.exit(1); });
    QCOMPARE(principale.exec(), 0);
    const quint64 passes = b.f.nombrePasses();
    QVERIFY(!b.f.timer()->isActive());
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    QTest::qWait(150);
    QCOMPARE(b.f.nombrePasses(), passes);
}

QTEST_MAIN(TestQuitter)
#include "test_quitter.moc"
