#include "enregistreur.h"

#include <algorithm>

namespace zeno {

Enregistreur::Enregistreur()
{
    // The windows' placeholders before any pass.
    captions[static_cast<int>(Caption::jourjuli)] = QStringLiteral("_____");
    captions[static_cast<int>(Caption::datetu)] = QStringLiteral("____");
    captions[static_cast<int>(Caption::syst1)] = QStringLiteral("_____");
    captions[static_cast<int>(Caption::syst2)] = QStringLiteral("_____");
    captions[static_cast<int>(Caption::Form2)] = QStringLiteral("Zenolune");
    for (int i = kFirstPhenomenonCaption; i < kCaptionCount; ++i) {
        const int kind = (i - kFirstPhenomenonCaption) % 4;   // Ec, Om, Oc, Pa
        captions[i] = (kind == 0 || kind == 2) ? QStringLiteral("______") : QStringLiteral("_____");
    }
    discs.reserve(32);
}

void Enregistreur::clearScene(Scene scene)
{
    ++clears;
    discs.erase(std::remove_if(discs.begin(), discs.end(), [scene](const DisqueTrace& d) { return d.scene == scene; }),
                discs.end());
}

void Enregistreur::drawDisc(Scene scene, float x, float y, float radius, Rgb colour)
{
    discs.push_back({scene, x, y, radius, colour});
}

void Enregistreur::setCaption(Caption caption, const QString& text)
{
    captions[static_cast<int>(caption)] = text;
}

} // namespace zeno
