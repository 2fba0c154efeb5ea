// The reduced view: the scene at 1/2.5 of its size with its own flips.
#pragma once

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QLineEdit;
class QPushButton;
class ZoneDessin;

class Form2 : public QDialog {
    Q_OBJECT
public:
    // `principale` is the window that "Agrandir" shows again.
    explicit Form2(QWidget* principale = nullptr);

    ZoneDessin* picture2() const { return Picture2; }
    QCheckBox* check1() const { return Check1; }   // "Inversion Est-Ouest"
    QCheckBox* check2() const { return Check2; }   // "Invesion Nord-Sud"

public slots:
    void Command1_Click();   // "Agrandir"
    void Check1_Click();
    void Check2_Click();
    // Escape and the window frame's close button act like "Agrandir", so the
    // program is never left without a visible window.
    void reject() override;

private:
    QPointer<QWidget> principale_;
    QPushButton* Command1;
    QCheckBox* Check1;
    QCheckBox* Check2;
    ZoneDessin* Picture2;
    QLineEdit* TextH;
    QLineEdit* TextB;
    QLineEdit* TextG;
    QLineEdit* TextD;
};
