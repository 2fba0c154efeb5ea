#include "common_dialog.h"

#include <stdexcept>

DialogueCommun::DialogueCommun(QObject* parent) : QObject(parent) {}

DialogueCommun::~DialogueCommun()
{
    delete fenetre_;
}

void DialogueCommun::ShowHelp()
{
    if (commande_ != AideSommaire && commande_ != AideContexte)
        throw std::runtime_error("commande d'aide inconnue");
    if (!fenetre_)
        fenetre_ = new FenetreAide;
    fenetre_->ouvre(fichier_);   // throws when the document cannot be read
    fenetre_->show();
    fenetre_->raise();
    fenetre_->activateWindow();
}
