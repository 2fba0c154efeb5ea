#include "language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

#include <atomic>

namespace language {

namespace {

std::atomic<int> sourceTextScopes{0};

// A translator limited to some contexts: the rest keeps its French source.
class ContextTranslator : public QTranslator {
public:
    ContextTranslator(const QSet<QString>& contexts, const QSet<QString>& kept, QObject* parent)
        : QTranslator(parent), contexts_(contexts), kept_(kept) {}
    QString translate(const char* context, const char* source, const char* disambiguation, int n) const override
    {
        if (sourceTextScopes.load() > 0)
            return {};
        const QString c = QString::fromUtf8(context);
        if ((!contexts_.isEmpty() && !contexts_.contains(c)) || kept_.contains(c))
            return {};
        return QTranslator::translate(context, source, disambiguation, n);
    }

private:
    QSet<QString> contexts_, kept_;
};

// Qt's own texts (buttons of message boxes, file dialogs); missing, Qt's English stays.
void installQt(QCoreApplication& app, Language l)
{
    auto* qt = new QTranslator(&app);
    if (qt->load(QStringLiteral("qtbase_") + code(l), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
}

} // namespace

Language choose(const QString& stored, const QStringList& uiLanguages)
{
    if (stored == QLatin1String("fr"))
        return Language::French;
    if (stored == QLatin1String("en"))
        return Language::English;
    if (!stored.isEmpty())
        return Language::French;   // a damaged value: the program's own language
    // "en", "en-GB", "en_US": the first language the user asked for decides.
    if (!uiLanguages.isEmpty() && uiLanguages.first().section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0)
                                          .compare(QLatin1String("en"), Qt::CaseInsensitive) == 0)
        return Language::English;
    return Language::French;
}

Language fromSettings(const QSettings& settings)
{
    return choose(settings.value(QLatin1String(kSettingsKey)).toString(), QLocale::system().uiLanguages());
}

QString code(Language l)
{
    return l == Language::English ? QStringLiteral("en") : QStringLiteral("fr");
}

SourceTexts::SourceTexts() { ++sourceTextScopes; }
SourceTexts::~SourceTexts() { --sourceTextScopes; }

Language install(QCoreApplication& app, Language wanted, const QString& folder, const QSet<QString>& onlyContexts,
                 const QSet<QString>& keptContexts)
{
    Language installed = Language::French;
    if (wanted == Language::English) {
        auto* own = new ContextTranslator(onlyContexts, keptContexts, &app);
        // load() checks the file's magic number and structure: a damaged file is refused.
        if (own->load(QStringLiteral("zenolune_en"), folder) && !own->isEmpty()) {
            QCoreApplication::installTranslator(own);
            installed = Language::English;
        } else {
            delete own;
        }
    }
    installQt(app, installed);
    return installed;
}

} // namespace language
