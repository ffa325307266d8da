#pragma once
#include <cstddef>

// Paths, the folder box, the filter and the export name are held in buffers of this size, as the
// platform's ANSI calls allow: 259 bytes and the terminator.
constexpr std::size_t kPathSize = 260;
