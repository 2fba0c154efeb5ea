// libnova caches its last results (the Earth's and the planets' VSOP87
// places, the nutation) in static variables: one caller at a time, whichever
// thread it runs on (the window and the phenomena window's worker).
#pragma once

#include <mutex>

namespace zeno {

inline std::mutex& libnovaMutex()
{
    static std::mutex m;
    return m;
}

} // namespace zeno
