// The scene frame: scales, orientation, the fixed colours and the one
// drawing operation of every phenomenon test.
#pragma once

#include "hote.h"

#include <QString>

#include <cstdint>

namespace zeno {

constexpr std::int16_t kMainScale = 200;     // scene units per Jupiter radius, Picture1
constexpr std::int16_t kReducedScale = 80;   // Picture2: the main scene at 1/2.5

constexpr Rgb kDiskColour{200, 190, 44};     // covers a satellite behind Jupiter
constexpr Rgb kShadowColour{0, 0, 0};        // a satellite's shadow on the disk
constexpr Rgb kEclipseColour{0, 0, 255};

// User coordinates of the two picture areas (origin at the centre, y down).
struct SceneRect { int left, top, width, height; };
constexpr SceneRect kMainRect{-5678, -1538, 11356, 3076};
constexpr SceneRect kReducedRect{-2271, -615, 4542, 1230};

// The orientation factor (1 - 2 v) k, formed in 16-bit integers: v the flip
// box's value (0 or 1), k a scale. Throws ErreurExecution 6 beyond 16 bits.
std::int16_t orientationFactor(int checkValue, std::int16_t scale);

// x = X * factor (X in RJ, x in scene units), multiplied in double, then
// rounded to single precision. Throws ErreurExecution 6 when x is not finite.
float scenePoint(double offset, std::int16_t factor);

// One filled disc at the offset (X, Y) in Jupiter radii, of a radius in
// scene units: main scene first, then the reduced scene, each in its own
// window's orientation. Throws ErreurExecution 6 as the two above.
void DessineDisque(Hote& hote, double X, double Y, std::int16_t radius, Rgb colour);

// Where DessineDisque puts the centre of a disc at (X, Y) in a scene, in
// that window's orientation (the same arithmetic, the same bits).
struct ScenePoint {
    float x = 0, y = 0;
};
ScenePoint scenePointOf(Hote& hote, Scene scene, double X, double Y);

// The satellite drawing table. The names are the program's own (JSON, CSV);
// windows show satelliteDisplayName().
struct Satellite {
    const char* name;        // "Io", "Europe", "Ganymède", "Callisto"
    std::int16_t radius;     // marker radius, also the satellite's identity in the tests
    Rgb own;
};
constexpr Satellite kSatellites[4] = {
    {QT_TRANSLATE_NOOP("Satellite", "Io"), 10, {255, 0, 255}},
    {QT_TRANSLATE_NOOP("Satellite", "Europe"), 8, {41, 255, 255}},
    {QT_TRANSLATE_NOOP("Satellite", "Ganymède"), 16, {0, 255, 0}},
    {QT_TRANSLATE_NOOP("Satellite", "Callisto"), 14, {255, 0, 0}},
};
// The satellite's name in the user's language.
QString satelliteDisplayName(int satellite);

// Which satellite a marker radius stands for: 0..3 compared in the order
// 10, 8, 16, 14; -1 for any other radius (the disc is drawn, no label written).
int satelliteOfRadius(std::int16_t radius);

enum class Phenomenon { Ec, Om, Oc, Pa };
// The label of a satellite (0..3) and a phenomenon, e.g. InfoGanyOc.
Caption phenomenonCaption(int satellite, Phenomenon kind);

} // namespace zeno
