#include "deltat.h"

#include <cmath>
#include <iterator>

namespace zeno {

namespace {

constexpr double kFirstYear = 1620;
// Seconds at the start of 1620, 1622, ... 2026.
constexpr double kObserved[] = {
    121, 112, 103, 95, 88, 82, 77, 72, 68, 63, 60, 56, 53, 51, 48, 46, 44, 42, 40, 38,                 // 1620
    35, 33, 31, 29, 26, 24, 22, 20, 18, 16, 14, 12, 11, 10, 9, 8, 7, 7, 7, 7,                          // 1660
    7, 7, 8, 8, 9, 9, 9, 9, 9, 10, 10, 10, 10, 10, 10, 10, 10, 11, 11, 11,                             // 1700
    11, 11, 12, 12, 12, 12, 13, 13, 13, 14, 14, 14, 14, 15, 15, 15, 15, 15, 16, 16,                    // 1740
    16, 16, 16, 16, 16, 16, 15, 15, 14, 13,                                                            // 1780
    13.1, 12.5, 12.2, 12.0, 12.0, 12.0, 12.0, 12.0, 12.0, 11.9, 11.6, 11.0, 10.2, 9.2, 8.2,            // 1800
    7.1, 6.2, 5.6, 5.4, 5.3, 5.4, 5.6, 5.9, 6.2, 6.5, 6.8, 7.1, 7.3, 7.5, 7.6,                         // 1830
    7.7, 7.3, 6.2, 5.2, 2.7, 1.4, -1.2, -2.8, -3.8, -4.8, -5.5, -5.3, -5.6, -5.7, -5.9,                // 1860
    -6.0, -6.3, -6.5, -6.2, -4.7, -2.8, -0.1, 2.6, 5.3, 7.7, 10.4, 13.3, 16.0, 18.2, 20.2,             // 1890
    21.1, 22.4, 23.5, 23.8, 24.3, 24.0, 23.9, 23.9, 23.7, 24.0, 24.3, 25.3, 26.2, 27.3, 28.2,          // 1920
    29.1, 30.0, 30.7, 31.4, 32.2, 33.1, 34.0, 35.0, 36.5, 38.3, 40.2, 42.2, 44.5, 46.5, 48.5,          // 1950
    50.5, 52.2, 53.8, 54.9, 55.8, 56.9, 58.3, 60.0, 61.6, 63.0,                                        // 1980
    63.83, 64.30, 64.57, 64.85, 65.46, 66.07, 66.60, 67.28, 68.10, 68.97, 69.36, 69.29, 69.18, 69.11,  // 2000
};
constexpr int kCount = int(std::size(kObserved));
constexpr double kLastYear = kFirstYear + 2 * (kCount - 1);   // 2026
constexpr double kFadeEnd = 2050;

double espenakMeeus(double y)
{
    if (y < -500) {
        const double u = (y - 1820) / 100;
        return -20 + 32 * u * u;
    }
    if (y < 500) {
        const double u = y / 100;
        return 10583.6 + u * (-1014.41 + u * (33.78311 + u * (-5.952053 + u * (-0.1798452 + u * (0.022174192 + u * 0.0090316521)))));
    }
    if (y < 1600) {
        const double u = (y - 1000) / 100;
        return 1574.2 + u * (-556.01 + u * (71.23472 + u * (0.319781 + u * (-0.8503463 + u * (-0.005050998 + u * 0.0083572073)))));
    }
    if (y < 1700) {
        const double t = y - 1600;
        return 120 - 0.9808 * t - 0.01532 * t * t + t * t * t / 7129;
    }
    if (y < 2050) {
        const double t = y - 2000;
        return 62.92 + 0.32217 * t + 0.005589 * t * t;
    }
    const double u = (y - 1820) / 100;
    if (y < 2150)
        return -20 + 32 * u * u - 0.5628 * (2150 - y);
    return -20 + 32 * u * u;
}

} // namespace

double deltaTModerne(double year)
{
    if (year >= kFirstYear && year < kLastYear) {
        const double x = (year - kFirstYear) / 2;
        const int i = int(x);
        const double f = x - i;
        return kObserved[i] + f * (kObserved[i + 1] - kObserved[i]);
    }
    if (year >= kLastYear && year < kFadeEnd) {
        // From the last observed value, held flat, to the polynomial: a smooth
        // step, so that the next few years stay near today's rate (the
        // polynomial alone rises 0.6 s a year, too fast for UTC's bound).
        const double s = (year - kLastYear) / (kFadeEnd - kLastYear);
        const double w = s * s * (3 - 2 * s);
        return (1 - w) * kObserved[kCount - 1] + w * espenakMeeus(year);
    }
    return espenakMeeus(year);
}

} // namespace zeno
