#pragma once

#include <string>
#include <vector>

#include "core/base/language.h"
#include "core/radio/memory_image.h"

namespace radioprog {

/// The band edges of every radio the program knows lie within these, in MHz.
inline constexpr unsigned kLowestBandEdge = 100;
inline constexpr unsigned kHighestBandEdge = 1000;

/// Why @p image may not be a radio's memory at all, in @p language: band limits no radio has
/// (the lower edge at or above the upper, either edge outside 100-1000 MHz), an identity record
/// that does not begin with 50. Empty when it looks like a radio's.
std::vector<std::string> ImageDoubts(const RadioImage& image, Language language);

/// "@p name may not be a radio file: DOUBTS" in @p language; empty when there are none.
std::string RadioFileDoubt(const std::string& name, const RadioImage& image, Language language);

/// The question before writing such an image to the radio; empty when there are no doubts.
std::string WriteDoubtQuestion(const RadioImage& image, Language language);

}  // namespace radioprog
