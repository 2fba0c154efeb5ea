// Synthetic recordings of a mutual event made from the program's own model:
// Jupiter's disc and glare, the four satellites as Gaussian images at their
// predicted places (scale, rotation and mirror chosen), the target's light
// from the predicted light curve `shiftS` late, a sky background and noise.
// A mutual approximation instead: every satellite at its place `shiftS`
// late, no light lost, the frames centred on the central instant.
// Written as SER (with the time stamps' trailer), a FITS cube, or 16-bit
// grey frames for a video.
#pragma once

#include "approximations.h"
#include "measurement.h"
#include "modern_theory.h"

#include <QString>
#include <complex>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

namespace zeno::test {

struct SyntheticScene {
    MutualEvent event;
    std::optional<Approximation> approximation;   // set: the pair's pass instead of the event
    double shiftS = 12.3;        // observed minus predicted
    int width = 160, height = 120;
    int frames = 0;              // 0: the event and a margin
    double cadenceS = 2;
    double pixelsPerRadius = 0;  // 0: the pair, a third satellite and Jupiter in the frame
    double rotationDeg = 0;
    bool flip = false;
    double sigmaPx = 1.3;
    double brightestAdu = 20000; // the brightest satellite's light in the frame, ADU
    double skyAdu = 300, noiseAdu = 15;
    bool jupiter = true;
    bool satellites[4] = {true, true, true, true};
    unsigned seed = 7;

    double start() const;                       // UT of frame 0
    int frameCount() const;
    double time(int i) const { return start() + i * cadenceS; }
    std::complex<double> place(int k, double ut) const;   // pixels
    std::vector<uint16_t> render(int i, std::mt19937& noise) const;
    void choose();                              // frames and scale when left at 0
    double leastDistanceUt() const;             // the approximation as rendered: when the pair is nearest in the frame
};

bool writeSer(const QString& path, const SyntheticScene& s, bool stamps = true);
bool writeFitsCube(const QString& path, const SyntheticScene& s, bool dated = true);
// Raw 16-bit little-endian grey frames, one after the other (a video encoder's input).
QByteArray rawFrames(const SyntheticScene& s);

// The event 3E1 of 31/12/2026.
MutualEvent eventOf(const char* code, const char* isoDate);

} // namespace zeno::test
