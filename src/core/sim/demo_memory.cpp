#include "core/sim/demo_memory.h"

#include "core/radio/channel_codec.h"
#include "core/radio/new_image.h"
#include "core/radio/text_grid.h"

namespace radioprog {
namespace {

struct DemoEdit {
    int channel;
    int col;
    const char* text;
};

// Typed as a person would, so every channel passes the same rules as an edit in the grid.
constexpr DemoEdit kEdits[] = {
    {1, column::kRxFrequency, "145.0125"},
    {1, column::kTxFrequency, "145.6125"},
    {1, column::kRxTone, "88.5"},
    {1, column::kTxTone, "88.5"},
    {2, column::kRxFrequency, "146.520"},
    {3, column::kRxFrequency, "150.00625"},
    {3, column::kRxTone, "D023N"},
    {3, column::kTxTone, "D023N"},
    {3, column::kPower, "Low"},
    {3, column::kBusyLock, "QT/DQT"},
    {3, column::kWideNarrow, "Narrow"},
    {4, column::kRxFrequency, "155.340"},
    {4, column::kTxFrequency, "155.400"},
    {4, column::kRxTone, "D754I"},
    {4, column::kTxTone, "D754I"},
    {4, column::kScanAdd, "Yes"},
    {5, column::kRxFrequency, "162.550"},
    {5, column::kPower, "Low"},
    {5, column::kBusyLock, "Carrier"},
    {5, column::kScanAdd, "Yes"},
};

}  // namespace

RadioImage DemoMemory() {
    RadioImage memory = NewRadioImage(PackedPassword{0xFF, 0xFF, 0xFF});
    TextGrid grid;
    BandLimits band;
    ImageToGrid(memory, grid, band, Language::English);
    for (const DemoEdit& edit : kEdits) {
        grid.SetCurrentCell(edit.channel, edit.col);
        grid.OpenEditor(edit.text);
        CommitEditedCell(grid, band, Language::English);
    }
    GridToImage(grid, band, memory);
    return memory;
}

}  // namespace radioprog
