#include "shared_state.h"

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

void SharedState::setObserver(const settings::Observer& observer)
{
    observer_ = observer;
    settings::writeObserver(observer);
    emit observerChanged();
}
