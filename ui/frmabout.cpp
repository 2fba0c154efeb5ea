#include "frmabout.h"

#include "controles.h"
#include "zonedessin.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint)
{
    initialiseRessources();
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("A Propos de Zenolune..."));
    setFont(policeFenetre(8));
    setFixedSize(twips(0, 0, 6600, 3000).size());

    Label1 = new QLabel(tr("ZENOLUNE"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(policeFenetre(20, true));
    Label1->setGeometry(twips(1980, 300, 4320, 555));

    Label2 = new QLabel(tr("Version Freeware 1.2"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(twips(1980, 870, 4320, 255));

    Label3 = new QLabel(tr("Position des quatre satellites galiléens de Jupiter, leurs éclipses, "
                                       "occultations, passages et ombres, et les méridiens centraux "
                                       "de la planète, pour une date et une heure quelconques."),
                        this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setWordWrap(true);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label3->setGeometry(twips(1980, 1200, 4320, 765));

    Label4 = new QLabel(tr("Écrit pour les observateurs de Jupiter, d'après la théorie de Jean Meeus."), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setWordWrap(true);
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label4->setGeometry(twips(1980, 2040, 4320, 450));

    Picture1 = new ZoneDessin(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twips(180, 360, 1455, 1695));
    Picture1->setImageFond(QImage(QStringLiteral(":/images/portrait.png")));

    Label5 = new QLabel(tr("Ca, c'est moi..."), Picture1);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setAlignment(Qt::AlignCenter);
    Label5->setGeometry(2, Picture1->height() - 18, Picture1->width() - 4, 16);
    QPalette pal = Label5->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    Label5->setPalette(pal);
    Label5->setAttribute(Qt::WA_TransparentForMouseEvents);

    Picture2 = new ZoneDessin(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setGeometry(twips(180, 360, 1455, 1695));
    Picture2->setImageFond(QImage(QStringLiteral(":/images/jupiter.png")));
    Picture2->setToolTip(tr("Ca, c'est Jupiter..."));
    Picture2->raise();   // the photograph of Jupiter in front

    Command1 = new QPushButton(tr("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twips(5100, 2520, 1215, 375));
    Command1->setDefault(true);

    connect(Command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);
    connect(Picture1, &ZoneDessin::clicked, this, &frmAbout::Picture1_Click);
    connect(Picture2, &ZoneDessin::clicked, this, &frmAbout::Picture2_Click);
}

void frmAbout::Command1_Click()
{
    close();   // destroys the window and ends its modal showing
}

void frmAbout::Picture1_Click()
{
    Picture1->setVisible(false);
    Picture2->setVisible(true);
}

void frmAbout::Picture2_Click()
{
    Picture2->setVisible(false);
    Picture1->setVisible(true);
}
