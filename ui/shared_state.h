// What the windows share, and all read: the theory of every pass, the main
// window's "Différence TU-TC" and the observer's place. A window changes it
// through the setters; the others follow its signals. No window knows
// another's class.
#pragma once

#include "calendar.h"
#include "passe.h"
#include "settings.h"

#include <QObject>
#include <QString>
#include <optional>

class SharedState : public QObject {
    Q_OBJECT
public:
    explicit SharedState(QObject* parent = nullptr);

    zeno::Theory theory() const { return theory_; }
    void setTheory(zeno::Theory theory);

    // The text of "Différence TU-TC" as typed (read in the regional settings).
    const QString& offsetText() const { return offsetText_; }
    void setOffsetText(const QString& text);

    // The observer's place, visibility limits and Red Spot, kept in the settings store.
    const settings::Observer& observer() const;
    void setObserver(const settings::Observer& observer);

    // Asks the main window to show an instant.
    void requestShow(const zeno::Instant& at) { emit showRequested(at); }
    // The same for a UT instant, in the civil time of the offset now typed;
    // `fallbackHours` when that offset does not read or pushes the instant
    // out of the calendar (the main window then names the faulty field).
    void requestShowUt(const QDateTime& ut, double fallbackHours, const QLocale& locale);

signals:
    void theoryChanged(zeno::Theory theory);
    void offsetTextChanged(const QString& text);
    void observerChanged();
    // Asks the main window to show an instant (a row of the phenomena table).
    void showRequested(const zeno::Instant& at);

private:
    zeno::Theory theory_ = zeno::Theory::Original;
    QString offsetText_ = QStringLiteral("0");
    mutable std::optional<settings::Observer> observer_;   // read from the store when first asked
};
