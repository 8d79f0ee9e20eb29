#ifndef FUZZ_SUPPORT_H
#define FUZZ_SUPPORT_H

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Stops the run, so that the fuzzer keeps the input, when ok is false.
void require(bool ok, const char *what);

// A readable descriptor positioned at the start of exactly size bytes.
int descriptorWith(const uint8_t *data, size_t size);

// A stream whose bytes land in memory; closeCapture ends it and hands them over.
struct Capture {
    char *bytes;
    size_t size;
    FILE *stream;
};
void openCapture(Capture *c);
void closeCapture(Capture *c);

#endif
