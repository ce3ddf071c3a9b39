#include "core/radio/image_doubts.h"

#include "core/radio/band_limits.h"

namespace radioprog {
namespace {

// The doubts one after the other, as a sentence of the language.
std::string Joined(const std::vector<std::string>& doubts, Language language) {
    const std::string separator = language == Language::Chinese ? "；" : "; ";
    std::string text;
    for (const std::string& doubt : doubts) {
        text += (text.empty() ? "" : separator) + doubt;
    }
    return text;
}

}  // namespace

std::vector<std::string> ImageDoubts(const RadioImage& image, Language language) {
    std::vector<std::string> doubts;
    const BandLimits band = ReadBandLimits(image);
    if (band.lower() >= band.upper() || band.lower() < kLowestBandEdge ||
        band.upper() > kHighestBandEdge) {
        const std::string range =
            std::to_string(band.lower()) + " - " + std::to_string(band.upper()) + " MHz";
        doubts.push_back(language == Language::Chinese
                             ? "其频段范围（" + range + "）不可能"
                             : "its band limits (" + range + ") are impossible");
    }
    if (image[image::kIdentity] != image::kIdentityMarker) {
        doubts.emplace_back(
            BilingualText{"its identity record does not begin with 50", "其识别记录不以 50 开头"}
                .In(language));
    }
    return doubts;
}

std::string RadioFileDoubt(const std::string& name, const RadioImage& image, Language language) {
    const std::vector<std::string> doubts = ImageDoubts(image, language);
    if (doubts.empty()) {
        return {};
    }
    if (language == Language::Chinese) {
        return "“" + name + "”可能不是对讲机文件：" + Joined(doubts, language);
    }
    return "\"" + name + "\" may not be a radio file: " + Joined(doubts, language);
}

std::string WriteDoubtQuestion(const RadioImage& image, Language language) {
    const std::vector<std::string> doubts = ImageDoubts(image, language);
    if (doubts.empty()) {
        return {};
    }
    if (language == Language::Chinese) {
        return "要写入的数据可能不是对讲机的：" + Joined(doubts, language) +
               "。\n仍要写入对讲机吗？";
    }
    return "The memory to write may not be a radio's: " + Joined(doubts, language) +
           ".\nWrite it to the radio anyway?";
}

}  // namespace radioprog
