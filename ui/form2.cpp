#include "form2.h"

#include "scene_frame.h"
#include "controles.h"
#include "zonedessin.h"

#include <QCheckBox>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>

Form2::Form2(QWidget* principale)
    : QDialog(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                           | Qt::MSWindowsFixedSizeDialogHint),
      principale_(principale)
{
    initialiseRessources();
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr("Zenolune"));
    setFont(policeFenetre(8));
    setFixedSize(twips(0, 0, 4725, 1665).size());

    Command1 = new QPushButton(tr("Agrandir"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twips(60, 60, 915, 285));
    Command1->setAutoDefault(false);

    Check1 = new QCheckBox(tr("Inversion Est-Ouest"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(twips(1020, 60, 1830, 285));
    Check2 = new QCheckBox(tr("Invesion Nord-Sud"), this);
    Check2->setObjectName(QStringLiteral("Check2"));
    Check2->setGeometry(twips(2880, 60, 1770, 285));

    Picture2 = new ZoneDessin(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setGeometry(twips(60, 360, 4635, 1275));
    Picture2->setImageFond(QImage(QStringLiteral(":/images/fond_reduit.png")),
                           QStringLiteral(":/images/fond_reduit@2x.png"));
    Picture2->setEchelle(zeno::kReducedRect.left, zeno::kReducedRect.top, zeno::kReducedRect.width,
                         zeno::kReducedRect.height);
    Picture2->setFocusPolicy(Qt::NoFocus);

    // One-letter directions inside the scene, clear of the band where the
    // satellites move (a few pixels around the equator).
    const QFont lettres = policeFenetre(9.75, true);
    const QRect i = Picture2->contentsRect();
    const int cx = i.left() + i.width() / 2;
    TextH = champDirection(Picture2, "TextH", tr("S"), lettres, Qt::AlignHCenter,
                           QRect(cx - 8, i.top() + 1, 16, 16));
    TextB = champDirection(Picture2, "TextB", tr("N"), lettres, Qt::AlignHCenter,
                           QRect(cx - 8, i.bottom() - 16, 16, 16));
    TextG = champDirection(Picture2, "TextG", tr("W"), lettres, Qt::AlignLeft,
                           QRect(i.left() + 2, i.top() + 1, 18, 16));
    TextD = champDirection(Picture2, "TextD", tr("E"), lettres, Qt::AlignRight,
                           QRect(i.right() - 19, i.top() + 1, 18, 16));
    for (QLineEdit* c : {TextH, TextB, TextG, TextD})
        c->setFocusPolicy(Qt::NoFocus);

    setTabOrder(Command1, Check1);
    setTabOrder(Check1, Check2);

    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Check1, &QCheckBox::toggled, this, &Form2::Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, &Form2::Check2_Click);
}

void Form2::Command1_Click()
{
    hide();   // ends the modal showing begun by the main window
    if (principale_) {
        principale_->show();
        principale_->raise();
        principale_->activateWindow();
    }
}

void Form2::reject()
{
    Command1_Click();
}

void Form2::Check1_Click()
{
    if (Check1->isChecked()) {
        TextG->setText(tr("E"));
        TextD->setText(tr("W"));
    } else {
        TextG->setText(tr("W"));
        TextD->setText(tr("E"));
    }
}

void Form2::Check2_Click()
{
    if (Check2->isChecked()) {
        TextH->setText(tr("N"));
        TextB->setText(tr("S"));
    } else {
        TextH->setText(tr("S"));
        TextB->setText(tr("N"));
    }
}
