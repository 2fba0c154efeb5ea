// A headless host for the computation pass: flips are plain values, captions
// and discs are recorded. Used by the command-line companion, the tests and
// the benchmarks, so that they run the very pass the window runs.
#pragma once

#include "hote.h"

#include <QString>
#include <array>
#include <vector>

namespace zeno {

struct DisqueTrace {
    Scene scene;
    float x, y, radius;
    Rgb colour;
};

class Enregistreur : public Hote {
public:
    Enregistreur();

    int flip(Flip which) override { return flips[static_cast<int>(which)]; }
    void clearScene(Scene scene) override;
    void drawDisc(Scene scene, float x, float y, float radius, Rgb colour) override;
    void setCaption(Caption caption, const QString& text) override;

    const QString& caption(Caption c) const { return captions[static_cast<int>(c)]; }

    std::array<int, 4> flips{0, 0, 0, 0};   // MainEW, MainNS, ReducedEW, ReducedNS
    std::array<QString, kCaptionCount> captions;
    std::vector<DisqueTrace> discs;          // in drawing order, since the scenes were cleared
    int clears = 0;
};

} // namespace zeno
