// The language of the interface: French (the source texts) or English.
// English when chosen in the settings, or, without a choice, when the
// system's first UI language is English; French otherwise.
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

class QCoreApplication;
class QSettings;

namespace language {

enum class Language { French, English };

// The settings key of the choice: "fr" or "en"; absent, the system's; anything else, French.
inline constexpr char kSettingsKey[] = "langue";

Language choose(const QString& stored, const QStringList& uiLanguages);
// The choice kept in these settings, or the system's UI language.
Language fromSettings(const QSettings& settings);
QString code(Language l);   // "fr", "en"

// Installs the program's translation (English) and Qt's own (qtbase_fr or
// qtbase_en) on the application, from `folder` (the translations built into
// the program by default). With `onlyContexts`, only the texts of those
// contexts are translated; the texts of `keptContexts` always keep their
// French. Returns the language installed: French when the English
// translation is missing or unreadable, silently.
Language install(QCoreApplication& app, Language wanted, const QString& folder = QStringLiteral(":/i18n"),
                 const QSet<QString>& onlyContexts = {}, const QSet<QString>& keptContexts = {});

// While one lives, the program's translation gives the French source texts:
// data written for scripts (a JSON value built from a message) keeps them.
class SourceTexts {
public:
    SourceTexts();
    ~SourceTexts();
    SourceTexts(const SourceTexts&) = delete;
    SourceTexts& operator=(const SourceTexts&) = delete;
};

} // namespace language
