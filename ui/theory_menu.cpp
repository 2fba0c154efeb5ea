#include "theory_menu.h"

#include "modern_theory.h"
#include "shared_state.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>

namespace theorymenu {

namespace {
QString tr(const char* text) { return QCoreApplication::translate("TheoryMenu", text); }
}

QString tip()
{
    return tr("Satellites de la théorie précise : %1. Cliquer pour choisir.").arg(zeno::l12TheoryName());
}

QMenu* build(SharedState* state, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("MenuTheorieL12"));
    menu->setFont(parent->font());   // a popup of its own: the window's letters, not the system's
    auto* groupe = new QActionGroup(menu);
    QAction* corrigee = menu->addAction(zeno::l12TheoryName(true));
    corrigee->setObjectName(QStringLiteral("ActionL12Corrigee"));
    QAction* publiee = menu->addAction(zeno::l12TheoryName(false));
    publiee->setObjectName(QStringLiteral("ActionL12Publiee"));
    for (QAction* a : {corrigee, publiee}) {
        a->setCheckable(true);
        groupe->addAction(a);
    }
    const auto suit = [corrigee, publiee](bool corrected) {
        corrigee->setChecked(corrected);
        publiee->setChecked(!corrected);
    };
    suit(state->l12Corrected());
    QObject::connect(state, &SharedState::l12CorrectedChanged, menu, suit);
    QObject::connect(corrigee, &QAction::triggered, state, [state] { state->setL12Corrected(true); });
    QObject::connect(publiee, &QAction::triggered, state, [state] { state->setL12Corrected(false); });
    return menu;
}

} // namespace theorymenu
