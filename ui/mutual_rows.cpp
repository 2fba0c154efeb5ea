#include "mutual_rows.h"

#include "calendar.h"
#include "scene_frame.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// The kinds as the rows keep them (French, as the other phenomenon words);
// the windows show them through the translation, context "Phenomene".
const char* const kKindWords[] = {QT_TRANSLATE_NOOP("Phenomene", "totale"), QT_TRANSLATE_NOOP("Phenomene", "annulaire"),
                                  QT_TRANSLATE_NOOP("Phenomene", "partielle"),
                                  QT_TRANSLATE_NOOP("Phenomene", "pénombrale")};

const char* kindWord(zeno::MutualKind kind)
{
    switch (kind) {
    case zeno::MutualKind::Total: return kKindWords[0];
    case zeno::MutualKind::Annular: return kKindWords[1];
    case zeno::MutualKind::Partial: return kKindWords[2];
    case zeno::MutualKind::Penumbral: return kKindWords[3];
    }
    return kKindWords[2];
}

} // namespace

QString mutualTypeWord(const zeno::MutualEvent& event)
{
    return event.type == zeno::MutualType::Eclipse ? QCoreApplication::translate("MutualEvent", "éclipse")
                                                   : QCoreApplication::translate("MutualEvent", "occultation");
}

QString mutualKindWord(const zeno::MutualEvent& event)
{
    return QCoreApplication::translate("Phenomene", kindWord(event.kind));
}

QString mutualSentence(const zeno::MutualEvent& event)
{
    return (event.type == zeno::MutualType::Eclipse ? QCoreApplication::translate("MutualEvent", "%1 éclipse %2")
                                                    : QCoreApplication::translate("MutualEvent", "%1 occulte %2"))
        .arg(zeno::satelliteDisplayName(event.occulter), zeno::satelliteDisplayName(event.target));
}

QString mutualTitle(const zeno::MutualEvent& event)
{
    return QCoreApplication::translate("MutualEvent", "%1 — %2, %3 %4")
        .arg(event.code(), mutualSentence(event), mutualTypeWord(event), mutualKindWord(event));
}

QString mutualTheoryNote()
{
    return QCoreApplication::translate("MutualEvent",
                                       "Les phénomènes mutuels sont toujours calculés avec la théorie précise (L1.2), "
                                       "quelle que soit la case « Théorie précise ».");
}

void addMutualRows(std::vector<zeno::ProgrammeRow>& rows, const std::vector<zeno::MutualEvent>& events,
                   double offsetHours, const std::optional<zeno::Site>& site, const zeno::Visibility& visibility)
{
    for (std::size_t i = 0; i < events.size(); ++i) {
        const zeno::MutualEvent& ev = events[i];
        zeno::ProgrammeRow r;
        r.ut = QDateTime::fromSecsSinceEpoch(ev.maximum, Qt::UTC);
        r.civil = zeno::addHours(r.ut, -offsetHours);
        r.satellite = ev.target;
        r.phenomenon = ev.code();
        r.change = QString::fromUtf8(kindWord(ev.kind));
        r.mutual = int(i);
        r.hidden = ev.hiddenAtMaximum();
        r.magnitudeDrop = ev.magnitudeDrop;
        if (site)
            zeno::placeRow(r, *site, visibility);
        rows.push_back(std::move(r));
    }
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.ut < b.ut; });
}
