#include "mutual_rows.h"

#include "scene_frame.h"

#include "calendar.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

QString tr(const char* text) { return QCoreApplication::translate("MutualEvent", text); }

QString satelliteName(int s) { return QString::fromUtf8(zeno::kSatellites[s].name); }

} // namespace

QString mutualTypeWord(const zeno::MutualEvent& event)
{
    return event.type == zeno::MutualType::Eclipse ? tr("éclipse") : tr("occultation");
}

QString mutualKindWord(const zeno::MutualEvent& event)
{
    switch (event.kind) {
    case zeno::MutualKind::Total: return tr("totale");
    case zeno::MutualKind::Annular: return tr("annulaire");
    case zeno::MutualKind::Partial: return tr("partielle");
    case zeno::MutualKind::Penumbral: return tr("pénombrale");
    }
    return tr("partielle");
}

QString mutualSentence(const zeno::MutualEvent& event)
{
    const QString verb = event.type == zeno::MutualType::Eclipse ? tr("éclipse") : tr("occulte");
    return QStringLiteral("%1 %2 %3").arg(satelliteName(event.occulter), verb, satelliteName(event.target));
}

QString mutualTitle(const zeno::MutualEvent& event)
{
    return tr("%1 — %2, %3 %4").arg(event.code(), mutualSentence(event), mutualTypeWord(event), mutualKindWord(event));
}

QString mutualTheoryNote()
{
    return tr("Les phénomènes mutuels sont toujours calculés avec la théorie précise (L1.2), "
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
        r.change = mutualKindWord(ev);
        r.mutual = int(i);
        if (site)
            zeno::placeRow(r, *site, visibility);
        rows.push_back(std::move(r));
    }
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.ut < b.ut; });
}
