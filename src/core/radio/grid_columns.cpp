#include "core/radio/grid_columns.h"

#include <array>
#include <cstdio>

#include "core/radio/channel_grid.h"
#include "core/radio/display_texts.h"
#include "core/radio/tones.h"

namespace radioprog {
namespace {

constexpr std::array<BilingualText, column::kCount> kHeaders = {{
    {"CH", "信道"},
    {"Rx Frequency", "接收频率"},
    {"Tx Frequency", "发射频率"},
    {"QT/DQT Dec", "QT/DQT解码"},
    {"QT/DQT Enc", "QT/DQT编码"},
    {"Power", "功率"},
    {"Scan Add", "扫描添加"},
    {"Busy Lock", "繁忙锁定"},
    {"W/N", "宽/窄"},
}};

std::vector<std::string> Items(std::initializer_list<BilingualText> texts, Language language) {
    std::vector<std::string> items;
    for (const BilingualText& text : texts) {
        items.emplace_back(text.In(language));
    }
    return items;
}

}  // namespace

std::string ColumnHeader(int col, Language language) {
    if (col < 0 || col >= column::kCount) {
        return {};
    }
    return std::string(kHeaders[static_cast<std::size_t>(col)].In(language));
}

std::string RowLabel(int row) {
    char label[16];
    std::snprintf(label, sizeof label, "%2d", row);
    return label;
}

std::vector<std::string> ColumnItems(int col, Language language) {
    switch (col) {
        case column::kRxTone:
        case column::kTxTone:
            return ToneList(language);
        case column::kPower:
            return Items({texts::kHigh, texts::kLow}, language);
        case column::kScanAdd:
            return Items({texts::kScanYes, texts::kScanNo}, language);
        case column::kBusyLock:
            return Items({texts::kBusyOff, texts::kBusyCarrier, texts::kBusyQtDqt}, language);
        case column::kWideNarrow:
            return Items({texts::kWide, texts::kNarrow}, language);
        default:
            return {};
    }
}

}  // namespace radioprog
