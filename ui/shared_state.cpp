#include "shared_state.h"

#include "erreur.h"
#include "regional.h"

#include <QCoreApplication>

namespace {

// The words for the translation tools.
[[maybe_unused]] const char* const kWords[] = {
    QT_TRANSLATE_NOOP("Phenomene", "Eclipsé"), QT_TRANSLATE_NOOP("Phenomene", "Ombre"),
    QT_TRANSLATE_NOOP("Phenomene", "Occulté"), QT_TRANSLATE_NOOP("Phenomene", "Passage"),
    QT_TRANSLATE_NOOP("Phenomene", "Tache Rouge"), QT_TRANSLATE_NOOP("Phenomene", "début"),
    QT_TRANSLATE_NOOP("Phenomene", "fin"), QT_TRANSLATE_NOOP("Phenomene", "passage"),
};

} // namespace

QString shownWord(const QString& word)
{
    if (word.isEmpty() || word == u" ")
        return word;
    return QCoreApplication::translate("Phenomene", word.toUtf8().constData());
}

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
