// What the window tests share: French settings, a main window whose error
// messages are collected instead of shown, and a way to act inside a modal window.
#pragma once

#include "form1.h"
#include "language.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QStyleFactory>
#include <QTimer>
#include <QtTest>

#include <functional>

inline QLocale localeFrancaise()
{
    return QLocale(QLocale::French, QLocale::France);
}

// French regional settings and the program's one style, whatever the machine has.
inline void prepareEnvironnement()
{
    QLocale::setDefault(localeFrancaise());
    language::install(*QCoreApplication::instance(), language::Language::French);   // Qt's own texts too
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);
}

// The program's messages, word for word.
inline QString messageErreur(int numero)
{
    switch (numero) {
    case 5: return QStringLiteral("Erreur d'exécution '5' : Argument ou appel de procédure incorrect");
    case 6: return QStringLiteral("Erreur d'exécution '6' : Dépassement de capacité");
    case 13: return QStringLiteral("Erreur d'exécution '13' : Incompatibilité de type");
    }
    return QString();
}

// The message followed by the field whose text could not be used.
inline QString messageErreur(int numero, const char* champ)
{
    return messageErreur(numero) + QStringLiteral(" — champ « %1 »").arg(QString::fromUtf8(champ));
}

inline const QStringList& nomsPhenomenes()
{
    static const QStringList noms = [] {
        QStringList n;
        for (const char* s : {"Io", "Europe", "Gany", "Cali"})
            for (const char* g : {"Ec", "Oc", "Pa", "Om"})
                n << QStringLiteral("Info%1%2").arg(QLatin1String(s), QLatin1String(g));
        return n;
    }();
    return noms;
}

// The main window shown and active, its messages kept in a list.
struct Banc {
    Form1 f;
    QStringList messages;

    explicit Banc(const QLocale& locale = localeFrancaise()) : f(locale)
    {
        f.messageErreur = [this](const QString& texte) { messages << texte; };
    }

    bool montre()
    {
        f.show();
        QApplication::setActiveWindow(&f);
        return QTest::qWaitForWindowActive(&f);
    }

    template <class T = QWidget> T* w(const char* nom) const
    {
        return f.findChild<T*>(QString::fromLatin1(nom));
    }
    QLabel* label(const char* nom) const { return w<QLabel>(nom); }
    QLineEdit* champ(const char* nom) const { return w<QLineEdit>(nom); }
    QString texte(const char* nom) const
    {
        if (auto* l = label(nom))
            return l->text();
        if (auto* c = champ(nom))
            return c->text();
        return QStringLiteral("<absent>");
    }
    void tape(const char* nom, const QString& texte)
    {
        QLineEdit* c = champ(nom);
        c->selectAll();
        c->del();
        QTest::keyClicks(c, texte);
    }
    void clique(const char* nom)
    {
        QWidget* b = w(nom);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    }
    QStringList phenomenes() const
    {
        QStringList t;
        for (const QString& n : nomsPhenomenes())
            t << f.findChild<QLabel*>(n)->text();
        return t;
    }
};

// Runs `action` from inside the event loop of the next modal window, once it
// is shown; the window is closed afterwards if the action left it open.
inline void pendantModale(std::function<void(QWidget*)> action)
{
    auto* sonde = new QTimer;
    const QDeadlineTimer limite(10000);
    QObject::connect(sonde, &QTimer::timeout, [sonde, action, limite] {
        QWidget* modale = QApplication::activeModalWidget();
        if (modale && modale->isVisible()) {
            sonde->stop();
            sonde->deleteLater();
            QPointer<QWidget> garde(modale);
            action(modale);
            if (garde && garde->isVisible())
                garde->close();
        } else if (limite.hasExpired()) {
            sonde->stop();
            sonde->deleteLater();
            QFAIL("aucune fenêtre modale ne s'est ouverte");
        }
    });
    sonde->start(5);
}
