#pragma once

// Helpers shared by the libFuzzer targets.

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace ykt::fuzz {

// A broken promise of the code under test: stops the run with a crash file.
inline void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

inline QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

} // namespace ykt::fuzz
