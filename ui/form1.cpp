#include "form1.h"

#include "scene_frame.h"
#include "calendar.h"
#include "common_dialog.h"
#include "controles.h"
#include "erreur.h"
#include "fenetre_reduction.h"
#include "fenetregraphique.h"
#include "fenetrephenomenes.h"
#include "form2.h"
#include "frmabout.h"
#include "languagemenu.h"
#include "theory_menu.h"
#include "windowplacement.h"
#include "regional.h"
#include "shared_state.h"
#include "vocabulary.h"
#include "zonedessin.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>

QString Form1::documentAide_ = QStringLiteral(":/aide/zenolune.html");

void Form1::setDocumentAide(const QString& chemin)
{
    documentAide_ = chemin;
}

QString Form1::documentAide()
{
    return documentAide_;
}

namespace {

// Periods of the animation timer, in milliseconds.
constexpr int kDesignPeriodMs = 20;      // as the window opens, until the first tick
constexpr int kStepPeriodMs = 40;        // stepping the date: 25 passes a second
constexpr int kRealTimePeriodMs = 1000;  // following the clock

QLabel* etiquette(QWidget* parent, const char* nom, const QString& texte, const QRect& place)
{
    auto* l = new QLabel(texte, parent);
    l->setObjectName(QString::fromLatin1(nom));
    l->setGeometry(place);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

void couleurTexte(QLabel* l, const QColor& c)
{
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, c);
    l->setPalette(pal);
}

QPushButton* bouton(QWidget* parent, const char* nom, const QString& texte, const QString& bulle, const QRect& place)
{
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setToolTip(bulle);
    b->setGeometry(place);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* champ(QWidget* parent, const char* nom, const QString& texte, const QString& bulle, const QRect& place)
{
    auto* c = new QLineEdit(texte, parent);
    c->setObjectName(QString::fromLatin1(nom));
    c->setToolTip(bulle);
    c->setGeometry(place);
    c->setTextMargins(0, 0, 0, 0);
    return c;
}

} // namespace

Form1::Form1(const QLocale& locale, QWidget* parent)
    : QWidget(parent), locale_(locale), etat_(new SharedState(this)), calcul_(*this, locale)
{
    initialiseRessources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(tr("Zenolune"));
    setFont(policeFenetre(8));
    setFixedSize(twips(0, 0, 11880, 8100).size());
    messageErreur = [this](const QString& texte) {
        QWidget* dessus = isVisible() ? static_cast<QWidget*>(this)
                          : (form2_ && form2_->isVisible()) ? static_cast<QWidget*>(form2_.get())
                                                            : nullptr;
        QMessageBox::critical(dessus, tr("Zenolune"), texte);
    };
    horloge = [] { return QDateTime::currentDateTime(); };

    construitBandeau();
    construitFrame1();
    construitFrame2();
    construitFrame3();
    construitScene();
    ordreTabulation();
    construitTheorie();
    etat_->setOffsetText(Text3->text());
    connect(Text3, &QLineEdit::textChanged, etat_, &SharedState::setOffsetText);
    connect(etat_, &SharedState::theoryChanged, this, &Form1::theorieChangee);
    connect(etat_, &SharedState::showRequested, this, &Form1::montreInstant);
    construitLangue();

    for (int i = 0; i < zeno::kCaptionCount; ++i) {
        const auto c = static_cast<zeno::Caption>(i);
        if (c != zeno::Caption::Form2)
            etiquettes_[i] = findChild<QLabel*>(QString::fromLatin1(zeno::captionName(c)));
    }

    Form_Load();
}

Form1::~Form1()
{
    minuterie->stop();
    // Windows of their own (see fenetrePhenomenes), gone before the state they read.
    delete phenomenes_;
    delete graphique_;
}

void Form1::construitBandeau()
{
    Propos = new EtiquetteBouton(tr("A &Propos"), this);
    Propos->setObjectName(QStringLiteral("Propos"));
    Propos->setGeometry(twips(240, 60, 900, 255));
    HelpCtx = new EtiquetteBouton(tr("Ai&de"), this);
    HelpCtx->setObjectName(QStringLiteral("HelpCtx"));
    HelpCtx->setGeometry(twips(1260, 60, 735, 255));
    LabQuit = new EtiquetteBouton(tr("&Quitter"), this);
    LabQuit->setObjectName(QStringLiteral("LabQuit"));
    LabQuit->setGeometry(twips(2100, 60, 900, 255));

    Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Plain);
    Line1->setLineWidth(1);
    Line1->setGeometry(QRect(16, 24, 761, 1));   // (240, 360) to (11640, 360)
    QPalette pal = Line1->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    Line1->setPalette(pal);

