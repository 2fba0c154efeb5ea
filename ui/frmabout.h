// The About window: title, version, a few words on the program, and two
// pictures in one place that take turns when clicked.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class ZoneDessin;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    // Destroyed when closed ("OK", Escape or the window frame).
    explicit frmAbout(QWidget* parent = nullptr);

    ZoneDessin* picture1() const { return Picture1; }   // the portrait
    ZoneDessin* picture2() const { return Picture2; }   // Jupiter

public slots:
    void Command1_Click();
    void Picture1_Click();
    void Picture2_Click();

private:
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    ZoneDessin* Picture1;
    ZoneDessin* Picture2;
    QPushButton* Command1;
};
