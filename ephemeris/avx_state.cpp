#include "avx_state.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace zeno {

#if defined(__x86_64__) || defined(__i386__)

namespace {

__attribute__((target("avx"))) void zeroUpper() { _mm256_zeroupper(); }

bool hasAvx()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx");
}

const bool kHasAvx = hasAvx();

} // namespace

void clearUpperAvxState()
{
    if (kHasAvx)
        zeroUpper();
}

#else

void clearUpperAvxState() {}

#endif

} // namespace zeno
