// What the user sets once and finds again at the next run (QSettings):
// the observer's place, the visibility limits, the Great Red Spot, and the
// phenomena window's choices; and the dialog that edits the first three.
#pragma once

#include "observatoire.h"
#include "programme.h"

#include <QDialog>
#include <QLocale>
#include <QSettings>
#include <QStringList>
#include <QTimeZone>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;

namespace reglages {

// The settings store: the user's, or an INI file given by the tests.
std::unique_ptr<QSettings> ouvre();
void setFichier(const QString& cheminIni);   // empty: the user's own store

struct Observateur {
    zeno::Site site;
    QTimeZone fuseau = QTimeZone::systemTimeZone();   // the observer's clock, daylight saving included
    bool siteRegle = false;       // false: the default place (Paris), shown as such
    zeno::Visibilite visibilite;
    zeno::TacheRouge tache;
};

// Every kept value read with a success and a range check: an unreadable one
// falls back to its default, and its name (in French) goes to *reinitialises.
Observateur lit(QStringList* reinitialises = nullptr);
void ecrit(const Observateur& o);

} // namespace reglages

// "Lieu d'observation et Tache Rouge": numbers in the regional format,
// checked before anything is kept; a fault is shown in the dialog, which stays open.
class DialogueLieu : public QDialog {
    Q_OBJECT
public:
    DialogueLieu(const reglages::Observateur& o, const QLocale& locale, QWidget* parent = nullptr);
    const reglages::Observateur& resultat() const { return resultat_; }
    QString erreur() const;

public slots:
    void CommandOk_Click();

private:
    QLineEdit* champ(const char* nom, const QString& texte);
    QLocale locale_;
    reglages::Observateur resultat_;
    QLabel* Erreur;
    QComboBox* ComboFuseau;
};
