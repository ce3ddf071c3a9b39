#pragma once

#include "core/radio/memory_image.h"

namespace radioprog {

/// A radio memory with a few programmed channels (CTCSS and DCS tones, low power, narrow, scan
/// members), no password, for trying the program without a radio.
RadioImage DemoMemory();

}  // namespace radioprog
