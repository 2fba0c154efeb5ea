// The small controls the windows are made of, beyond Qt's own.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QWidget>


class QIcon;
class QToolButton;

// Makes the pictures and the help document built into the program available,
// and gives the application its icon (the same on every window).
void initialiseRessources();
// The program's icon, drawn from packaging/icons/zenolune.svg.
QIcon iconeProgramme();

// Fonts are given in points at 96 dots per inch and set in pixels, so the
// captions fit the places of the layout whatever the screen's resolution.
// Arial and MS Sans Serif both stand as Liberation Sans (same metrics as Arial).
QFont policeFenetre(double points, bool gras = false);

// Pixels from twips (15 twips to a pixel).
QRect twips(int gauche, int haut, int largeur, int hauteur);

// A text field used as a label for a direction around a scene: no border,
// blue letters on black, read only.
QLineEdit* champDirection(QWidget* parent, const char* nom, const QString& texte, const QFont& police,
                          Qt::Alignment alignement, const QRect& place);

// A titled frame whose title sits on its border line, so that the first row
// of controls can start 16 pixels below the frame's top.
class Cadre : public QGroupBox {
    Q_OBJECT
public:
    explicit Cadre(const QString& titre, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* e) override;
};

// A label that acts as a button: a click or Alt + its accelerator letter.
class EtiquetteBouton : public QLabel {
    Q_OBJECT
public:
    explicit EtiquetteBouton(const QString& texte, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    bool event(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    bool pressee_ = false;
};

// A push button whose caption wraps over several lines when it is wider
// than the button.
class BoutonMultiligne : public QPushButton {
    Q_OBJECT
public:
    explicit BoutonMultiligne(const QString& texte, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* e) override;
};

// A push button with a flat coloured face ("graphical" style).
class BoutonColore : public QPushButton {
    Q_OBJECT
public:
    explicit BoutonColore(const QString& texte, QWidget* parent = nullptr);
    void setCouleurFace(const QColor& couleur);
    QColor couleurFace() const { return face_; }

private:
    QColor face_;
};

// Up-down arrows bound to a text field: each arrow moves the number of the
// field by the increment and stops at the bounds. Typing in the field is
// never limited: the arrows start from whatever number the field holds.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

    void setBuddy(QLineEdit* champ, const QLocale& locale);
    QLineEdit* buddy() const { return champ_; }
    void setRange(int minimum, int maximum);
    int minimum() const { return min_; }
    int maximum() const { return max_; }
    void setIncrement(int increment) { increment_ = increment; }
    int increment() const { return increment_; }
    // The position last shown in the field by the arrows or read from it.
    int value() const { return valeur_; }

public slots:
    void stepUp() { deplace(+1); }
    void stepDown() { deplace(-1); }

signals:
    void valueChanged(int value);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void deplace(int sens);

    QToolButton* haut_;
    QToolButton* bas_;
    QPointer<QLineEdit> champ_;
    QLocale locale_;
    int min_ = 0, max_ = 100, increment_ = 1, valeur_ = 0;
};
