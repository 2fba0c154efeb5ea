// The SER reader: the bytes are a whole .ser file (header, frames, trailer).
// The header alone is parsed too: a header it accepts has sane sizes.
#include "fuzz_recording.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QString why;
    if (const auto h = zeno::parseSerHeader(reinterpret_cast<const char*>(data), qint64(size), &why)) {
        if (h->width <= 0 || h->height <= 0 || h->frames <= 0 || h->depth < 1 || h->depth > 16 || h->frameBytes() <= 0)
            fuzz::echec("a header accepted with impossible sizes", QString::number(h->frames));
    } else if (why.isEmpty()) {
        fuzz::echec("a header refused without a reason", QString());
    }
    fuzz::openAndRead(data, size, "ser");
    return 0;
}
