// The companion's mutual approximations: the list of a range (--approx) and
// the reduction of an observed track (--reduce FILE --approx CODE,DATE).
#pragma once

#include "approximation_fit.h"

#include <QDateTime>
#include <QString>

namespace approx_cli {

// One JSON object per approximation (or a CSV table), in time order. 0 when done.
int list(const QDateTime& fromUt, const QDateTime& toUt, const zeno::ApproximationOptions& options, bool csv);

// The approximation CODE nearest the UT instant (within 24 h) fitted to the
// track file (or to `measured`, a recording's track): one JSON object; 1
// when it cannot be read or fitted.
int reduce(const QString& file, const QString& code, const QDateTime& nearUt, const zeno::ApproximationOptions& options,
           const zeno::ObservedTrack* measured = nullptr);

} // namespace approx_cli
