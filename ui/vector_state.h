// A thread starts with a copy of its parent's registers. When the parent
// has just run AVX code that left the upper halves of the vector registers
// in use, every SSE instruction of the new thread then pays a transition
// penalty (ten times slower computations here) until they are cleared.
// Worker threads clear them first.
#pragma once

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>

__attribute__((target("avx"))) inline void clearUpperVectorStateAvx() { _mm256_zeroupper(); }

inline void clearUpperVectorState()
{
    if (__builtin_cpu_supports("avx"))
        clearUpperVectorStateAvx();
}
#else
inline void clearUpperVectorState() {}
#endif
