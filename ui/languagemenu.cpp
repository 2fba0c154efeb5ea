#include "languagemenu.h"

#include "settings.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QMessageBox>
#include <QWidget>

namespace languagemenu {

QString stored()
{
    const QString code = settings::open()->value(QLatin1String(language::kSettingsKey)).toString();
    return code == QLatin1String("fr") || code == QLatin1String("en") ? code : QString();
}

void store(const QString& code)
{
    const auto s = settings::open();
    if (code.isEmpty())
        s->remove(QLatin1String(language::kSettingsKey));
    else
        s->setValue(QLatin1String(language::kSettingsKey), code);
}

void popup(QWidget* anchor)
{
    QMenu menu(anchor);
    menu.setObjectName(QStringLiteral("MenuLangue"));
    auto* groupe = new QActionGroup(&menu);
    // Each language named in itself, so that anyone finds theirs.
    const struct { QString code; QString texte; } choix[] = {
        {QStringLiteral("fr"), QStringLiteral("Français")},
        {QStringLiteral("en"), QStringLiteral("English")},
        {QString(), QCoreApplication::translate("LanguageMenu", "Langue du système / System language")},
    };
    const QString actuel = stored();
    for (const auto& c : choix) {
        QAction* a = menu.addAction(c.texte);
        a->setCheckable(true);
        a->setChecked(c.code == actuel);
        a->setData(c.code);
        groupe->addAction(a);
    }
    const QAction* pris = menu.exec(anchor->mapToGlobal(QPoint(0, anchor->height())));
    if (!pris || pris->data().toString() == actuel)
        return;
    store(pris->data().toString());
    QMessageBox::information(anchor->window(), QStringLiteral("Zenolune"),
                             QCoreApplication::translate("LanguageMenu",
                                                         "La langue choisie s'appliquera au prochain démarrage "
                                                         "de Zenolune.\nThe chosen language applies the next time "
                                                         "Zenolune starts."));
}

} // namespace languagemenu
