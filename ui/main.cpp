// Zenolune: the Galilean satellites of Jupiter for a date and time.
#include "controles.h"
#include "form1.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    // Without a display Qt would print a stack of messages and abort: say it once.
    const bool plateformeChoisie = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    if (!plateformeChoisie && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs(QCoreApplication::translate("zenolune", "zenolune : aucun écran disponible (ni DISPLAY ni "
                                                       "WAYLAND_DISPLAY) ; lancez le programme dans une session "
                                                       "graphique.\n")
                       .toUtf8()
                       .constData(),
                   stderr);
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Zenolune"));
    QApplication::setApplicationName(QStringLiteral("Zenolune"));
    QApplication::setApplicationVersion(QStringLiteral("1.2"));
    // The windows are laid out to the pixel: one style everywhere.
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(style);
    // Closing the main window ends the program; hiding it for the reduced view must not.
    QApplication::setQuitOnLastWindowClosed(false);

    QApplication::setFont(policeFenetre(8));   // message boxes too

    Form1 fenetre;
    QApplication::setWindowIcon(fenetre.windowIcon());
    fenetre.show();
    return app.exec();
}
