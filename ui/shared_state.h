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
#include <QTimeZone>
#include <optional>

// Two satellites (0..3) the main scene marks after a jump to their mutual
// event, until its next pass; none by default.
struct PairMark {
    int first = -1, second = -1;
    bool any() const { return first >= 0 && second >= 0; }
};

// An instant for the main window to show, and to come forward with.
struct ShowRequest {
    zeno::Instant at;
    bool setsOffset = false;   // "Différence TU-TC" becomes at.offsetHours (a zone's clock)
    PairMark mark;
};

class SharedState : public QObject {
    Q_OBJECT
public:
    explicit SharedState(QObject* parent = nullptr);

    zeno::Theory theory() const { return theory_; }
    void setTheory(zeno::Theory theory);

    // The precise theory's satellites: L1.2 corrected by the observations
    // (true) or as published; kept in the settings store, and the switch of
    // the whole program (setL12Corrected) follows it.
    bool l12Corrected() const;
    void setL12Corrected(bool corrected);

    // The text of "Différence TU-TC" as typed (read in the regional settings).
    const QString& offsetText() const { return offsetText_; }
    void setOffsetText(const QString& text);

    // The observer's place, visibility limits and Red Spot, kept in the settings store.
    const settings::Observer& observer() const;
    void setObserver(const settings::Observer& observer);

    // Asks the main window to show an instant, and to come forward.
    void requestShow(const zeno::Instant& at) { emit showRequested(ShowRequest{at, false, {}}); }
    // The same for a UT instant in a zone's clock time: the main window's
    // "Différence TU-TC" becomes the zone's offset at that instant, so that
    // both windows show the same time.
    void requestShowInZone(const QDateTime& ut, const QTimeZone& zone, const PairMark& mark = {});
    // The same for a UT instant, in the civil time of the offset now typed;
    // `fallbackHours` when that offset does not read or pushes the instant
    // out of the calendar (the main window then names the faulty field).
    void requestShowUt(const QDateTime& ut, double fallbackHours, const QLocale& locale);

signals:
    void theoryChanged(zeno::Theory theory);
    void l12CorrectedChanged(bool corrected);
    void offsetTextChanged(const QString& text);
    void observerChanged();
    // Asks the main window to show an instant (a row of the phenomena table).
    void showRequested(const ShowRequest& request);

private:
    zeno::Theory theory_ = zeno::Theory::Original;
    QString offsetText_ = QStringLiteral("0");
    mutable std::optional<settings::Observer> observer_;   // read from the store when first asked
};
