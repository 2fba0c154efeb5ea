// Orientation, the reduced view, About and help: the windows driven as a
// person would, modal windows included.
#include "outils.h"

#include "common_dialog.h"
#include "controles.h"
#include "form2.h"
#include "frmabout.h"
#include "zonedessin.h"

#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryFile>
#include <QTextBrowser>
#include <QTreeWidget>

namespace {

QList<QPointF> points(const ZoneDessin* z)
{
    QList<QPointF> p;
    for (const auto& c : z->cercles())
        p << QPointF(c.x, c.y);
    return p;
}

QList<QPointF> miroir(const QList<QPointF>& p, bool ew, bool ns)
{
    QList<QPointF> m;
    for (const QPointF& q : p)
        m << QPointF(ew ? -q.x() : q.x(), ns ? -q.y() : q.y());
    return m;
}

QStringList directions(QWidget* fenetre)
{
    QStringList t;
    for (const char* n : {"TextH", "TextB", "TextG", "TextD"})
        t << fenetre->findChild<QLineEdit*>(QString::fromLatin1(n))->text();
    return t;
}

QList<QWidget*> fenetresVisibles()
{
    QList<QWidget*> v;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            v << w;
    return v;
}

} // namespace

class TestFenetres : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareEnvironnement(); }

    void inversions();
    void inversionsIndependantes();
    void fenetreReduiteAvantCalcul();
    void fenetreReduiteAnimation();
    void fermetureFenetreReduite();
    void aPropos();
    void aideIntrouvable();
    void aide();
};

// The flips rewrite their labels at once; the drawing turns at the next pass.
void TestFenetres::inversions()
{
    Banc b;
    QVERIFY(b.montre());
    b.tape("Text1", QStringLiteral("01/01/2000 12:00:00"));
    b.clique("CommandOk");
    auto* p1 = b.w<ZoneDessin>("Picture1");
    ZoneDessin* p2 = b.f.form2()->picture2();
    const QList<QPointF> main0 = points(p1), reduite0 = points(p2);
    const QImage image0 = p1->image();
    QVERIFY(main0.size() >= 4);

    // North-south, checked then unchecked before any pass: as at start.
    b.clique("CheckNS");
    QCOMPARE(directions(&b.f), (QStringList{"NORD", "SUD", "OUEST", "EST"}));
    QCOMPARE(points(p1), main0);   // not redrawn yet
    b.clique("CheckNS");
    QCOMPARE(directions(&b.f), (QStringList{"SUD", "NORD", "OUEST", "EST"}));
    b.clique("CommandOk");
    QCOMPARE(points(p1), main0);
    QCOMPARE(p1->image(), image0);

    // East-west, then "&OK": the main scene mirrored, the reduced one as it was.
    b.clique("CheckEW");
    QCOMPARE(directions(&b.f), (QStringList{"SUD", "NORD", "EST", "OUEST"}));
    b.clique("CommandOk");
    QCOMPARE(points(p1), miroir(main0, true, false));
    QCOMPARE(points(p2), reduite0);
    // On the screen too: Callisto's red dot now left of Jupiter.
    const QImage vue = p1->image();
    const qreal dpr = vue.devicePixelRatio();
    const QPointF callisto = points(p1).at(3);
    const QPoint px(int((callisto.x() + 5678) * 757 * dpr / 11356), int((callisto.y() + 1538) * 205 * dpr / 3076));
    QVERIFY(callisto.x() < 0);
    QCOMPARE(QColor(vue.pixel(px)), QColor(255, 0, 0));

    // Both: a half turn about the centre.
    b.clique("CheckNS");
    b.clique("CommandOk");
    QCOMPARE(points(p1), miroir(main0, true, true));
    QCOMPARE(directions(&b.f), (QStringList{"NORD", "SUD", "EST", "OUEST"}));
    QCOMPARE(b.messages, QStringList());
}

// Each window's flips act on its own scene and labels only.
void TestFenetres::inversionsIndependantes()
{
    Banc b;
    QVERIFY(b.montre());
    b.tape("Text1", QStringLiteral("01/01/2000 12:00:00"));
    b.clique("CommandOk");
    Form2* f2 = b.f.form2();
    const QList<QPointF> main0 = points(b.w<ZoneDessin>("Picture1")), reduite0 = points(f2->picture2());

    f2->check1()->click();
    QCOMPARE(directions(f2), (QStringList{"S", "N", "E", "W"}));
    QCOMPARE(directions(&b.f), (QStringList{"SUD", "NORD", "OUEST", "EST"}));
    f2->check2()->click();
    QCOMPARE(directions(f2), (QStringList{"N", "S", "E", "W"}));
    b.clique("CommandOk");
    QCOMPARE(points(b.w<ZoneDessin>("Picture1")), main0);
    QCOMPARE(points(f2->picture2()), miroir(reduite0, true, true));

    b.clique("CheckNS");
    QCOMPARE(directions(f2), (QStringList{"N", "S", "E", "W"}));
    QVERIFY(f2->check1()->isChecked());
    f2->check1()->click();
    QCOMPARE(directions(f2), (QStringList{"N", "S", "W", "E"}));
    b.clique("CommandOk");
    QCOMPARE(points(b.w<ZoneDessin>("Picture1")), miroir(main0, false, true));
    QCOMPARE(points(f2->picture2()), miroir(reduite0, false, true));
}

