// The main window: date entry, stepping and animation, the information
// table and the scene. It holds the state of the program and runs the
// computation pass through the zeno::Hote interface.
#pragma once

#include "hote.h"
#include "passe.h"
#include "regional.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class BoutonColore;
class DialogueCommun;
class EtiquetteBouton;
class FenetreGraphique;
class FenetrePhenomenes;
class SharedState;
class Form2;
struct ShowRequest;
class UpDown;
class ZoneDessin;

namespace zeno { class ErreurExecution; }

class Form1 : public QWidget, public zeno::Hote {
    Q_OBJECT
public:
    explicit Form1(const QLocale& locale = zeno::regionalLocale(), QWidget* parent = nullptr);
    ~Form1() override;

    // Where the runtime errors go: a message box titled "Zenolune" by default.
    std::function<void(const QString&)> messageErreur;
    // The computer's local clock, to the second; replaceable to test midnight.
    std::function<QDateTime()> horloge;

    // The help document ("Ai&de"): the one built into the program by default.
    static void setDocumentAide(const QString& chemin);
    static QString documentAide();

    // The reduced view, created hidden on first use and kept until the end.
    Form2* form2();
    bool form2Existe() const { return form2_ != nullptr; }

    const zeno::Calcul& calcul() const { return calcul_; }
    QString intervalle() const { return Intervalle; }
    bool enMarche() const { return EnMarche; }
    // Computation passes completed since the window opened.
    quint64 nombrePasses() const { return passes_; }
    QTimer* timer() const { return minuterie; }
    DialogueCommun* dialogueCommun() const { return CMDialog; }
    // The phenomena window, created on its first opening.
    FenetrePhenomenes* fenetrePhenomenes();
    // The month's chart, created on its first opening.
    FenetreGraphique* fenetreGraphique();

    // zeno::Hote
    int flip(zeno::Flip which) override;
    void clearScene(zeno::Scene scene) override;
    void drawDisc(zeno::Scene scene, float x, float y, float radius, zeno::Rgb colour) override;
    void setCaption(zeno::Caption caption, const QString& text) override;

public slots:
    void Form_Load();
    void CommandMaint_Click();
    void CommandOk_Click();
    void Effacinfo();
    void OptionGroup_GotFocus(int Index);
    void CommandAjou_Click();
    void CommandRetr_Click();
    void MA_Click();
    void minuterie_Timer();
    void CheckNS_Click();
    void CheckEW_Click();
    void CheckTheorie_Click();
    // The shared theory changed: the next pass's, the check box and the title follow.
    void theorieChangee(zeno::Theory theorie);
    // Writes an instant's civil time into Text1 (and its offset into Text3
    // when asked), runs what "&OK" runs, marks the pair if one is given and
    // brings the window forward.
    void montreInstant(const ShowRequest& demande);
    void Command1_Click();
    void Propos_Click();
    void HelpCtx_Click();
    void LabQuit_Click();
    void LabPhenomenes_Click();
    void LabGraphique_Click();
    void LabLangue_Click();
    void LabTheorieL12_Click();

    // The two routines of the pass, always called back to back.
    void gregor_juli(const QString& dateText);
    void Parametres();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    void construitBandeau();
    void construitFrame1();
    void construitFrame2();
    void construitFrame3();
    void construitScene();
    void ordreTabulation();
    void construitTheorie();
    void construitLangue();
    void titreTheorie();

    // Runs a handler's work; a runtime error stops it where it arose, stops
    // the animation if one runs, and is shown once.
    template <class Travail> void protege(Travail&& travail);
    void signaleErreur(const zeno::ErreurExecution& erreur);
    void arreteAnimation();
    QString dateSuivante(bool retrancher) const;
    void calculeDate(const QString& date);
    void pas(bool retrancher);
    QString heureLocale() const;
    // Runs a step that reads one field; a runtime error it raises names that field.
    template <class Lecture> auto lit(const QString& champ, Lecture&& lecture) const;
    ZoneDessin* zone(zeno::Scene scene);
    void marquePaire(int a, int b);

    QLocale locale_;
    SharedState* etat_;
    zeno::Calcul calcul_;
    std::unique_ptr<Form2> form2_;
    QString Intervalle = QStringLiteral("h");
    bool EnMarche = false;
    quint64 passes_ = 0;
    static QString documentAide_;
    mutable QString champErreur_;   // the field whose text the failing step was reading
    FenetrePhenomenes* phenomenes_ = nullptr;
    FenetreGraphique* graphique_ = nullptr;

    // Top strip
    EtiquetteBouton* Propos;
    EtiquetteBouton* HelpCtx;
    EtiquetteBouton* LabQuit;
    EtiquetteBouton* LabPhenomenes;
    EtiquetteBouton* LabGraphique;
    EtiquetteBouton* LabLangue;
    QFrame* Line1;
    DialogueCommun* CMDialog;
    // "Date et heure"
    QGroupBox* Frame1;
    QLabel* Label12;
    QLineEdit* Text1;
    QPushButton* CommandOk;
    QPushButton* CommandMaint;
    QLabel* Label14;
    QLineEdit* Text3;
    UpDown* UpDown2;
    QLabel* Label3;
    QLabel* jourjuli;
    QLabel* Label4;
    QLabel* datetu;
    // "Modification"
    QGroupBox* Frame2;
    std::array<QRadioButton*, 6> Optiongroup{};
    QLabel* Label1;
    QLineEdit* Text2;
    UpDown* UpDown1;
    QPushButton* CommandAjou;
    QPushButton* CommandRetr;
    QLabel* Label13;
    BoutonColore* MA;
    QTimer* minuterie;
    // "Informations"
    QGroupBox* Frame3;
    QLabel* Label5;
    QLabel* syst1;
    QLabel* Label10;
    QLabel* syst2;
    QLabel* Label7;
    QLabel* Label6;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label11;
    // The scene
    QPushButton* Command1;
    QCheckBox* CheckEW;
    QCheckBox* CheckNS;
    QCheckBox* CheckTheorie;   // the modern theory for the scenes and labels
    EtiquetteBouton* LabTheorieL12;   // its satellites: L1.2 corrected or as published
    QMenu* MenuTheorieL12;
    ZoneDessin* Picture1;
    QLineEdit* TextH;
    QLineEdit* TextB;
    QLineEdit* TextG;
    QLineEdit* TextD;

    // The labels the pass writes, by zeno::Caption (Form2's title aside).
    std::array<QLabel*, zeno::kCaptionCount> etiquettes_{};
};
