#pragma once

#include <ostream>

#include "gui/shell/pixel_geometry.h"

// Readable failure messages: gtest finds these next to the types they print.
namespace radioprog {

inline void PrintTo(const PixelPoint& p, std::ostream* out) {
    *out << '(' << p.x << ", " << p.y << ')';
}
inline void PrintTo(const PixelRect& r, std::ostream* out) {
    *out << '(' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ')';
}
inline void PrintTo(const PixelLine& line, std::ostream* out) {
    PrintTo(line.from, out);
    *out << "-";
    PrintTo(line.to, out);
}

}  // namespace radioprog
