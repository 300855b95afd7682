#pragma once

#include <cstdio>
#include <cstdlib>

// An invariant that must hold for any input. A broken one aborts, which
// libFuzzer reports as a finding and keeps the input that caused it.
#define FUZZ_CHECK(condition)                                                                     \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__,           \
                         #condition);                                                             \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)

// Cut points for feeding one input in several reads: taken from the input's
// first bytes so the fuzzer can steer them.
struct Chunking
{
    const unsigned char *data;
    size_t size;
    unsigned char seed;

    size_t next(size_t offset) const
    {
        const size_t step = 1 + size_t((seed * 31u + offset * 7u) % 23u);
        return offset + step < size ? offset + step : size;
    }
};
