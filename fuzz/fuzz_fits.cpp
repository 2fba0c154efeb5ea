// The FITS path: the bytes are a whole .fits file, opened by cfitsio (its
// own checks) and read as a cube or a single frame with its time.
#include "fuzz_recording.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::openAndRead(data, size, "fits");
    return 0;
}
