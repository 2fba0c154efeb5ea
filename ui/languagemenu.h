// "Langue / Language": French, English or the system's language, kept in the
// settings and applied at the next start (the windows are built once).
#pragma once

#include "language.h"

#include <QString>

class QWidget;

namespace languagemenu {

// The choice kept in the settings: "fr", "en", or empty for the system's language.
QString stored();
void store(const QString& code);

// Shows the menu under `anchor`; a new choice is kept and the user told when it applies.
void popup(QWidget* anchor);

} // namespace languagemenu
