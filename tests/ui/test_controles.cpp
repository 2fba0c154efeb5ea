// The three windows as they stand before any event: every named control,
// its place, the tab order, the design-time values, the spinners and the
// picture areas.
#include "outils.h"

#include <QTemporaryDir>

#include "common_dialog.h"
#include "controles.h"
#include "form2.h"
#include "frmabout.h"
#include "zonedessin.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <cmath>

namespace {

QString genre(QObject* o)
{
    if (qobject_cast<QTimer*>(o)) return QStringLiteral("timer");
    if (qobject_cast<DialogueCommun*>(o)) return QStringLiteral("common dialog");
    if (qobject_cast<UpDown*>(o)) return QStringLiteral("spinner");
    if (qobject_cast<ZoneDessin*>(o)) return QStringLiteral("picture area");
    if (qobject_cast<QGroupBox*>(o)) return QStringLiteral("frame");
    if (qobject_cast<QRadioButton*>(o)) return QStringLiteral("option");
    if (qobject_cast<QCheckBox*>(o)) return QStringLiteral("check box");
    if (qobject_cast<QPushButton*>(o)) return QStringLiteral("button");
    if (qobject_cast<QLineEdit*>(o)) return QStringLiteral("text field");
    if (qobject_cast<QLabel*>(o)) return QStringLiteral("label");
    if (auto* f = qobject_cast<QFrame*>(o); f && f->frameShape() == QFrame::HLine) return QStringLiteral("line");
    return QStringLiteral("?");
}

QString legende(QObject* o)
{
    if (auto* g = qobject_cast<QGroupBox*>(o)) return g->title();
    if (auto* b = qobject_cast<QAbstractButton*>(o)) return b->text();
    if (auto* c = qobject_cast<QLineEdit*>(o)) return c->text();
    if (auto* l = qobject_cast<QLabel*>(o)) return l->text();
    return QString();
}

QString bulle(QObject* o)
{
    if (auto* w = qobject_cast<QWidget*>(o)) return w->toolTip();
    return QString();
}

QColor pixel(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

} // namespace

class TestControles : public QObject {
    Q_OBJECT

private:
    Form1* form1 = nullptr;
    frmAbout* apropos = nullptr;

    QObject* racine(const QString& nom)
    {
        if (nom == QLatin1String("Form1")) return form1;
        if (nom == QLatin1String("Form2")) return form1->form2();
        return apropos;
    }

private slots:
    void initTestCase()
    {
        prepareEnvironnement();
        form1 = new Form1(localeFrancaise());
        apropos = new frmAbout;
    }
    void cleanupTestCase()
    {
        delete apropos;
        delete form1;
    }

