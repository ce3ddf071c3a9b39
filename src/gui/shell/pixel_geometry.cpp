#include "gui/shell/pixel_geometry.h"

namespace radioprog {

RectBorder BorderOf(const PixelRect& r) {
    return {{PixelLine{{r.left, r.top}, {r.right - 2, r.top}},
             PixelLine{{r.left, r.top}, {r.left, r.bottom - 2}}},
            {PixelLine{{r.right - 1, r.top}, {r.right - 1, r.bottom - 1}},
             PixelLine{{r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}}}};
}

}  // namespace radioprog