// Pressed before any computation: the design caption, the letters, the
// background alone; "Agrandir" brings the main window back.
void TestFenetres::fenetreReduiteAvantCalcul()
{
    Banc b;
    QVERIFY(b.montre());
    QVERIFY(!b.f.form2Existe());
    bool vu = false;
    pendantModale([&](QWidget* m) {
        vu = true;
        QCOMPARE(m, static_cast<QWidget*>(b.f.form2()));
        QVERIFY(!b.f.isVisible());
        QCOMPARE(m->windowTitle(), QStringLiteral("Zenolune"));
        QCOMPARE(directions(m), (QStringList{"S", "N", "W", "E"}));
        QVERIFY(b.f.form2()->picture2()->cercles().isEmpty());
        QVERIFY(m->parentWidget() == nullptr);   // no owner
        QCOMPARE(m->windowModality(), Qt::ApplicationModal);
        QTest::mouseClick(m->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    });
    b.clique("Command1");   // returns when the reduced view is left
    QVERIFY(vu);
    QVERIFY(b.f.isVisible());
    QVERIFY(b.f.form2Existe());
    QVERIFY(b.f.form2()->isHidden());
    QCOMPARE(fenetresVisibles(), QList<QWidget*>{&b.f});
}

// With the animation running: the reduced view moves on its own, "Agrandir"
// finds the date advanced and the animation still running; a second visit
// finds the flips of Form2 as they were left.
void TestFenetres::fenetreReduiteAnimation()
{
    Banc b;
    QVERIFY(b.montre());
    b.clique("Optiongroup_2");
    b.tape("Text1", QStringLiteral("01/01/2000 12:00:00"));
    b.clique("CommandOk");
    Form2* f2 = b.f.form2();
    b.clique("MA");
    const quint64 depart = b.f.nombrePasses();

    QString titreAvant, titreApres;
    quint64 pendant = 0;
    pendantModale([&](QWidget* m) {
        titreAvant = m->windowTitle();
        const quint64 entree = b.f.nombrePasses();
        QTRY_VERIFY(b.f.nombrePasses() >= entree + 3);   // ticks inside the modal loop
        pendant = b.f.nombrePasses() - entree;
        titreApres = m->windowTitle();
        f2->check1()->click();
        QTest::mouseClick(m->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    });
    b.clique("Command1");
    QVERIFY(pendant >= 3);
    QVERIFY(titreAvant != titreApres);
    QVERIFY(titreApres.startsWith(QLatin1String("Zenolune    ")));
    QVERIFY(b.f.isVisible());
    QVERIFY(b.f.enMarche());
    QVERIFY(b.f.timer()->isActive());
    QVERIFY(b.f.nombrePasses() > depart);
    QVERIFY(b.texte("Text1") != QLatin1String("01/01/2000 12:00:00"));
    const QDate date = QDate::fromString(b.texte("Text1").left(10), QStringLiteral("dd/MM/yyyy"));
    QVERIFY(date > QDate(2000, 1, 3));

    // Second visit: the same window, its east-west flip still checked.
    bool revu = false;
    pendantModale([&](QWidget* m) {
        revu = true;
        QCOMPARE(m, static_cast<QWidget*>(f2));
        QVERIFY(f2->check1()->isChecked());
        QCOMPARE(directions(m), (QStringList{"S", "N", "E", "W"}));
        QTest::mouseClick(m->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    });
    b.clique("Command1");
    QVERIFY(revu);
    QCOMPARE(b.f.form2(), f2);
    b.clique("MA");
    QVERIFY(!b.f.enMarche());
    QCOMPARE(b.messages, QStringList());
}

// The frame's close button and Escape act like "Agrandir": never a program
// without a visible window.
void TestFenetres::fermetureFenetreReduite()
{
    Banc b;
    QVERIFY(b.montre());
    pendantModale([](QWidget* m) { m->close(); });
    b.clique("Command1");
    QVERIFY(b.f.isVisible());
    QVERIFY(b.f.form2()->isHidden());
    QPointer<Form2> garde(b.f.form2());

    pendantModale([](QWidget* m) { QTest::keyClick(m, Qt::Key_Escape); });
    b.clique("Command1");
    QVERIFY(b.f.isVisible());
    QVERIFY(garde);   // hidden, never destroyed
    QCOMPARE(fenetresVisibles(), QList<QWidget*>{&b.f});
}

// About: Jupiter in front, the pictures take turns at each click, "OK"
// destroys the window, and the next opening shows Jupiter again.
void TestFenetres::aPropos()
{
    Banc b;
    QVERIFY(b.montre());
    b.tape("Text1", QStringLiteral("01/01/2000 12:00:00"));
    b.clique("MA");   // ticks go on behind the modal window
    QPointer<QWidget> premiere;
    bool vu = false;
    pendantModale([&](QWidget* m) {
        premiere = m;
        vu = true;
        auto* about = qobject_cast<frmAbout*>(m);
        QVERIFY(about);
        QVERIFY(m->parentWidget() == nullptr);
        ZoneDessin* p1 = about->picture1();
        ZoneDessin* p2 = about->picture2();
        QVERIFY(p1->isVisible() && p2->isVisible());
        const QPoint centre = p2->geometry().center();
        QCOMPARE(m->childAt(centre), static_cast<QWidget*>(p2));   // the photograph in front
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(p2, Qt::LeftButton);
            QVERIFY(!p2->isVisible());
            QVERIFY(p1->isVisible());
            QTest::mouseClick(p1, Qt::LeftButton);
            QVERIFY(p2->isVisible());
            QVERIFY(!p1->isVisible());
        }
        QTest::mouseClick(p2, Qt::LeftButton);   // leave the portrait showing
        QVERIFY(m->isVisible());
        const quint64 passes = b.f.nombrePasses();
        QTRY_VERIFY(b.f.nombrePasses() > passes);
        QTest::mouseClick(m->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    });
    b.clique("Propos");
    QVERIFY(vu);
    QVERIFY(premiere.isNull());   // destroyed by "OK"

    vu = false;
    pendantModale([&](QWidget* m) {
        vu = true;
        auto* about = qobject_cast<frmAbout*>(m);
        QVERIFY(about);
        QVERIFY(about->picture2()->isVisible());
        QCOMPARE(m->childAt(about->picture2()->geometry().center()), static_cast<QWidget*>(about->picture2()));
        QTest::keyClick(m, Qt::Key_Return);   // "OK" is the default button
    });
    QVERIFY(b.montre());   // the main window active again, as a window manager leaves it
    QTest::keyClick(&b.f, Qt::Key_P, Qt::AltModifier);   // the label's accelerator
    QVERIFY(vu);
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<frmAbout*>(w));   // each opening destroyed
    b.clique("MA");
    QCOMPARE(b.messages, QStringList());
}

// "Ai&de" without its document: nothing at all happens.
void TestFenetres::aideIntrouvable()
{
    Banc b;
    QVERIFY(b.montre());
    const QList<QWidget*> avant = fenetresVisibles();
    Form1::setDocumentAide(QStringLiteral("/nulle/part/zenolune.html"));
    b.clique("HelpCtx");
    QTest::keyClick(&b.f, Qt::Key_D, Qt::AltModifier);
    QCoreApplication::processEvents();
    QCOMPARE(fenetresVisibles(), avant);
    QVERIFY(QApplication::activeModalWidget() == nullptr);

    QTemporaryFile vide;
    QVERIFY(vide.open());
    Form1::setDocumentAide(vide.fileName());
    b.clique("HelpCtx");
    QCoreApplication::processEvents();
    QCOMPARE(fenetresVisibles(), avant);
    QCOMPARE(b.messages, QStringList());
    QVERIFY(b.f.isVisible());
    Form1::setDocumentAide(QStringLiteral(":/aide/zenolune.html"));
}

// "Ai&de" with the program's document: a help window beside the main one,
// at the contents, with an index of the sections.
void TestFenetres::aide()
{
    Banc b;
    QVERIFY(b.montre());
    QCOMPARE(Form1::documentAide(), QStringLiteral(":/aide/zenolune.html"));
    QTest::keyClick(&b.f, Qt::Key_D, Qt::AltModifier);
    FenetreAide* aide = b.f.dialogueCommun()->fenetreAide();
    QVERIFY(aide);
    QTRY_VERIFY(aide->isVisible());
    QVERIFY(b.f.isVisible());
    QVERIFY(QApplication::activeModalWidget() == nullptr);   // not modal
    QCOMPARE(b.f.dialogueCommun()->helpCommand(), int(DialogueCommun::AideSommaire));

    QTextBrowser* texte = aide->navigateur();
    QVERIFY(texte->toPlainText().contains(QStringLiteral("Zenolune")));
    QCOMPARE(texte->verticalScrollBar()->value(), 0);   // at the contents
    QTreeWidget* index = aide->sommaire();
    QVERIFY(index->topLevelItemCount() >= 1);
    QTreeWidgetItemIterator it(index);
    QList<QTreeWidgetItem*> sections;
    for (; *it; ++it)
        sections << *it;
    QVERIFY(sections.size() >= 8);

    // A section of the index brings its heading into view.
    QTreeWidgetItem* loin = sections.last();
    index->scrollToItem(loin);
    QTest::mouseClick(index->viewport(), Qt::LeftButton, {}, index->visualItemRect(loin).center());
    QTRY_VERIFY(texte->verticalScrollBar()->value() > 0);
    const QString titre = loin->text(0);
    const QTextCursor trouve = texte->document()->find(titre);
    QVERIFY(!trouve.isNull());

    // Asked again: the same window, back at the contents.
    b.clique("HelpCtx");
    QCOMPARE(b.f.dialogueCommun()->fenetreAide(), aide);
    QCOMPARE(texte->verticalScrollBar()->value(), 0);
    QCOMPARE(b.messages, QStringList());
    aide->close();
}

QTEST_MAIN(TestFenetres)
#include "test_fenetres.moc"
