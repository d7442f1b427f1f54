// What the fuzz targets share: a check that stops the run (libFuzzer keeps
// the input as a crash), and a reader of the input's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                \
    do {                                                                                     \
        if (!(condition)) {                                                                  \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                    \
        }                                                                                    \
    } while (false)

// Takes bytes from the front of the input; 0 once it is used up.
struct FuzzInput {
    const std::uint8_t* data;
    std::size_t size;

    std::uint8_t Byte()
    {
        if (size == 0)
            return 0;
        --size;
        return *data++;
    }
};
