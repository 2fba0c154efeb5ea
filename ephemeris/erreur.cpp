#include "erreur.h"

#include <QCoreApplication>

namespace zeno {

ErreurExecution::ErreurExecution(Numero numero)
    : std::runtime_error(libelle(numero).toStdString()), numero_(numero) {}

QString ErreurExecution::libelle(int numero)
{
    switch (numero) {
    case ArgumentIncorrect: return QCoreApplication::translate("ErreurExecution", "Argument ou appel de procédure incorrect");
    case Depassement: return QCoreApplication::translate("ErreurExecution", "Dépassement de capacité");
    case DivisionParZero: return QCoreApplication::translate("ErreurExecution", "Division par zéro");
    case Incompatibilite: return QCoreApplication::translate("ErreurExecution", "Incompatibilité de type");
    }
    return QCoreApplication::translate("ErreurExecution", "Erreur définie par l'application ou par l'objet");
}

QString ErreurExecution::libelle() const { return libelle(numero_); }

QString ErreurExecution::texte() const
{
    return QCoreApplication::translate("ErreurExecution", "Erreur d'exécution '%1' : %2").arg(numero_).arg(libelle());
}

} // namespace zeno
