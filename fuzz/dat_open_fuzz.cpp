// Opens arbitrary bytes as a .dat file and shows them in the grid. What the grid shows must
// store back into an image that shows the same texts again, and storing must be idempotent.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/doc/app_context.h"
#include "core/doc/program_doc.h"
#include "core/radio/channel_codec.h"
#include "core/radio/channel_record.h"
#include "core/radio/text_grid.h"

using namespace radioprog;

namespace {

// A frequency whose invalid digits decode beyond eight BCD digits is stored cleared on purpose,
// so its channel's texts may change on the second showing.
bool FitsInBcd(const RadioImage& image, int channel) {
    const ChannelRecordView view(image, channel);
    return view.RxFrequency() <= kMaxBcdFrequency && view.TxFrequency() <= kMaxBcdFrequency;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                              ("dat-fuzz-" + std::to_string(::getpid()) + ".dat");
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    AppContext context(std::filesystem::temp_directory_path() / "dat-fuzz-user.ini");
    CProgramDoc doc;
    const Status opened = doc.OnOpenDocument(file, context);
    if (opened.ok() != (size >= image::kSize)) {
        std::abort();
    }
    if (!opened) {
        return 0;
    }
    TextGrid first;
    ImageToGrid(doc.image(), first, context.band, Language::English);
    RadioImage stored = doc.image();
    GridToImage(first, context.band, stored);
    RadioImage storedTwice = stored;
    GridToImage(first, context.band, storedTwice);
    if (stored != storedTwice) {
        std::abort();
    }
    TextGrid second;
    BandLimits band;
    ImageToGrid(stored, second, band, Language::English);
    for (int row = 1; row < kGridRows; ++row) {
        if (!FitsInBcd(doc.image(), row)) {
            continue;
        }
        for (int col = 1; col < column::kCount; ++col) {
            if (first.TextMatrix(row, col) != second.TextMatrix(row, col)) {
                std::fprintf(stderr, "row %d col %d: \"%s\" became \"%s\"\n", row, col,
                             first.TextMatrix(row, col).c_str(),
                             second.TextMatrix(row, col).c_str());
                std::abort();
            }
        }
    }
    return 0;
}
