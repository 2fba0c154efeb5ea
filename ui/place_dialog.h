// The dialog that edits the observer's place, the visibility limits and the
// Great Red Spot.
#pragma once

#include "settings.h"

#include <QDialog>
#include <QLocale>

class QLabel;
class QLineEdit;

// "Lieu d'observation et Tache Rouge": numbers in the regional format,
// checked before anything is kept; a fault is shown in the dialog, which stays open.
class DialogueLieu : public QDialog {
    Q_OBJECT
public:
    DialogueLieu(const settings::Observer& o, const QLocale& locale, QWidget* parent = nullptr);
    const settings::Observer& resultat() const { return resultat_; }
    QString erreur() const;

public slots:
    void CommandOk_Click();

private:
    QLineEdit* champ(const char* nom, const QString& texte);
    QLocale locale_;
    settings::Observer resultat_;
    QLabel* Erreur;
};
