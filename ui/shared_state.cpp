#include "shared_state.h"

#include "erreur.h"
#include "l12_correction.h"
#include "regional.h"

SharedState::SharedState(QObject* parent) : QObject(parent)
{
    zeno::setL12Corrected(settings::readL12Corrected());
}

bool SharedState::l12Corrected() const { return zeno::l12Corrected(); }

void SharedState::setL12Corrected(bool corrected)
{
    if (corrected == zeno::l12Corrected())
        return;
    zeno::setL12Corrected(corrected);
    settings::writeL12Corrected(corrected);
    emit l12CorrectedChanged(corrected);
}

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

void SharedState::requestShowInZone(const QDateTime& ut, const QTimeZone& zone, const PairMark& mark)
{
    // UT = civil + offset: the offset is minus the zone's lead on UT.
    emit showRequested(ShowRequest{zeno::Instant{ut, -zone.offsetFromUtc(ut) / 3600.0}, true, mark});
}

void SharedState::setObserver(const settings::Observer& observer)
{
    observer_ = observer;
    settings::writeObserver(observer);
    emit observerChanged();
}
