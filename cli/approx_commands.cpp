#include "approx_commands.h"

#include "approximation_fit.h"
#include "light_curve_fit.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <cstdio>

namespace approx_cli {

namespace {

void fail(const QString& what) { std::fprintf(stderr, "zenolune-ephem : %s\n", what.toUtf8().constData()); }

// A number rounded to 10^-decimals, null when there is none.
QJsonValue rounded(double v, int decimals)
{
    if (!std::isfinite(v))
        return QJsonValue::Null;
    const double scale = std::pow(10.0, decimals);
    return std::round(v * scale) / scale;
}

void print(const QJsonObject& o) { std::printf("%s\n", QJsonDocument(o).toJson(QJsonDocument::Compact).constData()); }

QJsonObject json(const zeno::Approximation& a)
{
    QJsonObject o;
    o[QStringLiteral("code")] = a.code();
    o[QStringLiteral("central_ut")] = zeno::utIsoTenths(a.centralUt);
    o[QStringLiteral("distance_arcsec")] = rounded(a.distanceArcsec, 3);
    o[QStringLiteral("distance_km")] = rounded(a.distanceKm, 0);
    o[QStringLiteral("speed_mas_s")] = rounded(a.speedMasS, 2);
    o[QStringLiteral("motion_angle_deg")] = rounded(a.motionAngleDeg, 1);
    o[QStringLiteral("limb_arcsec")] = QJsonArray{rounded(a.limbArcsec[0], 1), rounded(a.limbArcsec[1], 1)};
    const auto both = [](const bool (&f)[2]) { return QJsonArray{f[0], f[1]}; };
    o[QStringLiteral("behind_jupiter")] = both(a.behindJupiter);
    o[QStringLiteral("in_jupiter_shadow")] = both(a.inJupiterShadow);
    o[QStringLiteral("in_front_of_jupiter")] = both(a.inFrontOfJupiter);
    o[QStringLiteral("mutual_event")] = a.mutualEvent.isEmpty() ? QJsonValue::Null : QJsonValue(a.mutualEvent);
    o[QStringLiteral("topocentric")] = a.site.has_value();
    if (a.site) {
        o[QStringLiteral("jupiter_altitude")] = rounded(a.jupiterAltDeg, 2);
        o[QStringLiteral("sun_altitude")] = rounded(a.sunAltDeg, 2);
    }
    o[QStringLiteral("near_stationary")] = a.stationary;
    o[QStringLiteral("observable")] = a.observable;
    return o;
}

} // namespace

int list(const QDateTime& fromUt, const QDateTime& toUt, const zeno::ApproximationOptions& options, bool csv)
{
    if (const QString fault = zeno::checkApproximationOptions(options); !fault.isEmpty()) {
        fail(fault);
        return 1;
    }
    const auto found = zeno::findApproximations(fromUt.toSecsSinceEpoch(), toUt.toSecsSinceEpoch(), options);
    if (csv) {
        std::fputs(zeno::approximationsCsv(found).toUtf8().constData(), stdout);
        return 0;
    }
    for (const zeno::Approximation& a : found)
        print(json(a));
    return 0;
}

int reduce(const QString& file, const QString& code, const QDateTime& nearUt, const zeno::ApproximationOptions& options,
           const zeno::ObservedTrack* measured)
{
    const auto pair = zeno::parseApproximationCode(code);
    if (!pair) {
        fail(QCoreApplication::translate("zenolune-ephem", "approximation illisible « %1 » : deux chiffres de 1 à 4 autour de A, par exemple 1A2").arg(code));
        return 1;
    }
    if (const QString fault = zeno::checkApproximationOptions(options); !fault.isEmpty()) {
        fail(fault);
        return 1;
    }
    const auto predicted = zeno::findApproximation(pair->first, pair->second, nearUt.toSecsSinceEpoch(), options);
    if (!predicted) {
        fail(QCoreApplication::translate("zenolune-ephem", "aucune approximation %1 à moins de %2\" et de 24 h du %3 TU")
                 .arg(code.trimmed().toUpper())
                 .arg(options.maxDistanceArcsec)
                 .arg(zeno::mutualUtText(double(nearUt.toSecsSinceEpoch()))));
        return 1;
    }
    const zeno::ObservedTrack track = measured ? *measured : zeno::loadObservedTrack(file);
    if (!track.error.isEmpty()) {
        fail(QStringLiteral("%1 : %2").arg(file, track.error));
        return 1;
    }
    if (!track.badRowsText.isEmpty() && !measured)   // a recording's dropped frames are said by its measurement
        fail(track.badRowsText);
    const zeno::ApproximationFit fit = zeno::fitApproximation(track.samples);
    if (!fit.error.isEmpty()) {
        fail(QStringLiteral("%1 : %2").arg(file, fit.error));
        return 1;
    }
    const zeno::ApproximationOC oc = zeno::approximationOC(*predicted, fit, track.unit);
    QJsonObject o;
    o[QStringLiteral("code")] = predicted->code();
    o[QStringLiteral("converged")] = fit.converged;
    if (!fit.converged)
        o[QStringLiteral("message")] = fit.failure;
    o[QStringLiteral("topocentric")] = predicted->site.has_value();
    o[QStringLiteral("predicted_central_ut")] = zeno::utIsoTenths(predicted->centralUt);
    o[QStringLiteral("observed_central_ut")] = zeno::utIsoTenths(fit.centralUt);
    o[QStringLiteral("observed_central_jd")] = rounded(zeno::julianDayOfSeconds(fit.centralUt), 7);
    o[QStringLiteral("sigma_s")] = rounded(fit.centralSigmaS, 2);
    o[QStringLiteral("o_minus_c_s")] = rounded(oc.centralS, 2);
    o[QStringLiteral("o_minus_c_mas")] = rounded(oc.alongMas, 1);
    o[QStringLiteral("unit")] = track.unit == zeno::TrackUnit::Arcsec ? QStringLiteral("arcsec") : QStringLiteral("pixel");
    o[QStringLiteral("minimum_distance")] = rounded(fit.distance, 4);
    o[QStringLiteral("minimum_distance_sigma")] = rounded(fit.distanceSigma, 4);
    o[QStringLiteral("predicted_distance_arcsec")] = rounded(predicted->distanceArcsec, 4);
    if (oc.distanceArcsec)
        o[QStringLiteral("o_minus_c_distance_arcsec")] = rounded(*oc.distanceArcsec, 4);
    o[QStringLiteral("speed_per_s")] = rounded(fit.speed, 7);
    o[QStringLiteral("curvature")] = fit.curvature;
    o[QStringLiteral("reduced_chi2")] = QString::number(fit.reducedChi2, 'g', 4).toDouble();
    o[QStringLiteral("points")] = fit.points;
    o[QStringLiteral("bad_rows")] = track.badRows;   // a recording's: the frames dropped
    if (measured) {
        o[QStringLiteral("frames")] = track.rows;
        o[QStringLiteral("kept")] = int(track.samples.size());
    }
    o[QStringLiteral("weighted")] = fit.weighted;
    print(o);
    return fit.converged ? 0 : 1;
}

} // namespace approx_cli
