// The program's runtime error: a numbered failure with its French message.
// Every event handler catches it at its top, shows the message and goes on.
#pragma once

#include <QString>
#include <stdexcept>

namespace zeno {

class ErreurExecution : public std::runtime_error {
public:
    enum Numero : int {
        ArgumentIncorrect = 5,   // "Argument ou appel de procédure incorrect"
        Depassement = 6,         // "Dépassement de capacité"
        DivisionParZero = 11,    // "Division par zéro"
        Incompatibilite = 13,    // "Incompatibilité de type"
    };

    explicit ErreurExecution(Numero numero);

    int numero() const { return numero_; }
    // The message alone, e.g. "Incompatibilité de type".
    QString libelle() const;
    // The full text shown to the user: « Erreur d'exécution '13' : Incompatibilité de type ».
    QString texte() const;

    static QString libelle(int numero);

private:
    Numero numero_;
};

} // namespace zeno
