#include "scene_frame.h"

#include "erreur.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>

namespace zeno {

std::int16_t orientationFactor(int checkValue, std::int16_t scale)
{
    const std::int64_t factor = (1 - 2 * std::int64_t(checkValue)) * scale;
    if (factor < std::numeric_limits<std::int16_t>::min() || factor > std::numeric_limits<std::int16_t>::max())
        throw ErreurExecution(ErreurExecution::Depassement);
    return std::int16_t(factor);
}

float scenePoint(double offset, std::int16_t factor)
{
    const float point = static_cast<float>(offset * static_cast<double>(factor));
    if (!std::isfinite(point))
        throw ErreurExecution(ErreurExecution::Depassement);
    return point;
}

void DessineDisque(Hote& hote, double X, double Y, std::int16_t radius, Rgb colour)
{
    const std::int16_t mainEW = orientationFactor(hote.flip(Flip::MainEW), kMainScale);
    const std::int16_t mainNS = orientationFactor(hote.flip(Flip::MainNS), kMainScale);
    hote.drawDisc(Scene::Main, scenePoint(X, mainEW), scenePoint(Y, mainNS), float(radius), colour);

    const std::int16_t reducedEW = orientationFactor(hote.flip(Flip::ReducedEW), kReducedScale);
    const std::int16_t reducedNS = orientationFactor(hote.flip(Flip::ReducedNS), kReducedScale);
    hote.drawDisc(Scene::Reduced, scenePoint(X, reducedEW), scenePoint(Y, reducedNS), float(radius), colour);
}

QString satelliteDisplayName(int satellite)
{
    return QCoreApplication::translate("Satellite", kSatellites[satellite].name);
}

int satelliteOfRadius(std::int16_t radius)
{
    for (int i = 0; i < 4; ++i)
        if (radius == kSatellites[i].radius)
            return i;
    return -1;
}

Caption phenomenonCaption(int satellite, Phenomenon kind)
{
    return static_cast<Caption>(kFirstPhenomenonCaption + 4 * satellite + static_cast<int>(kind));
}

} // namespace zeno
