#include "mutual_rows.h"

#include "modern_theory.h"
#include "scene_frame.h"
#include "vocabulary.h"

#include <QCoreApplication>

QString mutualTypeWord(const zeno::MutualEvent& event)
{
    return event.type == zeno::MutualType::Eclipse ? QCoreApplication::translate("MutualEvent", "éclipse")
                                                   : QCoreApplication::translate("MutualEvent", "occultation");
}

QString mutualKindWord(const zeno::MutualEvent& event)
{
    return zeno::shownWord(zeno::kindRowWord(event.kind));
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
                                       "Les phénomènes mutuels sont toujours calculés avec la théorie précise (%1), "
                                       "quelle que soit la case « Théorie précise ».").arg(zeno::l12TheoryName());
}