    void controles_data();
    void controles();
    void fenetres();
    void geometrie_data();
    void geometrie();
    void legendesVisibles();
    void ordreTabulation();
    void valeursInitiales();
    void policesEtCouleurs();
    void spinners();
    void dessinCoordonnees();
    void dessinPoints();
    void dessinPersistant();
};

void TestControles::controles_data()
{
    QTest::addColumn<QString>("fenetre");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("genre");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("bulle");

    auto ligne = [](const char* fen, const char* nom, const char* g, const QString& t, const QString& b = QString()) {
        QTest::addRow("%s.%s", fen, nom) << QString::fromLatin1(fen) << QString::fromLatin1(nom)
                                         << QString::fromLatin1(g) << t << b;
    };
    auto u = [](const char* s) { return QString::fromUtf8(s); };

    // Form1: top strip
    ligne("Form1", "Propos", "label", u("A &Propos"));
    ligne("Form1", "HelpCtx", "label", u("Ai&de"));
    ligne("Form1", "LabQuit", "label", u("&Quitter"));
    ligne("Form1", "Line1", "line", QString());
    ligne("Form1", "CMDialog", "common dialog", QString());
    // "Date et heure"
    ligne("Form1", "Frame1", "frame", u("Date et heure"), u("Permet d'écrire la date et de lancer le calcul"));
    ligne("Form1", "Label12", "label", u("A écrire sous la forme    Jour/Mois/Année   Heure:Minute:Seconde"));
    ligne("Form1", "Text1", "text field", QString(), u("Ecrire la date ici"));
    ligne("Form1", "CommandOk", "button", u("&OK"), u("Lancement du calcul"));
    ligne("Form1", "CommandMaint", "button", u("&Maintenant"), u("Affiche l'heure actuelle système"));
    ligne("Form1", "Label14", "label", u("Différence TU-TC:"));
    ligne("Form1", "Text3", "text field", u("0"));
    ligne("Form1", "UpDown2", "spinner", QString());
    ligne("Form1", "Label3", "label", u("Jour Julien:"));
    ligne("Form1", "jourjuli", "label", u("_____"));
    ligne("Form1", "Label4", "label", u("Date et Heure TU:"));
    ligne("Form1", "datetu", "label", u("____"));
    // "Modification"
    ligne("Form1", "Frame2", "frame", u("Modification"), u("Permet de modifier aisement la date "));
    ligne("Form1", "Optiongroup_0", "option", u("A&nnée"));
    ligne("Form1", "Optiongroup_1", "option", u("Moi&s"));
    ligne("Form1", "Optiongroup_2", "option", u("&Jour"));
    ligne("Form1", "Optiongroup_3", "option", u("&Heure"));
    ligne("Form1", "Optiongroup_4", "option", u("M&inute"));
    ligne("Form1", "Optiongroup_5", "option", u("Temps &Réel"));
    ligne("Form1", "Label1", "label", u("Valeur:"));
    ligne("Form1", "Text2", "text field", u("1"),
          u("Ecrire ici le NOMBRE de jours, d'heures, etc... à ajouter ou retrancher à l'heure courante  "));
    ligne("Form1", "UpDown1", "spinner", QString(), u("Permet de modifier la valeur"));
    ligne("Form1", "CommandAjou", "button", u("&Ajouter"), u("Incrémente la valeur de date"));
    ligne("Form1", "CommandRetr", "button", u("&Retrancher"), u("Décrémente la valeur de date"));
    ligne("Form1", "Label13", "label", u("Animation:"));
    ligne("Form1", "MA", "button", u("Marche"));
    ligne("Form1", "minuterie", "timer", QString());
    // "Informations"
    ligne("Form1", "Frame3", "frame", u("Informations"), u("Information générales sur Jupiter et ses Satellites"));
    ligne("Form1", "Label5", "label", u("Méridien central de Jupiter: Système I:"));
    ligne("Form1", "syst1", "label", u("_____"));
    ligne("Form1", "Label10", "label", QString(40, QLatin1Char(' ')) + u("Système II:"));
    ligne("Form1", "syst2", "label", u("_____"));
    ligne("Form1", "Label7", "label", u("Phénomènes remarquables:"));
    ligne("Form1", "Label6", "label", u("Io:"));
    ligne("Form1", "Label8", "label", u("Europe:"));
    ligne("Form1", "Label9", "label", u("Ganymède:"));
    ligne("Form1", "Label11", "label", u("Callisto:"));
    for (const QString& n : nomsPhenomenes()) {
        const bool six = n.endsWith(QLatin1String("Ec")) || n.endsWith(QLatin1String("Oc"));
        const QByteArray nom = n.toLatin1();
        ligne("Form1", nom.constData(), "label", six ? u("______") : u("_____"));
    }
    // The scene
    ligne("Form1", "Command1", "button", u("Animation dans Fenètre Réduite"));
    ligne("Form1", "CheckEW", "check box", u("Inversion Est-Ouest"));
    ligne("Form1", "CheckNS", "check box", u("Inversion Nord-Sud"));
    ligne("Form1", "Picture1", "picture area", QString());
    ligne("Form1", "TextH", "text field", u("SUD"));
    ligne("Form1", "TextB", "text field", u("NORD"));
    ligne("Form1", "TextG", "text field", u("OUEST"));
    ligne("Form1", "TextD", "text field", u("EST"));
    // Form2
    ligne("Form2", "Command1", "button", u("Agrandir"));
    ligne("Form2", "Check1", "check box", u("Inversion Est-Ouest"));
    ligne("Form2", "Check2", "check box", u("Invesion Nord-Sud"));
    ligne("Form2", "Picture2", "picture area", QString());
    ligne("Form2", "TextH", "text field", u("S"));
    ligne("Form2", "TextB", "text field", u("N"));
    ligne("Form2", "TextG", "text field", u("W"));
    ligne("Form2", "TextD", "text field", u("E"));
    // frmAbout
    ligne("frmAbout", "Label1", "label", u("ZENOLUNE"));
    ligne("frmAbout", "Label2", "label", u("Version Freeware 1.2"));
    ligne("frmAbout", "Label4", "label", u("Écrit pour les observateurs de Jupiter, d'après la théorie de Jean Meeus."));
    ligne("frmAbout", "Picture1", "picture area", QString());
    ligne("frmAbout", "Label5", "label", u("Ca, c'est moi..."));
    ligne("frmAbout", "Picture2", "picture area", QString(), u("Ca, c'est Jupiter..."));
    ligne("frmAbout", "Command1", "button", u("OK"));
}

void TestControles::controles()
{
    QFETCH(QString, fenetre);
    QFETCH(QString, nom);
    QFETCH(QString, genre);
    QFETCH(QString, texte);
    QFETCH(QString, bulle);

    const QList<QObject*> trouves = racine(fenetre)->findChildren<QObject*>(nom);
    QCOMPARE(trouves.size(), 1);
    QObject* o = trouves.first();
    QCOMPARE(::genre(o), genre);
    QCOMPARE(legende(o), texte);
    QCOMPARE(::bulle(o), bulle);
}

void TestControles::fenetres()
{
    QCOMPARE(form1->windowTitle(), QStringLiteral("Zenolune"));
    QCOMPARE(form1->form2()->windowTitle(), QStringLiteral("Zenolune"));
    QCOMPARE(apropos->windowTitle(), QStringLiteral("A Propos de Zenolune..."));
    QVERIFY(!form1->windowIcon().isNull());
    // Form2: a fixed tool window without minimise or maximise buttons.
    const Qt::WindowFlags f2 = form1->form2()->windowFlags();
    QCOMPARE(f2 & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(!(f2 & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(f2 & Qt::WindowMaximizeButtonHint));
    QCOMPARE(form1->form2()->minimumSize(), form1->form2()->maximumSize());
    QCOMPARE(form1->minimumSize(), form1->maximumSize());
    QVERIFY(apropos->testAttribute(Qt::WA_DeleteOnClose));
    // The six options are one group, each knows its index.
    for (int i = 0; i < 6; ++i) {
        auto* o = form1->findChild<QRadioButton*>(QStringLiteral("Optiongroup_%1").arg(i));
        QVERIFY(o);
        QCOMPARE(o->property("Index").toInt(), i);
        QVERIFY(o->autoExclusive());
        QCOMPARE(o->parentWidget()->objectName(), QStringLiteral("Frame2"));
    }
    // TextG stands inside the scene, the other directions on the window.
    QCOMPARE(form1->findChild<QWidget*>(QStringLiteral("TextG"))->parentWidget()->objectName(), QStringLiteral("Picture1"));
    QCOMPARE(form1->findChild<QWidget*>(QStringLiteral("TextD"))->parentWidget(), form1);
    // About's portrait carries its label.
    QCOMPARE(apropos->findChild<QWidget*>(QStringLiteral("Label5"))->parentWidget()->objectName(), QStringLiteral("Picture1"));
}

void TestControles::geometrie_data()
{
    QTest::addColumn<QString>("fenetre");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QRect>("place");   // pixels, in the container

    auto ligne = [](const char* fen, const char* nom, QRect r) {
        QTest::addRow("%s.%s", fen, nom) << QString::fromLatin1(fen) << QString::fromLatin1(nom) << r;
    };
    // twips / 15
    ligne("Form1", "Frame1", QRect(16, 32, 385, 145));
    ligne("Form1", "Frame2", QRect(16, 184, 385, 129));
    ligne("Form1", "Frame3", QRect(416, 32, 361, 245));
    ligne("Form1", "Line1", QRect(16, 24, 761, 1));
    ligne("Form1", "Label12", QRect(8, 16, 329, 17));
    ligne("Form1", "Text1", QRect(20, 40, 193, 19));
    ligne("Form1", "CommandMaint", QRect(276, 36, 89, 25));
    ligne("Form1", "CommandOk", QRect(276, 72, 89, 25));
    ligne("Form1", "Label14", QRect(48, 72, 93, 17));
    ligne("Form1", "Text3", QRect(144, 68, 21, 21));
    ligne("Form1", "jourjuli", QRect(96, 100, 137, 17));
    ligne("Form1", "datetu", QRect(144, 120, 209, 17));
    ligne("Form1", "Text2", QRect(60, 48, 36, 19));
    ligne("Form1", "CommandAjou", QRect(148, 48, 81, 25));
    ligne("Form1", "CommandRetr", QRect(264, 48, 81, 25));
    ligne("Form1", "Label13", QRect(8, 92, 53, 17));
    ligne("Form1", "MA", QRect(64, 88, 81, 21));
    ligne("Form1", "Label5", QRect(16, 16, 225, 17));
    ligne("Form1", "syst1", QRect(256, 16, 33, 17));
    ligne("Form1", "syst2", QRect(256, 32, 33, 17));
    ligne("Form1", "Command1", QRect(280, 268, 109, 33));
    ligne("Form1", "Picture1", QRect(16, 320, 761, 209));
    ligne("Form2", "Picture2", QRect(4, 24, 309, 85));
    ligne("frmAbout", "Picture1", QRect(12, 24, 97, 113));
    ligne("frmAbout", "Picture2", QRect(12, 24, 97, 113));
}

void TestControles::geometrie()
{
    QFETCH(QString, fenetre);
    QFETCH(QString, nom);
    QFETCH(QRect, place);
    auto* w = racine(fenetre)->findChild<QWidget*>(nom);
    QVERIFY(w);
    QCOMPARE(w->geometry(), place);
}

// Places given by their top-left corner, the client areas, and what the
// layout leaves to the program: the spinners against their fields, the
// option rows, the phenomenon table.
void TestControles::legendesVisibles()
{
    QCOMPARE(form1->size(), QSize(792, 540));
    QCOMPARE(form1->form2()->size(), QSize(315, 111));

    struct Coin { const char* nom; QPoint p; };
    const Coin coins[] = {
        {"Propos", {16, 4}}, {"HelpCtx", {84, 4}}, {"LabQuit", {140, 4}},
        {"Optiongroup_0", {24, 24}}, {"Optiongroup_1", {96, 24}}, {"Optiongroup_2", {168, 24}},
        {"Optiongroup_3", {240, 24}}, {"Optiongroup_4", {312, 24}}, {"Optiongroup_5", {156, 92}},
        {"Label1", {16, 52}}, {"Label3", {4, 100}}, {"Label4", {4, 120}}, {"Label10", {16, 32}}, {"Label7", {16, 48}},
        {"Label6", {16, 72}}, {"Label8", {16, 116}}, {"Label9", {16, 160}}, {"Label11", {16, 204}},
        {"InfoIoEc", {88, 72}}, {"InfoIoOc", {152, 72}}, {"InfoIoPa", {216, 72}}, {"InfoIoOm", {288, 72}},
        {"InfoCaliEc", {88, 204}}, {"InfoCaliOm", {288, 204}},
        {"CheckEW", {464, 284}}, {"CheckNS", {600, 284}},
    };
    for (const Coin& c : coins)
        QCOMPARE(form1->findChild<QWidget*>(QString::fromLatin1(c.nom))->pos(), c.p);
    QCOMPARE(form1->form2()->findChild<QWidget*>(QStringLiteral("Command1"))->pos(), QPoint(4, 4));

    for (auto [champ, fleches] : {std::pair{"Text3", "UpDown2"}, std::pair{"Text2", "UpDown1"}}) {
        const QRect c = form1->findChild<QWidget*>(QString::fromLatin1(champ))->geometry();
        const QRect f = form1->findChild<QWidget*>(QString::fromLatin1(fleches))->geometry();
        QCOMPARE(f.left(), c.right() + 1);
        QCOMPARE(f.top(), c.top());
        QCOMPARE(f.height(), c.height());
    }

    // Every caption fits its control (syst1 and syst2 clip their long numbers on purpose).
    const QList<QWidget*> tous = form1->findChildren<QWidget*>() + form1->form2()->findChildren<QWidget*>()
                                 + apropos->findChildren<QWidget*>();
    for (QWidget* w : tous) {
        if (w->objectName() == QLatin1String("Command1") && w->window() == form1)
            continue;   // wraps over two lines
        if (qobject_cast<QLabel*>(w) && !static_cast<QLabel*>(w)->wordWrap() && w->objectName() != QLatin1String("syst1")
            && w->objectName() != QLatin1String("syst2")) {
            QVERIFY2(w->sizeHint().width() <= w->width() + 1, qPrintable(w->objectName()));
        }
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && !qobject_cast<QToolButton*>(w)) {
            // Push buttons: the caption with a few pixels of bevel; the others: their whole size hint.
            const int texte = b->fontMetrics().horizontalAdvance(b->text().remove(QLatin1Char('&')));
            const bool tient = qobject_cast<QPushButton*>(w) ? texte <= w->width() - 6 : w->sizeHint().width() <= w->width() + 2;
            QVERIFY2(tient, qPrintable(w->objectName()));
        }
        if (auto* c = qobject_cast<QLineEdit*>(w); c && !c->text().isEmpty())
            QVERIFY2(c->fontMetrics().horizontalAdvance(c->text()) <= c->width() - 2, qPrintable(c->objectName()));
    }
    // The long caption of Command1 stands on two lines inside the button.
    auto* c1 = form1->findChild<QPushButton*>(QStringLiteral("Command1"));
    const QRect deux = c1->fontMetrics().boundingRect(QRect(0, 0, c1->width() - 8, 100), Qt::TextWordWrap, c1->text());
    QVERIFY(deux.height() <= c1->height() - 4);
}

void TestControles::ordreTabulation()
{
    const QStringList attendu = {
        "Optiongroup_0", "Optiongroup_1", "Optiongroup_2", "Optiongroup_3", "Optiongroup_4",
        "Text2", "CommandRetr", "CommandAjou", "CommandMaint", "CommandOk", "Text1", "Picture1", "UpDown1", "MA",
        "Optiongroup_5", "Text3", "UpDown2", "Command1", "CheckEW", "CheckNS", "TextG", "TextH", "TextB", "TextD"};
    QStringList chaine;
    QWidget* depart = form1->findChild<QWidget*>(attendu.first());
    QWidget* w = depart;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->window() == form1)
            chaine << w->objectName();
        w = w->nextInFocusChain();
    } while (w != depart && chaine.size() <= attendu.size());
    QCOMPARE(chaine, attendu);
    // The window opens with the focus in the option group, on the selected unit.
    QCOMPARE(form1->focusWidget(), form1->findChild<QWidget*>(QStringLiteral("Optiongroup_3")));
}