    CMDialog = new DialogueCommun(this);
    CMDialog->setObjectName(QStringLiteral("CMDialog"));

    connect(Propos, &EtiquetteBouton::clicked, this, &Form1::Propos_Click);
    connect(HelpCtx, &EtiquetteBouton::clicked, this, &Form1::HelpCtx_Click);
    connect(LabQuit, &EtiquetteBouton::clicked, this, &Form1::LabQuit_Click);

    LabPhenomenes = new EtiquetteBouton(tr("Phénomèn&es"), this);
    LabPhenomenes->setObjectName(QStringLiteral("LabPhenomenes"));
    LabPhenomenes->setGeometry(twips(3120, 60, 1200, 255));
    LabPhenomenes->setToolTip(tr("Les phénomènes de la nuit prochaine et ce qui est observable depuis votre lieu"));
    connect(LabPhenomenes, &EtiquetteBouton::clicked, this, &Form1::LabPhenomenes_Click);

    LabGraphique = new EtiquetteBouton(tr("&Graphique"), this);
    LabGraphique->setObjectName(QStringLiteral("LabGraphique"));
    LabGraphique->setGeometry(twips(4440, 60, 1000, 255));
    LabGraphique->setToolTip(tr("Le mois d'un coup d'œil : les trajectoires des satellites, les nuits, "
                                "la Tache Rouge ; impression et PDF"));
    connect(LabGraphique, &EtiquetteBouton::clicked, this, &Form1::LabGraphique_Click);
}

