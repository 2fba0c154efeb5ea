#include "shared_state.h"

#include "erreur.h"
#include "regional.h"

SharedState::SharedState(QObject* parent) : QObject(parent) {}

const settings::Observer& SharedState::observer() const
{
    if (!observer_)
        observer_ = settings::readObserver();
    return *observer_;
}

void SharedState::setTheory(zeno::Theory theory)
{
    if (theory == theory_)
        return;
    theory_ = theory;
    emit theoryChanged(theory);
}

void SharedState::setOffsetText(const QString& text)
{
    if (text == offsetText_)
        return;
    offsetText_ = text;
    emit offsetTextChanged(text);
}

void SharedState::requestShowUt(const QDateTime& ut, double fallbackHours, const QLocale& locale)
{
    double hours = fallbackHours;
    try {
        const double offset = zeno::readNumber(offsetText_, locale);
        zeno::addHours(ut, -offset);
        hours = offset;
    } catch (const zeno::ErreurExecution&) {
    }
    requestShow(zeno::Instant{ut, hours});
}

void SharedState::setObserver(const settings::Observer& observer)
{
    observer_ = observer;
    settings::writeObserver(observer);
    emit observerChanged();
}
