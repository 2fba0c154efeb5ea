// Runs the animation of the main window for a while, in whatever display
// Qt is given (an X server, or offscreen), and reports the passes per second
// and the share of one CPU the program used meanwhile.
#include "fenetrephenomenes.h"
#include "form1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyleFactory>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

double tempsProcesseur()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    const double duree = argc > 1 ? std::atof(argv[1]) : 10.0;
    // "phenomenes": the phenomena window open beside, its table listed.
    const bool avecPhenomenes = argc > 2 && std::strcmp(argv[2], "phenomenes") == 0;
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);

    Form1 f(QLocale(QLocale::French, QLocale::France));
    int erreurs = 0;
    f.messageErreur = [&](const QString& texte) {
        ++erreurs;
        std::fprintf(stderr, "%s\n", qPrintable(texte));
    };
    f.show();
    f.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("01/01/2000 12:00:00"));
    // Step by minutes: the scene changes at every tick, the date stays far from the limits.
    auto* minute = f.findChild<QRadioButton*>(QStringLiteral("Optiongroup_4"));
    minute->setChecked(true);
    f.OptionGroup_GotFocus(4);
    if (avecPhenomenes)
        f.LabPhenomenes_Click();

    QElapsedTimer horloge;
    quint64 passesDebut = 0;
    double cpuDebut = 0;
    // One second to settle, then the measure.
    QTimer::singleShot(1000, Qt::PreciseTimer, &f, [&] {
        passesDebut = f.nombrePasses();
        cpuDebut = tempsProcesseur();
        horloge.start();
        QTimer::singleShot(int(duree * 1000), Qt::PreciseTimer, &f, [&] {
            const double secondes = horloge.nsecsElapsed() / 1e9;
            const double cpu = tempsProcesseur() - cpuDebut;
            const quint64 passes = f.nombrePasses() - passesDebut;
            std::printf("plateforme : %s\n", qPrintable(QGuiApplication::platformName()));
            std::printf("passes : %llu en %.2f s = %.2f passes/s (visé : 25)\n", (unsigned long long)passes,
                        secondes, passes / secondes);
            std::printf("processeur : %.2f s, soit %.1f %% d'un cœur\n", cpu, 100.0 * cpu / secondes);
            QCoreApplication::exit(erreurs == 0 ? 0 : 1);
        });
    });
    f.MA_Click();
    return app.exec();
}
