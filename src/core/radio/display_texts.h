#pragma once

#include "core/base/language.h"

namespace radioprog::texts {

// Each literal serves both for showing a value and for recognising it when the grid is stored.
inline constexpr BilingualText kNone{"None", "无"};
inline constexpr BilingualText kScanYes{"Yes", "有"};
inline constexpr BilingualText kScanNo{"No", "无"};
inline constexpr BilingualText kHigh{"High", "高"};
inline constexpr BilingualText kLow{"Low", "低"};
inline constexpr BilingualText kBusyOff{"Off", "关"};
inline constexpr BilingualText kBusyCarrier{"Carrier", "载波"};
inline constexpr BilingualText kBusyQtDqt{"QT/DQT", "QT/DQT"};
inline constexpr BilingualText kWide{"Wide", "宽"};
inline constexpr BilingualText kNarrow{"Narrow", "窄"};

inline constexpr BilingualText kChannelInformation{"Channel Information", "信道信息"};
inline constexpr BilingualText kCustomize{"Customize", "自定义"};
inline constexpr BilingualText kFrequencyInputError{"Frequency input error",
                                                    "起始频率应小于结束频率"};

}  // namespace radioprog::texts