void TestControles::valeursInitiales()
{
    Banc b;
    QCOMPARE(b.texte("Text1"), QString());
    QCOMPARE(b.texte("Text3"), QStringLiteral("0"));
    QCOMPARE(b.texte("Text2"), QStringLiteral("1"));
    for (int i = 0; i < 6; ++i)
        QCOMPARE(b.f.findChild<QRadioButton*>(QStringLiteral("Optiongroup_%1").arg(i))->isChecked(), i == 3);
    QCOMPARE(b.f.timer()->interval(), 20);
    QVERIFY(!b.f.timer()->isActive());
    QCOMPARE(b.f.timer()->objectName(), QStringLiteral("minuterie"));
    QCOMPARE(b.f.intervalle(), QStringLiteral("h"));
    QVERIFY(!b.f.enMarche());
    QVERIFY(!b.w<QCheckBox>("CheckEW")->isChecked());
    QVERIFY(!b.w<QCheckBox>("CheckNS")->isChecked());
    QVERIFY(!b.f.form2Existe());   // created on first use only
    QVERIFY(!b.f.form2()->check1()->isChecked());
    QVERIFY(!b.f.form2()->check2()->isChecked());
    QVERIFY(b.f.form2()->isHidden());
    QVERIFY(b.w<ZoneDessin>("Picture1")->cercles().isEmpty());
    QVERIFY(b.f.form2()->picture2()->cercles().isEmpty());
    QCOMPARE(b.f.nombrePasses(), 0u);
    // The direction fields are labels: nothing can be typed into them.
    for (const char* n : {"TextH", "TextB", "TextG", "TextD"})
        QVERIFY(b.champ(n)->isReadOnly());
}

