// Text built up in a buffer of fixed size, cut short rather than overrun, without the C
// runtime's string functions, which the DLL does not import.
#pragma once

#include <cstddef>

struct BoundedText {
    char* out;
    size_t size;
    size_t length;

    void add(const char* text) {
        for (; *text && length + 1 < size; ++text) {
            out[length++] = *text;
        }
        out[length] = '\0';
    }
    void add(long value) {
        char digits[16];
        char* at = digits + sizeof digits;
        *--at = '\0';
        unsigned long magnitude =
            value < 0 ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
        do {
            *--at = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude);
        if (value < 0) {
            *--at = '-';
        }
        add(at);
    }
};
