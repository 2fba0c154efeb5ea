#include "controles.h"

#include "erreur.h"
#include "regional.h"

#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QShortcutEvent>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QToolButton>

#include <cmath>
#include <stdexcept>

static void chargeRessources()
{
    Q_INIT_RESOURCE(zenolune);
}

void initialiseRessources()
{
    chargeRessources();
    // Every window, dialogs and message boxes included, wears the program's icon.
    if (QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(iconeProgramme());
}

QIcon iconeProgramme()
{
    chargeRessources();
    // The window manager gets every size of the icon at each window's
    // creation: the small ones suffice there (menus and docks take the
    // installed theme icon).
    QIcon icone;
    for (int taille : {16, 32, 48})
        icone.addFile(QStringLiteral(":/icones/zenolune-%1.png").arg(taille), QSize(taille, taille));
    return icone;
}

QFont policeFenetre(double points, bool gras)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(qRound(points * 96.0 / 72.0));
    f.setBold(gras);
    return f;
}

QRect twips(int gauche, int haut, int largeur, int hauteur)
{
    return QRect(qRound(gauche / 15.0), qRound(haut / 15.0), qRound(largeur / 15.0), qRound(hauteur / 15.0));
}

QLineEdit* champDirection(QWidget* parent, const char* nom, const QString& texte, const QFont& police,
                          Qt::Alignment alignement, const QRect& place)
{
    auto* champ = new QLineEdit(texte, parent);
    champ->setObjectName(QString::fromLatin1(nom));
    champ->setFrame(false);
    champ->setReadOnly(true);
    champ->setFont(police);
    champ->setAlignment(alignement | Qt::AlignVCenter);
    champ->setTextMargins(0, 0, 0, 0);
    champ->setContextMenuPolicy(Qt::NoContextMenu);
    QPalette pal = champ->palette();
    for (auto groupe : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(groupe, QPalette::Base, Qt::black);
        pal.setColor(groupe, QPalette::Window, Qt::black);
        pal.setColor(groupe, QPalette::Text, QColor(0, 0, 255));
    }
    champ->setPalette(pal);
    champ->setGeometry(place);
    return champ;
}

// ---------------------------------------------------------------------------

Cadre::Cadre(const QString& titre, QWidget* parent) : QGroupBox(titre, parent) {}

void Cadre::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QFontMetrics fm(font());
    const int haut = fm.height() / 2;
    const QRect bord = rect().adjusted(0, haut, -2, -2);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(bord);
    p.setPen(palette().color(QPalette::Light));
    p.drawRect(bord.translated(1, 1));
    const QRect zoneTitre(7, 0, fm.horizontalAdvance(title()) + 4, fm.height());
    p.fillRect(zoneTitre, palette().window());
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(zoneTitre, Qt::AlignCenter, title());
}

// ---------------------------------------------------------------------------

EtiquetteBouton::EtiquetteBouton(const QString& texte, QWidget* parent) : QLabel(texte, parent)
{
    // Being its own buddy makes the label underline its letter and grab Alt + letter.
    setBuddy(this);
    setFocusPolicy(Qt::NoFocus);
}

bool EtiquetteBouton::event(QEvent* e)
{
    if (e->type() == QEvent::Shortcut) {
        emit clicked();
        return true;
    }
    return QLabel::event(e);
}

void EtiquetteBouton::mousePressEvent(QMouseEvent* e)
{
    pressee_ = e->button() == Qt::LeftButton;
    QLabel::mousePressEvent(e);
}

void EtiquetteBouton::mouseReleaseEvent(QMouseEvent* e)
{
    const bool clic = pressee_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    pressee_ = false;
    QLabel::mouseReleaseEvent(e);
    if (clic)
        emit clicked();
}

// ---------------------------------------------------------------------------

BoutonMultiligne::BoutonMultiligne(const QString& texte, QWidget* parent) : QPushButton(texte, parent) {}

void BoutonMultiligne::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const QString legende = opt.text;
    opt.text.clear();
    p.drawControl(QStyle::CE_PushButton, opt);
    opt.text = legende;
    const QRect zone = style()->subElementRect(QStyle::SE_PushButtonContents, &opt, this).adjusted(2, 0, -2, 0);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(zone, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, legende);
}

// ---------------------------------------------------------------------------

BoutonColore::BoutonColore(const QString& texte, QWidget* parent) : QPushButton(texte, parent) {}

void BoutonColore::setCouleurFace(const QColor& couleur)
{
    face_ = couleur;
    const QString c = couleur.name();
    setStyleSheet(QStringLiteral(
        "QPushButton { background-color: %1; color: black; border: 2px outset %2; }"
        "QPushButton:pressed { border-style: inset; }"
        "QPushButton:focus { outline: none; border-color: %3; }")
                      .arg(c, couleur.lighter(120).name(), couleur.darker(160).name()));
}

// ---------------------------------------------------------------------------

UpDown::UpDown(QWidget* parent) : QWidget(parent), haut_(new QToolButton(this)), bas_(new QToolButton(this))
{
    setFocusPolicy(Qt::StrongFocus);
    for (QToolButton* b : {haut_, bas_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        b->setAutoRepeatDelay(400);
        b->setAutoRepeatInterval(60);
        b->setIconSize(QSize(7, 5));
    }
    haut_->setArrowType(Qt::UpArrow);
    bas_->setArrowType(Qt::DownArrow);
    haut_->setObjectName(QStringLiteral("haut"));
    bas_->setObjectName(QStringLiteral("bas"));
    connect(haut_, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(bas_, &QToolButton::clicked, this, &UpDown::stepDown);
}

void UpDown::setBuddy(QLineEdit* champ, const QLocale& locale)
{
    champ_ = champ;
    locale_ = locale;
    try {
        valeur_ = qBound(min_, int(std::nearbyint(zeno::readNumber(champ->text(), locale_))), max_);
    } catch (const zeno::ErreurExecution&) {
        valeur_ = qBound(min_, 0, max_);
    }
}

void UpDown::setRange(int minimum, int maximum)
{
    min_ = minimum;
    max_ = maximum;
    valeur_ = qBound(min_, valeur_, max_);
}

void UpDown::deplace(int sens)
{
    // Start from the number typed in the field (rounded to a whole one, halves
    // to even); a text that is no number leaves the last position.
    if (champ_) {
        try {
            const double lu = zeno::readNumber(champ_->text(), locale_);
            valeur_ = int(std::nearbyint(std::clamp(lu, double(min_) - 1.0, double(max_) + 1.0)));
        } catch (const zeno::ErreurExecution&) {
        }
    }
    const int nouvelle = qBound(min_, valeur_ + sens * increment_, max_);
    valeur_ = nouvelle;
    if (champ_) {
        const QString texte = zeno::numberText(nouvelle, locale_);
        if (champ_->text() != texte)
            champ_->setText(texte);
    }
    emit valueChanged(valeur_);
}

void UpDown::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Up:
        stepUp();
        break;
    case Qt::Key_Down:
        stepDown();
        break;
    default:
        QWidget::keyPressEvent(e);
    }
}

void UpDown::paintEvent(QPaintEvent*)
{
    if (!hasFocus())
        return;
    QPainter p(this);
    QPen pen(palette().color(QPalette::Highlight));
    pen.setStyle(Qt::DotLine);
    p.setPen(pen);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void UpDown::resizeEvent(QResizeEvent*)
{
    const int moitie = height() / 2;
    haut_->setGeometry(0, 0, width(), moitie);
    bas_->setGeometry(0, moitie, width(), height() - moitie);
}
