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

ScenePoint scenePointOf(Hote& hote, Scene scene, double X, double Y)
{
    const bool main = scene == Scene::Main;
    const std::int16_t scale = main ? kMainScale : kReducedScale;
    const std::int16_t ew = orientationFactor(hote.flip(main ? Flip::MainEW : Flip::ReducedEW), scale);
    const std::int16_t ns = orientationFactor(hote.flip(main ? Flip::MainNS : Flip::ReducedNS), scale);
    return {scenePoint(X, ew), scenePoint(Y, ns)};
}

void DessineDisque(Hote& hote, double X, double Y, std::int16_t radius, Rgb colour)
{
    const ScenePoint m = scenePointOf(hote, Scene::Main, X, Y);
    hote.drawDisc(Scene::Main, m.x, m.y, float(radius), colour);
    const ScenePoint r = scenePointOf(hote, Scene::Reduced, X, Y);
    hote.drawDisc(Scene::Reduced, r.x, r.y, float(radius), colour);
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