void Form1::construitFrame1()
{
    Frame1 = new Cadre(tr("Date et heure"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setToolTip(tr("Permet d'écrire la date et de lancer le calcul"));
    Frame1->setGeometry(twips(240, 480, 5775, 2175));

    Label12 = etiquette(Frame1, "Label12",
                        tr("A écrire sous la forme    %1   Heure:Minute:Seconde").arg(zeno::dateFormText(locale_)),
                        twips(120, 240, 4935, 255));
    Text1 = champ(Frame1, "Text1", QString(), tr("Ecrire la date ici"), twips(300, 600, 2895, 285));
    CommandMaint = bouton(Frame1, "CommandMaint", tr("&Maintenant"),
                          tr("Affiche l'heure actuelle système"), twips(4140, 540, 1335, 375));
    CommandOk = bouton(Frame1, "CommandOk", tr("&OK"), tr("Lancement du calcul"),
                       twips(4140, 1080, 1335, 375));
    Label14 = etiquette(Frame1, "Label14", tr("Différence TU-TC:"), twips(720, 1080, 1395, 255));
    Text3 = champ(Frame1, "Text3", QStringLiteral("0"), QString(), twips(2160, 1020, 315, 315));
    Text3->setAlignment(Qt::AlignCenter);
    UpDown2 = new UpDown(Frame1);
    UpDown2->setObjectName(QStringLiteral("UpDown2"));
    UpDown2->setGeometry(twips(2475, 1020, 240, 315));   // at the right edge of Text3
    UpDown2->setRange(-12, 12);
    UpDown2->setIncrement(1);
    UpDown2->setBuddy(Text3, locale_);
    Label3 = etiquette(Frame1, "Label3", tr("Jour Julien:"), twips(60, 1500, 1215, 255));
    jourjuli = etiquette(Frame1, "jourjuli", QStringLiteral("_____"), twips(1440, 1500, 2055, 255));
    Label4 = etiquette(Frame1, "Label4", tr("Date et Heure TU:"), twips(60, 1800, 1935, 255));
    datetu = etiquette(Frame1, "datetu", QStringLiteral("____"), twips(2160, 1800, 3135, 255));

    connect(CommandMaint, &QPushButton::clicked, this, &Form1::CommandMaint_Click);
    connect(CommandOk, &QPushButton::clicked, this, &Form1::CommandOk_Click);
    // Enter in either field computes, as "&OK" does.
    connect(Text1, &QLineEdit::returnPressed, this, &Form1::CommandOk_Click);
    connect(Text3, &QLineEdit::returnPressed, this, &Form1::CommandOk_Click);
}

void Form1::construitFrame2()
{
    Frame2 = new Cadre(tr("Modification"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setToolTip(tr("Permet de modifier aisement la date "));
    Frame2->setGeometry(twips(240, 2760, 5775, 1935));

    static const char* const legendes[6] = {QT_TR_NOOP("A&nnée"), QT_TR_NOOP("Moi&s"),    QT_TR_NOOP("&Jour"),
                                            QT_TR_NOOP("&Heure"),  QT_TR_NOOP("M&inute"), QT_TR_NOOP("Temps &Réel")};
    for (int i = 0; i < 6; ++i) {
        auto* option = new QRadioButton(tr(legendes[i]), Frame2);
        option->setObjectName(QStringLiteral("Optiongroup_%1").arg(i));
        option->setProperty("Index", i);
        option->setGeometry(i < 5 ? twips(360 + 1080 * i, 360, 1035, 255) : twips(2340, 1380, 1500, 255));
        option->installEventFilter(this);
        Optiongroup[i] = option;
    }
    Optiongroup[3]->setChecked(true);

    Label1 = etiquette(Frame2, "Label1", tr("Valeur:"), twips(240, 780, 495, 255));
    Text2 = champ(Frame2, "Text2", QStringLiteral("1"),
                  tr("Ecrire ici le NOMBRE de jours, d'heures, etc... à ajouter ou retrancher à l'heure courante  "),
                  twips(900, 720, 540, 285));
    UpDown1 = new UpDown(Frame2);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown1->setToolTip(tr("Permet de modifier la valeur"));
    UpDown1->setGeometry(twips(1440, 720, 240, 285));   // at the right edge of Text2
    UpDown1->setRange(-1000, 1000);
    UpDown1->setIncrement(1);
    UpDown1->setBuddy(Text2, locale_);
    CommandAjou = bouton(Frame2, "CommandAjou", tr("&Ajouter"), tr("Incrémente la valeur de date"),
                         twips(2220, 720, 1215, 375));
    CommandRetr = bouton(Frame2, "CommandRetr", tr("&Retrancher"), tr("Décrémente la valeur de date"),
                         twips(3960, 720, 1215, 375));
    Label13 = etiquette(Frame2, "Label13", tr("Animation:"), twips(120, 1380, 795, 255));
    Label13->setAutoFillBackground(true);
    QPalette pal = Label13->palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    Label13->setPalette(pal);
    MA = new BoutonColore(tr("Marche"), Frame2);
    MA->setObjectName(QStringLiteral("MA"));
    MA->setGeometry(twips(960, 1320, 1215, 315));
    MA->setAutoDefault(false);
    MA->setCouleurFace(QColor(0, 255, 0));

    minuterie = new QTimer(this);
    minuterie->setObjectName(QStringLiteral("minuterie"));
    minuterie->setTimerType(Qt::PreciseTimer);
    minuterie->setInterval(kDesignPeriodMs);

    connect(CommandAjou, &QPushButton::clicked, this, &Form1::CommandAjou_Click);
    connect(CommandRetr, &QPushButton::clicked, this, &Form1::CommandRetr_Click);
    connect(MA, &QPushButton::clicked, this, &Form1::MA_Click);
    connect(minuterie, &QTimer::timeout, this, &Form1::minuterie_Timer);
}

void Form1::construitFrame3()
{
    Frame3 = new Cadre(tr("Informations"), this);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    Frame3->setToolTip(tr("Information générales sur Jupiter et ses Satellites"));
    Frame3->setGeometry(twips(6240, 480, 5415, 3675));

    Label5 = etiquette(Frame3, "Label5", tr("Méridien central de Jupiter: Système I:"), twips(240, 240, 3375, 255));
    syst1 = etiquette(Frame3, "syst1", QStringLiteral("_____"), twips(3840, 240, 495, 255));
    Label10 = etiquette(Frame3, "Label10", QString(40, QLatin1Char(' ')) + tr("Système II:"),
                        twips(240, 480, 3615, 255));
    // The forty spaces stand for "Méridien central de Jupiter: ", narrower in
    // this font: a left margin makes up the difference, so that "Système II:"
    // starts under "Système I:".
    {
        const QFontMetrics fm(Label10->font());
        const int ecart = fm.horizontalAdvance(tr("Méridien central de Jupiter: "))
                          - fm.horizontalAdvance(QString(40, QLatin1Char(' ')));
        Label10->setContentsMargins(qMax(0, ecart), 0, 0, 0);
    }
    syst2 = etiquette(Frame3, "syst2", QStringLiteral("_____"), twips(3840, 480, 495, 255));
    syst2->raise();
    Label7 = etiquette(Frame3, "Label7", tr("Phénomènes remarquables:"), twips(240, 720, 2535, 255));

    struct Ligne { const char* titre; const char* nom; const char* tige; int haut; QColor couleur; };
    const Ligne lignes[4] = {
        {QT_TR_NOOP("Io:"), "Label6", "Io", 1080, QColor(255, 0, 255)},
        {QT_TR_NOOP("Europe:"), "Label8", "Europe", 1740, QColor(128, 255, 255)},
        {QT_TR_NOOP("Ganymède:"), "Label9", "Gany", 2400, QColor(0, 192, 0)},
        {QT_TR_NOOP("Callisto:"), "Label11", "Cali", 3060, QColor(255, 0, 0)},
    };
    QLabel* titres[4] = {};
    for (int i = 0; i < 4; ++i) {
        const Ligne& l = lignes[i];
        titres[i] = etiquette(Frame3, l.nom, tr(l.titre), twips(240, l.haut, 1035, 255));
        couleurTexte(titres[i], l.couleur);
        // Columns: eclipse, occultation, transit, shadow transit.
        const struct { const char* genre; int gauche; const char* trait; } colonnes[4] = {
            {"Ec", 1320, "______"}, {"Oc", 2280, "______"}, {"Pa", 3240, "_____"}, {"Om", 4320, "_____"}};
        for (const auto& c : colonnes) {
            const QString nom = QStringLiteral("Info") + QLatin1String(l.tige) + QLatin1String(c.genre);
            etiquette(Frame3, nom.toLatin1().constData(), QString::fromLatin1(c.trait), twips(c.gauche, l.haut, 900, 255));
        }
    }
    Label6 = titres[0];
    Label8 = titres[1];
    Label9 = titres[2];
    Label11 = titres[3];
}

void Form1::construitScene()
{
    Command1 = new BoutonMultiligne(tr("Animation dans Fenètre Réduite"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twips(4200, 4020, 1635, 495));
    Command1->setAutoDefault(false);
    Command1->raise();

    CheckEW = new QCheckBox(tr("Inversion Est-Ouest"), this);
    CheckEW->setObjectName(QStringLiteral("CheckEW"));
    CheckEW->setGeometry(twips(6960, 4260, 1935, 255));
    CheckNS = new QCheckBox(tr("Inversion Nord-Sud"), this);
    CheckNS->setObjectName(QStringLiteral("CheckNS"));
    CheckNS->setGeometry(twips(9000, 4260, 1935, 255));

    Picture1 = new ZoneDessin(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twips(240, 4800, 11415, 3135));
    Picture1->setImageFond(QImage(QStringLiteral(":/images/fond_principal.png")),
                           QStringLiteral(":/images/fond_principal@2x.png"));
    Picture1->setEchelle(zeno::kMainRect.left, zeno::kMainRect.top, zeno::kMainRect.width, zeno::kMainRect.height);
    Picture1->setFocusPolicy(Qt::StrongFocus);

    // Directions around the scene; the side ones stand above the band where
    // the satellites move, so that they never hide one.
    const QFont lettres = policeFenetre(14.25, true);
    const QRect p = Picture1->geometry();
    const QRect i = Picture1->contentsRect();             // inside the border
    const int cx = p.left() + i.left() + i.width() / 2;   // in Form1
    TextH = champDirection(this, "TextH", tr("SUD"), lettres, Qt::AlignHCenter,
                           QRect(cx - 40, p.top() + i.top() + 1, 80, 24));
    TextB = champDirection(this, "TextB", tr("NORD"), lettres, Qt::AlignHCenter,
                           QRect(cx - 40, p.top() + i.bottom() - 24, 80, 24));
    TextG = champDirection(Picture1, "TextG", tr("OUEST"), lettres, Qt::AlignLeft,
                           QRect(i.left() + 4, i.top() + 36, 90, 24));
    TextD = champDirection(this, "TextD", tr("EST"), lettres, Qt::AlignRight,
                           QRect(p.left() + i.right() - 93, p.top() + i.top() + 36, 90, 24));

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(CheckEW, &QCheckBox::toggled, this, &Form1::CheckEW_Click);
    connect(CheckNS, &QCheckBox::toggled, this, &Form1::CheckNS_Click);
}

// At the right of the top strip. Reached by its accelerator or the mouse, not
// by Tab: the window's tab order stays the one it always had.
void Form1::construitTheorie()
{
    CheckTheorie = new QCheckBox(tr("&Théorie précise (L1.2)"), this);
    CheckTheorie->setObjectName(QStringLiteral("CheckTheorie"));
    CheckTheorie->setToolTip(tr(
        "Satellites L1.2, planètes VSOP87, temps de lumière, Jupiter aplati : horaires à quelques secondes"));
    CheckTheorie->setGeometry(twips(9000, 60, 2300, 255));
    CheckTheorie->setFocusPolicy(Qt::ClickFocus);
    connect(CheckTheorie, &QCheckBox::toggled, this, &Form1::CheckTheorie_Click);
    // Right after the box, a menu of the strip like "Langue / Language".
    LabTheorieL12 = new EtiquetteBouton(QStringLiteral("▾"), this);
    LabTheorieL12->setObjectName(QStringLiteral("LabTheorieL12"));
    LabTheorieL12->setGeometry(twips(11300, 60, 340, 255));
    LabTheorieL12->setToolTip(theorymenu::tip());
    MenuTheorieL12 = theorymenu::build(etat_, this);
    connect(LabTheorieL12, &EtiquetteBouton::clicked, this, &Form1::LabTheorieL12_Click);
    connect(etat_, &SharedState::l12CorrectedChanged, this, [this] {
        LabTheorieL12->setToolTip(theorymenu::tip());
        titreTheorie();
    });
}

void Form1::LabTheorieL12_Click()
{
    MenuTheorieL12->popup(LabTheorieL12->mapToGlobal(QPoint(0, LabTheorieL12->height())));
}

// In the top strip, between "&Graphique" and the theory box; like the
// latter, out of the tab order. Written in both languages so that anyone finds it.
void Form1::construitLangue()
{
    LabLangue = new EtiquetteBouton(tr("&Langue / Language"), this);
    LabLangue->setObjectName(QStringLiteral("LabLangue"));
    LabLangue->setGeometry(twips(5560, 60, 1800, 255));
    LabLangue->setToolTip(tr("Français ou anglais, au prochain démarrage / French or English, at the next start"));
    connect(LabLangue, &EtiquetteBouton::clicked, this, &Form1::LabLangue_Click);
}

void Form1::LabLangue_Click()
{
    languagemenu::popup(LabLangue);
}

void Form1::ordreTabulation()
{
    const QList<QWidget*> ordre = {
        Optiongroup[0], Optiongroup[1], Optiongroup[2], Optiongroup[3], Optiongroup[4],
        Text2, CommandRetr, CommandAjou, CommandMaint, CommandOk, Text1, Picture1, UpDown1, MA,
        Optiongroup[5], Text3, UpDown2, Command1, CheckEW, CheckNS, TextG, TextH, TextB, TextD};
    for (qsizetype k = 1; k < ordre.size(); ++k)
        setTabOrder(ordre[k - 1], ordre[k]);
    // The window opens with the focus in the option group, on the selected unit.
    Optiongroup[3]->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------------------
// zeno::Hote

Form2* Form1::form2()
{
    if (!form2_)
        form2_ = std::make_unique<Form2>(this);
    return form2_.get();
}

ZoneDessin* Form1::zone(zeno::Scene scene)
{
    return scene == zeno::Scene::Main ? Picture1 : form2()->picture2();
}

int Form1::flip(zeno::Flip which)
{
    switch (which) {
    case zeno::Flip::MainEW:
        return CheckEW->isChecked() ? 1 : 0;
    case zeno::Flip::MainNS:
        return CheckNS->isChecked() ? 1 : 0;
    case zeno::Flip::ReducedEW:
        return form2()->check1()->isChecked() ? 1 : 0;
    case zeno::Flip::ReducedNS:
        return form2()->check2()->isChecked() ? 1 : 0;
    }
    return 0;
}

void Form1::clearScene(zeno::Scene scene)
{
    zone(scene)->Cls();
    if (scene == zeno::Scene::Main)
        Picture1->setToolTip(QString());   // a marked pair's, gone with its ring
}

void Form1::drawDisc(zeno::Scene scene, float x, float y, float radius, zeno::Rgb colour)
{
    ZoneDessin* z = zone(scene);
    const QColor c(colour.red, colour.green, colour.blue);
    z->setFillStyle(0);
    z->setFillColor(c);
    z->Circle(x, y, radius, c);
}

void Form1::setCaption(zeno::Caption caption, const QString& text)
{
    if (caption == zeno::Caption::Form2) {
        form2()->setWindowTitle(text);
        return;
    }
    if (QLabel* l = etiquettes_[static_cast<int>(caption)]) {
        l->setText(static_cast<int>(caption) >= zeno::kFirstPhenomenonCaption ? zeno::shownWord(text) : text);
        // The meridians are clipped by their narrow labels: the whole value in a tooltip.
        if (caption == zeno::Caption::syst1 || caption == zeno::Caption::syst2)
            l->setToolTip(text);
    }
}

// ---------------------------------------------------------------------------
// Errors

template <class Travail> void Form1::protege(Travail&& travail)
{
    champErreur_.clear();
    try {
        travail();
    } catch (const zeno::ErreurExecution& erreur) {
        signaleErreur(erreur);
    }
}

void Form1::signaleErreur(const zeno::ErreurExecution& erreur)
{
    // Stop first: otherwise every tick would fail again behind the message.
    if (EnMarche)
        arreteAnimation();
    if (messageErreur)
        messageErreur(champErreur_.isEmpty() ? erreur.texte()
                                             : erreur.texte() + tr(" — champ « %1 »").arg(champErreur_));
}

template <class Lecture> auto Form1::lit(const QString& champ, Lecture&& lecture) const
{
    try {
        return lecture();
    } catch (const zeno::ErreurExecution&) {
        champErreur_ = champ;
        throw;
    }
}

void Form1::arreteAnimation()
{
    minuterie->stop();
    MA->setText(tr("Marche"));
    MA->setCouleurFace(QColor(0, 255, 0));
    EnMarche = false;
}

// ---------------------------------------------------------------------------
// Date entry and the computation pass

void Form1::Form_Load()
{
    minuterie->stop();
}

QString Form1::heureLocale() const
{
    const QDateTime maintenant = horloge();
    const QTime t = maintenant.time();
    // The clock's fields, zone-less, to the second.
    const QDateTime civile(maintenant.date(), QTime(t.hour(), t.minute(), t.second()), Qt::UTC);
    return zeno::dateTimeText(civile, locale_);
}

void Form1::CommandMaint_Click()
{
    Text1->setText(heureLocale());
}

void Form1::CommandOk_Click()
{
    protege([this] {
        Effacinfo();
        const QString texte = Text1->text();
        gregor_juli(texte);
        Parametres();
    });
}

void Form1::Effacinfo()
{
    calcul_.Effacinfo();
}

void Form1::gregor_juli(const QString& dateText)
{
    // Both texts are read first; a readable date that the offset carries out
    // of the supported years is the offset's fault.
    lit(tr("Différence TU-TC"), [this] { return zeno::readNumber(Text3->text(), locale_); });
    lit(tr("Date"), [&] { return zeno::readDateTime(dateText, locale_); });
    lit(tr("Différence TU-TC"), [&] { calcul_.gregor_juli(dateText, Text3->text()); });
}

void Form1::Parametres()
{
    calcul_.Parametres();
    ++passes_;
    if (calcul_.theorie() == zeno::Theory::Precise)
        titreTheorie();
}

// The next pass's theory; the title says which, and warns outside its years.
void Form1::CheckTheorie_Click()
{
    etat_->setTheory(CheckTheorie->isChecked() ? zeno::Theory::Precise : zeno::Theory::Original);
}

void Form1::theorieChangee(zeno::Theory theorie)
{
    if (CheckTheorie->isChecked() != (theorie == zeno::Theory::Precise)) {
        const QSignalBlocker bloque(CheckTheorie);
        CheckTheorie->setChecked(theorie == zeno::Theory::Precise);
    }
    calcul_.setTheorie(theorie);
    titreTheorie();
}

void Form1::titreTheorie()
{
    if (calcul_.theorie() == zeno::Theory::Original) {
        setWindowTitle(tr("Zenolune"));
        return;
    }
    QString titre = tr("Zenolune — théorie précise, %1").arg(zeno::l12TheoryName());
    if (calcul_.recordModerne().JD != 0 && calcul_.recordModerne().horsValidite)
        titre += tr(" — date hors de %1 : précision réduite").arg(zeno::fittedYearsText());
    setWindowTitle(titre);
}

// ---------------------------------------------------------------------------
// Stepping and animation

void Form1::OptionGroup_GotFocus(int Index)
{
    switch (Index) {
    case 0: Intervalle = QStringLiteral("yyyy"); break;
    case 1: Intervalle = QStringLiteral("m"); break;
    case 2: Intervalle = QStringLiteral("d"); break;
    case 3: Intervalle = QStringLiteral("h"); break;
    case 4: Intervalle = QStringLiteral("n"); break;
    case 5:
        Intervalle = QStringLiteral("s");
        minuterie->setInterval(kRealTimePeriodMs);   // running or not, as it was
        Text2->setText(QStringLiteral("1"));
        break;
    default:
        break;
    }
}

bool Form1::eventFilter(QObject* objet, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        // A gain of focus inside the window (click, Tab, arrows), not the
        // window itself coming back to the front or a menu closing.
        const auto raison = static_cast<QFocusEvent*>(event)->reason();
        auto* option = qobject_cast<QRadioButton*>(objet);
        if (option && option->parent() == Frame2 && raison != Qt::ActiveWindowFocusReason
            && raison != Qt::PopupFocusReason)
            OptionGroup_GotFocus(option->property("Index").toInt());
    }
    return QWidget::eventFilter(objet, event);
}

// The date of Text1 moved by the amount of Text2 in the unit Intervalle.
QString Form1::dateSuivante(bool retrancher) const
{
    const QString texte = Text1->text();
    const std::int16_t nombre =
        lit(tr("Valeur"), [&] { return zeno::stepCount(Text2->text(), retrancher, locale_); });
    const QDateTime date = lit(tr("Date"), [&] { return zeno::readDateTime(texte, locale_); });
    const QDateTime suivante = lit(tr("Date"), [&] {
        return zeno::addUnits(date, zeno::stepUnitFromCode(Intervalle), nombre);
    });
    return zeno::dateTimeText(suivante, locale_);
}

// Writes the new date into Text1 and computes it. Text1 changes only once
// gregor_juli has accepted the date with the offset, so that a failure leaves
// the date field as it was.
void Form1::calculeDate(const QString& date)
{
    gregor_juli(date);
    Text1->setText(date);
    Parametres();
}

void Form1::pas(bool retrancher)
{
    Effacinfo();
    calculeDate(dateSuivante(retrancher));
}

void Form1::CommandAjou_Click()
{
    protege([this] { pas(false); });
}

void Form1::CommandRetr_Click()
{
    protege([this] { pas(true); });
}

void Form1::MA_Click()
{
    if (EnMarche) {
        arreteAnimation();
        return;
    }
    minuterie->start();
    MA->setText(tr("Arrêt"));
    MA->setCouleurFace(QColor(255, 0, 0));
    EnMarche = true;
}

void Form1::minuterie_Timer()
{
    protege([this] {
        Effacinfo();
        if (Optiongroup[5]->isChecked()) {
            if (minuterie->interval() != kRealTimePeriodMs)
                minuterie->setInterval(kRealTimePeriodMs);
            Text2->setText(QStringLiteral("1"));
            calculeDate(heureLocale());
        } else {
            if (minuterie->interval() != kStepPeriodMs)
                minuterie->setInterval(kStepPeriodMs);
            calculeDate(dateSuivante(false));
        }
    });
}

// ---------------------------------------------------------------------------
// Orientation and the reduced view

void Form1::CheckNS_Click()
{
    if (CheckNS->isChecked()) {
        TextH->setText(tr("NORD"));
        TextB->setText(tr("SUD"));
    } else {
        TextH->setText(tr("SUD"));
        TextB->setText(tr("NORD"));
    }
}

void Form1::CheckEW_Click()
{
    if (CheckEW->isChecked()) {
        TextG->setText(tr("EST"));
        TextD->setText(tr("OUEST"));
    } else {
        TextG->setText(tr("OUEST"));
        TextD->setText(tr("EST"));
    }
}

void Form1::Command1_Click()
{
    hide();   // the timer goes on
    Form2* reduite = form2();
    reduite->exec();   // modal, no owner; returns once "Agrandir" has hidden it
}

// ---------------------------------------------------------------------------
// About, help and quit

void Form1::Propos_Click()
{
    auto* apropos = new frmAbout;   // no owner; destroyed when closed
    apropos->exec();
}

void Form1::HelpCtx_Click()
{
    // Whatever goes wrong with the help stays silent.
    try {
        CMDialog->setHelpFile(documentAide());
        CMDialog->setHelpCommand(DialogueCommun::AideSommaire);
        CMDialog->ShowHelp();
    } catch (...) {
    }
}

void Form1::LabPhenomenes_Click()
{
    FenetrePhenomenes* f = fenetrePhenomenes();
    f->show();
    f->raise();
    f->activateWindow();
}

void Form1::LabGraphique_Click()
{
    FenetreGraphique* f = fenetreGraphique();
    f->show();
    f->raise();
    f->activateWindow();
}

FenetreGraphique* Form1::fenetreGraphique()
{
    if (graphique_)
        return graphique_;
    // No parent: a window owned by this one would be kept in front of it by
    // the window manager, and a jump could not bring this one forward.
    graphique_ = new FenetreGraphique(etat_, locale_);   // deleted with this window
    windowplacement::track(graphique_, QStringLiteral("graphique/geometrie"));
    graphique_->setInversionEstOuest(CheckEW->isChecked());
    connect(CheckEW, &QCheckBox::toggled, graphique_, &FenetreGraphique::setInversionEstOuest);
    // A click on the chart: that instant in the civil time of the offset, then "&OK".
    connect(graphique_, &FenetreGraphique::allerA, this, [this](const QDateTime& ut) { etat_->requestShowUt(ut, 0, locale_); });
    return graphique_;
}

FenetrePhenomenes* Form1::fenetrePhenomenes()
{
    if (!phenomenes_) {
        phenomenes_ = new FenetrePhenomenes(etat_, locale_);   // as the chart: no parent, deleted with this window
        windowplacement::track(phenomenes_, QStringLiteral("phenomenes/geometrie"));
        // A mutual event's discs are drawn as the picture is.
        const auto inversions = [this] { phenomenes_->setInversions(CheckEW->isChecked(), CheckNS->isChecked()); };
        inversions();
        connect(CheckEW, &QCheckBox::toggled, phenomenes_, inversions);
        connect(CheckNS, &QCheckBox::toggled, phenomenes_, inversions);
        connect(phenomenes_, &FenetrePhenomenes::reductionDemandee, this, [this](const zeno::MutualEvent& ev) {
            auto* f = new FenetreReduction(locale_, this, ev, etat_);
            f->setAttribute(Qt::WA_DeleteOnClose);
            f->show();
        });
        connect(phenomenes_, &FenetrePhenomenes::reductionApproximationDemandee, this, [this](const zeno::Approximation& a) {
            auto* f = new FenetreReduction(locale_, this);
            f->setApproximation(a);
            f->setAttribute(Qt::WA_DeleteOnClose);
            f->show();
        });
    }
    return phenomenes_;
}

void Form1::montreInstant(const ShowRequest& demande)
{
    // Jumping to an instant ends the animation, which would carry the date away.
    if (EnMarche)
        arreteAnimation();
    try {
        Text1->setText(zeno::dateTimeText(demande.at.civil(), locale_));
    } catch (const zeno::ErreurExecution&) {
        return;   // no civil time in the supported years: nothing to show
    }
    if (demande.setsOffset)
        Text3->setText(zeno::numberText(demande.at.offsetHours, locale_));
    const quint64 avant = passes_;
    CommandOk_Click();
    if (passes_ != avant && demande.mark.any())
        marquePaire(demande.mark.first, demande.mark.second);
    // Asked from another window: this one comes in front of it.
    QWidget* devant = !isVisible() && form2_ && form2_->isVisible() ? static_cast<QWidget*>(form2_.get()) : this;
    devant->raise();
    devant->activateWindow();
}

// A ring round each satellite of a mutual event in the main scene (an
// eclipse's pair may stand far apart in the sky); the next pass clears them.
void Form1::marquePaire(int a, int b)
{
    constexpr double kRayonAnneau = 120;   // scene units (1/15 pixel): 8 pixels
    Picture1->setFillStyle(1);
    for (const int k : {a, b}) {
        const auto xy = calcul_.offsets(k);
        const zeno::ScenePoint p = zeno::scenePointOf(*this, zeno::Scene::Main, xy[0], xy[1]);
        Picture1->Circle(p.x, p.y, kRayonAnneau, Qt::white);
    }
    Picture1->setToolTip(tr("Entouré : %1 et %2, le couple du phénomène mutuel choisi")
                             .arg(zeno::satelliteDisplayName(a), zeno::satelliteDisplayName(b)));
}

void Form1::LabQuit_Click()
{
    minuterie->stop();
    if (phenomenes_)
        phenomenes_->close();
    if (graphique_)
        graphique_->close();
    const QList<QWidget*> fenetres = QApplication::topLevelWidgets();
    for (QWidget* f : fenetres) {
        if (f != this && f->isVisible() && qobject_cast<frmAbout*>(f))
            f->close();
    }
    if (form2_)
        form2_->hide();   // ends its modal showing without bringing this window back
    if (CMDialog->fenetreAide())
        CMDialog->fenetreAide()->close();
    hide();
    QCoreApplication::exit(0);   // at once, nested loops of modal windows included
}

void Form1::closeEvent(QCloseEvent* event)
{
    // The frame's close button ends the program, as "&Quitter" does.
    event->accept();
    LabQuit_Click();
}
