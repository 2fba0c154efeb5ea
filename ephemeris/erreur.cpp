#include "erreur.h"

namespace zeno {

ErreurExecution::ErreurExecution(Numero numero)
    : std::runtime_error(libelle(numero).toStdString()), numero_(numero) {}

QString ErreurExecution::libelle(int numero)
{
    switch (numero) {
    case ArgumentIncorrect: return QStringLiteral("Argument ou appel de procédure incorrect");
    case Depassement: return QStringLiteral("Dépassement de capacité");
    case DivisionParZero: return QStringLiteral("Division par zéro");
    case Incompatibilite: return QStringLiteral("Incompatibilité de type");
    }
    return QStringLiteral("Erreur définie par l'application ou par l'objet");
}

QString ErreurExecution::libelle() const { return libelle(numero_); }

QString ErreurExecution::texte() const
{
    return QStringLiteral("Erreur d'exécution '%1' : %2").arg(numero_).arg(libelle());
}

} // namespace zeno
