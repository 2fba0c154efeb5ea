// Zenolune: the Galilean satellites of Jupiter for a date and time.
#include "controles.h"
#include "form1.h"
#include "language.h"
#include "settings.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

bool demande(int argc, char* argv[], const char* option)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], option) == 0)
            return true;
    }
    return false;
}

// The language of the settings or of the system; French when anything is amiss.
language::Language installeLangue(QCoreApplication& app)
{
    return language::install(app, language::fromSettings(*settings::open()));
}

void ecrit(const QString& texte)
{
    std::fputs(texte.toLocal8Bit().constData(), stdout);
}

// Prints the instant the main window is first painted, then ends the program:
// how the launch time is measured (scripts/measure-startup.sh).
class FinApresAffichage : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* objet, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            // The wall clock in microseconds, for the launcher to subtract its own.
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            std::printf("%lld\n", static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(objet, event);
    }

private:
    bool painted_ = false;
};

} // namespace

int main(int argc, char* argv[])
{
    const bool version = demande(argc, argv, "--version");
    const bool aide = demande(argc, argv, "--help") || demande(argc, argv, "-h");
    // Without a display Qt would print a stack of messages and abort: say it once.
    const bool sansEcran = !qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
                           && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (version || aide || sansEcran) {
        QCoreApplication app(argc, argv);
        installeLangue(app);
        if (version) {
            ecrit(QStringLiteral("zenolune %1\n").arg(QStringLiteral(ZENOLUNE_VERSION)));
            return 0;
        }
        if (aide) {
            ecrit(QCoreApplication::translate("main",
                                              "Usage : zenolune [--version] [--help]\n"
                                              "Ouvre Zenolune, les satellites galiléens de Jupiter pour une date et "
                                              "une heure.\nL'aide complète est dans le programme (« Aide ») et dans "
                                              "man zenolune ; les calculs en ligne de commande : zenolune-ephem "
                                              "--help.\n"));
            return 0;
        }
        std::fputs(QCoreApplication::translate("main",
                                               "zenolune : aucun écran disponible (ni DISPLAY ni WAYLAND_DISPLAY) ; "
                                               "lancez le programme dans une session graphique.\n")
                       .toLocal8Bit()
                       .constData(),
                   stderr);
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Zenolune"));
    QApplication::setApplicationName(QStringLiteral("Zenolune"));
    QApplication::setApplicationVersion(QStringLiteral(ZENOLUNE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zenolune.Zenolune"));
    if (installeLangue(app) == language::Language::English)
        Form1::setDocumentAide(QStringLiteral(":/aide/zenolune_en.html"));
    // The windows are laid out to the pixel: one style everywhere.
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(style);
    // Closing the main window ends the program; hiding it for the reduced view must not.
    QApplication::setQuitOnLastWindowClosed(false);

    QApplication::setFont(policeFenetre(8));   // message boxes too
    initialiseRessources();                    // the icon of every window

    Form1 fenetre;
    if (qEnvironmentVariableIsSet("ZENOLUNE_EXIT_WHEN_SHOWN"))
        fenetre.installEventFilter(new FinApresAffichage(&app));
    fenetre.show();
    return app.exec();
}
