#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/link/link_session.h"
#include "core/link/radio_port.h"
#include "core/radio/memory_image.h"

namespace radioprog {

/// How long the read after a write retries its handshake before it asks: a radio may restart
/// after it was programmed.
inline constexpr Milliseconds kVerifyPatience(10000);

/// The wire addresses of the half-blocks of image blocks 0-61 in which @p readBack differs from
/// @p sent, in address order. A User's write leaves the identity record (0x1B8) alone, so it is
/// not compared then.
std::vector<std::size_t> DifferingHalfBlocks(const RadioImage& sent, const RadioImage& readBack,
                                             AccessRole role);

/// "0x01B8" for each address, separated by ", ".
std::string HalfBlockList(const std::vector<std::size_t>& addresses);

}  // namespace radioprog
