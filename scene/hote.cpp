#include "hote.h"

namespace zeno {

const char* captionName(Caption caption)
{
    static const char* const names[kCaptionCount] = {
        "jourjuli", "datetu", "syst1", "syst2", "Form2",
        "InfoIoEc", "InfoIoOm", "InfoIoOc", "InfoIoPa",
        "InfoEuropeEc", "InfoEuropeOm", "InfoEuropeOc", "InfoEuropePa",
        "InfoGanyEc", "InfoGanyOm", "InfoGanyOc", "InfoGanyPa",
        "InfoCaliEc", "InfoCaliOm", "InfoCaliOc", "InfoCaliPa",
    };
    return names[static_cast<int>(caption)];
}

} // namespace zeno