void TestControles::policesEtCouleurs()
{
    // Arial and MS Sans Serif stand as Liberation Sans, really installed.
    const QList<QWidget*> tous = form1->findChildren<QWidget*>() + form1->form2()->findChildren<QWidget*>()
                                 + apropos->findChildren<QWidget*>();
    for (QWidget* w : tous) {
        if (w->window() == form1 && qobject_cast<QToolButton*>(w))
            continue;
        QVERIFY2(QFontInfo(w->font()).family() == QLatin1String("Liberation Sans"), qPrintable(w->objectName()));
    }
    QCOMPARE(form1->findChild<QLabel*>(QStringLiteral("Label5"))->font().pixelSize(), 11);   // 8 points
    for (const char* n : {"TextH", "TextB", "TextG", "TextD"}) {
        const QFont g = form1->findChild<QLineEdit*>(QString::fromLatin1(n))->font();
        QVERIFY(g.bold());
        QCOMPARE(g.pixelSize(), 19);   // 14.25 points
        const QFont p = form1->form2()->findChild<QLineEdit*>(QString::fromLatin1(n))->font();
        QVERIFY(p.bold());
        QCOMPARE(p.pixelSize(), 13);   // 9.75 points
        for (QLineEdit* c : {form1->findChild<QLineEdit*>(QString::fromLatin1(n)),
                             form1->form2()->findChild<QLineEdit*>(QString::fromLatin1(n))}) {
            QVERIFY(!c->hasFrame());
            QCOMPARE(c->palette().color(QPalette::Base), QColor(0, 0, 0));
            QCOMPARE(c->palette().color(QPalette::Text), QColor(0, 0, 255));
        }
    }
    QCOMPARE(form1->findChild<QLineEdit*>(QStringLiteral("TextD"))->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QCOMPARE(form1->findChild<QLineEdit*>(QStringLiteral("TextG"))->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QCOMPARE(form1->findChild<QLineEdit*>(QStringLiteral("TextH"))->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(form1->findChild<QLineEdit*>(QStringLiteral("TextB"))->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QVERIFY(apropos->findChild<QLabel*>(QStringLiteral("Label1"))->font().bold());

    const struct { const char* nom; QColor c; } titres[] = {
        {"Label6", QColor(255, 0, 255)}, {"Label8", QColor(128, 255, 255)},
        {"Label9", QColor(0, 192, 0)}, {"Label11", QColor(255, 0, 0)}};
    for (const auto& t : titres)
        QCOMPARE(form1->findChild<QLabel*>(QString::fromLatin1(t.nom))->palette().color(QPalette::WindowText), t.c);

    // Label13 on light grey; MA's face green — as drawn on the screen.
    const QImage l13 = form1->findChild<QWidget*>(QStringLiteral("Label13"))->grab().toImage();
    QCOMPARE(pixel(l13, l13.width() - 2, l13.height() - 2), QColor(192, 192, 192));
    auto* ma = form1->findChild<QPushButton*>(QStringLiteral("MA"));
    const QImage face = ma->grab().toImage();
    QCOMPARE(pixel(face, 5, face.height() / 2), QColor(0, 255, 0));

    // Accelerators: the letter after & on buttons, options and the top-strip labels.
    QCOMPARE(form1->findChild<QPushButton*>(QStringLiteral("CommandOk"))->shortcut(), QKeySequence(Qt::ALT | Qt::Key_O));
    QCOMPARE(form1->findChild<QRadioButton*>(QStringLiteral("Optiongroup_0"))->shortcut(), QKeySequence(Qt::ALT | Qt::Key_N));
    QCOMPARE(QKeySequence::mnemonic(form1->findChild<QLabel*>(QStringLiteral("Propos"))->text()),
             QKeySequence(Qt::ALT | Qt::Key_P));
    QCOMPARE(form1->findChild<QLabel*>(QStringLiteral("Propos"))->buddy(), form1->findChild<QLabel*>(QStringLiteral("Propos")));
}

// The arrows move the number of the field and stop at the bounds; typing is free.
void TestControles::spinners()
{
    Banc b;
    QVERIFY(b.montre());
    auto* u1 = b.w<UpDown>("UpDown1");
    auto* u2 = b.w<UpDown>("UpDown2");
    QCOMPARE(u1->buddy(), b.champ("Text2"));
    QCOMPARE(u2->buddy(), b.champ("Text3"));
    QCOMPARE(std::pair(u1->minimum(), u1->maximum()), std::pair(-1000, 1000));
    QCOMPARE(std::pair(u2->minimum(), u2->maximum()), std::pair(-12, 12));
    QCOMPARE(u1->increment(), 1);
    QCOMPARE(u2->increment(), 1);

    // Mouse on the arrows.
    QTest::mouseClick(u2->findChild<QToolButton*>(QStringLiteral("haut")), Qt::LeftButton);
    QCOMPARE(b.texte("Text3"), QStringLiteral("1"));
    QTest::mouseClick(u2->findChild<QToolButton*>(QStringLiteral("bas")), Qt::LeftButton);
    QTest::mouseClick(u2->findChild<QToolButton*>(QStringLiteral("bas")), Qt::LeftButton);
    QCOMPARE(b.texte("Text3"), QStringLiteral("-1"));

    // Keyboard, at the bounds.
    b.tape("Text3", QStringLiteral("11"));
    u2->setFocus();
    QTest::keyClick(u2, Qt::Key_Up);
    QCOMPARE(b.texte("Text3"), QStringLiteral("12"));
    QTest::keyClick(u2, Qt::Key_Up);
    QCOMPARE(b.texte("Text3"), QStringLiteral("12"));
    b.tape("Text3", QStringLiteral("-12"));
    QTest::keyClick(u2, Qt::Key_Down);
    QCOMPARE(b.texte("Text3"), QStringLiteral("-12"));

    b.tape("Text2", QStringLiteral("999"));
    u1->stepUp();
    u1->stepUp();
    QCOMPARE(b.texte("Text2"), QStringLiteral("1000"));
    b.tape("Text2", QStringLiteral("-999"));
    u1->stepDown();
    u1->stepDown();
    QCOMPARE(b.texte("Text2"), QStringLiteral("-1000"));

    // Typing is never limited; the arrows bring a number beyond a bound back to it.
    b.tape("Text2", QStringLiteral("5000"));
    QCOMPARE(b.texte("Text2"), QStringLiteral("5000"));
    b.tape("Text3", QStringLiteral("-5,5"));
    QCOMPARE(b.texte("Text3"), QStringLiteral("-5,5"));
    u1->stepDown();
    QCOMPARE(b.texte("Text2"), QStringLiteral("1000"));
    // A fraction is rounded to the nearest whole number (halves to even) first.
    QTest::keyClick(u2, Qt::Key_Up);
    QCOMPARE(b.texte("Text3"), QStringLiteral("-5"));
    // A field that holds no number: the arrows start from their last position.
    b.tape("Text2", QStringLiteral("abc"));
    u1->stepUp();
    QCOMPARE(b.texte("Text2"), QStringLiteral("1000"));
    b.tape("Text2", QString());
    u1->stepDown();
    QCOMPARE(b.texte("Text2"), QStringLiteral("999"));
    QVERIFY(b.messages.isEmpty());
}

// User coordinates: origin at the centre, y down, the main scene 11356 x 3076
// units on 757 x 205 pixels inside the border.
void TestControles::dessinCoordonnees()
{
    ZoneDessin z;
    z.resize(761, 209);
    z.setEchelle(-5678, -1538, 11356, 3076);
    QCOMPARE(z.zoneInterieure(), QRect(2, 2, 757, 205));
    const qreal dpr = z.devicePixelRatioF();
    auto vers = [&](double x, double y) {   // device pixel of a user point
        return QPoint(int(std::floor((x + 5678) * 757 * dpr / 11356)), int(std::floor((y + 1538) * 205 * dpr / 3076)));
    };
    const struct { double x, y; QColor c; } points[] = {
        {0, 0, QColor(255, 0, 255)},        // centre
        {200, 0, QColor(41, 255, 255)},     // offset (1, 0) in the main scene
        {0, 100, QColor(200, 190, 44)},     // (0, 0.5)
        {5280, 0, QColor(255, 0, 0)},       // Callisto at 26.4 radii east
        {-5670, -1530, QColor(0, 255, 0)},  // top-left corner
    };
    z.setFillStyle(0);
    for (const auto& p : points) {
        z.setFillColor(p.c);
        z.Circle(p.x, p.y, 10, p.c);
    }
    const QImage im = z.image();
    for (const auto& p : points)
        QCOMPARE(QColor(im.pixel(vers(p.x, p.y))), p.c);
    QCOMPARE(z.cercles().size(), 5);
    QCOMPARE(z.cercles().at(1).x, 200.0);
    QCOMPARE(z.fillStyle(), 0);
    QCOMPARE(z.fillColor(), QColor(0, 255, 0));   // as the last disc left it

    // Beyond the field, or not a number: clipped, nothing breaks.
    const QImage avant = z.image();
    z.Circle(6000, 0, 16, Qt::white);
    z.Circle(-1e300, 1e300, 16, Qt::white);
    z.Circle(std::nan(""), 0, 10, Qt::white);
    QCOMPARE(z.image(), avant);

    // A transparent fill style leaves the inside of a large circle as it was.
    z.Cls();
    z.setFillStyle(1);
    z.Circle(0, 0, 600, Qt::white);   // 40 pixels of radius
    const QImage anneau = z.image();
    QCOMPARE(QColor(anneau.pixel(vers(0, 0))), QColor(0, 0, 0));
    QCOMPARE(QColor(anneau.pixel(vers(590, 0))), QColor(255, 255, 255));
}

// Markers of 8 to 16 units (about one pixel of radius) show as dots one to
// three pixels across, in their exact colour, wherever they fall.
void TestControles::dessinPoints()
{
    struct Scene { QSize taille; QRectF echelle; };
    const Scene scenes[] = {{{761, 209}, {-5678, -1538, 11356, 3076}}, {{309, 85}, {-2271, -615, 4542, 1230}}};
    for (const Scene& s : scenes) {
        ZoneDessin z;
        z.resize(s.taille);
        z.setEchelle(s.echelle.left(), s.echelle.top(), s.echelle.width(), s.echelle.height());
        const qreal dpr = z.devicePixelRatioF();
        const double pixel = s.echelle.width() / z.zoneInterieure().width();   // units per pixel
        for (int rayon : {8, 10, 14, 16}) {
            for (int i = 0; i < 6; ++i) {
                for (int j = 0; j < 6; ++j) {
                    const double x = 100 + pixel * i / 6.0, y = -40 + pixel * j / 6.0;
                    const QColor c(41, 255, 255);
                    z.Cls();
                    z.setFillStyle(0);
                    z.setFillColor(c);
                    z.Circle(x, y, rayon, c);
                    const QImage im = z.image();
                    QRect boite;
                    int compte = 0;
                    for (int py = 0; py < im.height(); ++py)
                        for (int px = 0; px < im.width(); ++px)
                            if (QColor(im.pixel(px, py)) == c) {
                                boite |= QRect(px, py, 1, 1);
                                ++compte;
                            }
                    const QString ou = QStringLiteral("rayon %1 en (%2, %3), %4 px").arg(rayon).arg(x).arg(y).arg(compte);
                    QVERIFY2(compte >= 1, qPrintable(ou));
                    QVERIFY2(boite.width() <= 3 * dpr && boite.height() <= 3 * dpr, qPrintable(ou));
                    QVERIFY2(boite.width() >= dpr || rayon * dpr / pixel < 1, qPrintable(ou));
                }
            }
        }
    }
}

// Drawings stay until cleared, whether the area is shown, hidden or never shown.
void TestControles::dessinPersistant()
{
    QWidget fenetre;
    fenetre.resize(400, 120);
    auto* z = new ZoneDessin(&fenetre);
    z->setGeometry(4, 24, 309, 85);
    z->setEchelle(-2271, -615, 4542, 1230);
    QImage fond(304, 83, QImage::Format_RGB32);
    fond.fill(QColor(10, 20, 30));
    z->setImageFond(fond);
    const QImage vide = z->image();

    const QColor c(255, 0, 255);
    z->setFillStyle(0);
    z->setFillColor(c);
    z->Circle(80, 40, 10, c);   // drawn while never shown
    auto present = [&](const QImage& im) {
        for (int py = 0; py < im.height(); ++py)
            for (int px = 0; px < im.width(); ++px)
                if (QColor(im.pixel(px, py)) == c)
                    return true;
        return false;
    };
    QVERIFY(present(z->grab().toImage()));
    fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
    QVERIFY(present(z->grab().toImage()));
    fenetre.hide();
    QVERIFY(present(z->image()));
    fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
    QVERIFY(present(z->grab().toImage()));
    // The background picture from the top-left corner, the rest of the area dark.
    const QImage vue = z->grab().toImage();
    const qreal dpr = vue.devicePixelRatio();
    QCOMPARE(QColor(vue.pixel(int(10 * dpr), int(10 * dpr))), QColor(10, 20, 30));
    QCOMPARE(QColor(vue.pixel(int(306 * dpr), int(50 * dpr))), QColor(0, 0, 0));

    z->Cls();
    QVERIFY(z->cercles().isEmpty());
    QCOMPARE(z->image(), vide);

    // A picture at twice the resolution: used, pixel for pixel, above one
    // device pixel per pixel; the ordinary one otherwise.
    QImage fondDouble(608, 166, QImage::Format_RGB32);
    fondDouble.fill(QColor(10, 20, 30));
    fondDouble.setPixel(1, 1, qRgb(200, 190, 44));
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("fond@2x.png"));
    QVERIFY(fondDouble.save(chemin));
    z->setImageFond(fond, chemin);
    const QImage net = z->image();
    QCOMPARE(QColor(net.pixel(1, 1)), dpr == 2.0 ? QColor(200, 190, 44) : QColor(10, 20, 30));
}

QTEST_MAIN(TestControles)
#include "test_controles.moc"
