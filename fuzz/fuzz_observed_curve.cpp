// The reader of an observer's light-curve file and its layout detector.
// Input: one selector byte (bits 0-1 the time column, 2-3 the flux column,
// 4 a sigma column, 5-6 magnitudes forced off/on/from the header, 7 a date
// for times without one), then the file's raw bytes, whatever their
// encoding. Whatever the file, the reader returns: either an error, or
// points in time order whose values are all finite, with a layout named.
#include "fuzz_commun.h"
#include "observed_curve.h"

#include <cmath>

using fuzz::echec;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t s = data[0];
    zeno::CurveColumns columns;
    if (s & 1u)
        columns.time = (s >> 1) & 1u;
    if (s & 4u)
        columns.flux = 1 + ((s >> 3) & 1u);
    if (s & 16u)
        columns.sigma = 2;
    if ((s >> 5) & 3u)
        columns.magnitudes = ((s >> 5) & 3u) == 2;
    if (s & 128u)
        columns.dateNearUt = 1798675200;   // 2027-01-01 00:00 UT
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QString text = QString::fromLatin1(bytes);

    const zeno::ObservedCurve c = zeno::readObservedCurve(bytes, columns);
    if (!c.error.isEmpty())
        return 0;
    if (c.layout.isEmpty() || c.encoding.isEmpty() || zeno::readingText(c).isEmpty())
        echec("a curve read without its layout or encoding named", text);
    if (c.badRows < 0 || c.badRows > c.rows || int(c.points.size()) > c.rows)
        echec("row counts that do not add up", text);
    for (std::size_t i = 0; i < c.points.size(); ++i) {
        const zeno::ObservedPoint& p = c.points[i];
        if (!std::isfinite(p.ut) || !std::isfinite(p.flux) || !std::isfinite(p.sigma) || p.sigma < 0)
            echec("a point that is not a finite number", text);
        if (i > 0 && p.ut < c.points[i - 1].ut)
            echec("points out of time order", text);
    }
    return 0;
}
