// Feeds arbitrary cell and editor texts through the commit of an edited cell and grid to image.
// Whatever the texts, the image must hold only valid BCD or the cleared form in its frequency
// fields, and must keep every byte the grid does not own.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/radio/channel_codec.h"
#include "core/radio/channel_record.h"
#include "core/radio/text_grid.h"

using namespace radioprog;

namespace {

bool ValidBcdOrCleared(const std::uint8_t* bytes) {
    if (bytes[0] == 0xFF && bytes[1] == 0xFF && bytes[2] == 0xFF && bytes[3] == 0xFF) {
        return true;
    }
    for (int i = 0; i < 4; ++i) {
        if ((bytes[i] >> 4) > 9 || (bytes[i] & 0x0F) > 9) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    TextGrid grid;
    BandLimits band(136, 174);
    // Cells first, one text per line; a line starting with '>' is typed into the editor of the
    // cell named by its first two bytes and committed.
    int cell = 0;
    while (!input.empty()) {
        const std::size_t end = input.find('\n');
        const std::string_view line = input.substr(0, end);
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
        if (line.size() >= 3 && line[0] == '>') {
            grid.SetCurrentCell(static_cast<unsigned char>(line[1]) % kGridRows,
                                static_cast<unsigned char>(line[2]) % column::kCount);
            grid.OpenEditor(std::string(line.substr(3)));
            CommitEditedCell(grid, band, Language::English);
            if (grid.EditorVisible()) {
                std::abort();
            }
        } else {
            grid.SetTextMatrix(1 + (cell / 8) % 16, 1 + cell % 8, std::string(line));
            ++cell;
        }
    }
    RadioImage image;
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(i * 31);
    }
    const RadioImage before = image;
    GridToImage(grid, band, image);
    for (int channel = 1; channel <= image::kChannelCount; ++channel) {
        const std::uint8_t* record = image.data() + image::ChannelOffset(channel);
        if (!ValidBcdOrCleared(record) || !ValidBcdOrCleared(record + 4)) {
            std::abort();
        }
        const std::uint8_t* old = before.data() + image::ChannelOffset(channel);
        if (record[14] != old[14] || record[15] != old[15] ||
            (record[12] & 0xE7) != (old[12] & 0xE7) || (record[13] & 0xCF) != (old[13] & 0xCF)) {
            std::abort();
        }
    }
    for (std::size_t i = 0x110; i < image.size(); ++i) {
        const bool owned = i == image::kScanAddLow || i == image::kScanAddHigh ||
                           (i >= image::kBandLimits && i < image::kBandLimits + 3);
        if (!owned && image[i] != before[i]) {
            std::abort();
        }
    }
    return 0;
}
