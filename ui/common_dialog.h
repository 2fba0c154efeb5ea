// The help side of the original common-dialog control.
#pragma once

#include "fenetreaide.h"

#include <QObject>
#include <QPointer>
#include <QString>

// What the main window uses to open its help: a help file name, a help
// command, and the operation that shows the help.
class DialogueCommun : public QObject {
    Q_OBJECT
public:
    enum CommandeAide { AideContexte = 1, AideQuitter = 2, AideSommaire = 3 };

    explicit DialogueCommun(QObject* parent = nullptr);
    ~DialogueCommun() override;

    void setHelpFile(const QString& fichier) { fichier_ = fichier; }
    QString helpFile() const { return fichier_; }
    void setHelpCommand(int commande) { commande_ = commande; }
    int helpCommand() const { return commande_; }

    // Opens the help file in the program's help window at its contents and
    // returns at once. Throws std::runtime_error when the file cannot be shown.
    void ShowHelp();

    FenetreAide* fenetreAide() const { return fenetre_; }

private:
    QString fichier_;
    int commande_ = 0;
    QPointer<FenetreAide> fenetre_;
};
