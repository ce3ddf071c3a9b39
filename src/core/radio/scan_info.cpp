#include "core/radio/scan_info.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <variant>

#include "core/base/text_number.h"
#include "core/radio/channel_codec.h"
#include "core/radio/channel_record.h"
#include "core/radio/decimal_multiply.h"
#include "core/radio/image_fields.h"

namespace radioprog {
namespace {

constexpr BilingualText kNone{"None", "无"};
constexpr BilingualText kFixed{"Fixed", "固定"};
constexpr BilingualText kSelected{"Selected", "选定"};
constexpr BilingualText kRevertSelected{"Selected", "选定"};
constexpr BilingualText kRevertSelectedTalkBack{"Selected+Talk back", "选定+当前通话"};
constexpr BilingualText kRevertPriority{"Priority", "优先"};
constexpr BilingualText kRevertPriorityTalkBack{"Priority+Talk back", "优先+当前通话"};

constexpr BilingualText kSelectProgrammedChannel{"Please select channel inputed",
                                                 "请选择已输入的信道"};
constexpr BilingualText kEnterNumber{"Please enter a number.", "请输入一个数字。"};
constexpr BilingualText kEnterInteger{"Please enter an integer.", "请输入一个整数。"};
constexpr BilingualText kEnterTwoCharacters{"Please enter no more than 2 characters.",
                                            "请输入不超过2个字符。"};

constexpr std::size_t kPriorityChannelCharacters = 2;

// Look-back time = 0.45 + 0.05 x code, code 1..91 for 0.5..5.
constexpr double kLookBackOrigin = 0.45;
constexpr double kLookBackStep = 0.05;
constexpr double kLookBackStepsPerSecond = 20;
constexpr double kLookBackMin = 0.5;
constexpr double kLookBackMax = 5.0;
// Added before an up-arrow step is brought to the grid, so that a value a hair below a grid
// point after the subtraction lands on that point rather than one step further down.
constexpr double kUpArrowNudge = 0.04;
constexpr std::int64_t kTimeMax = 300;

// Revert codes in the image; with Selected priority the list shows only the last two.
constexpr int kRevertCodeOffsetWhenSelected = 2;

// What the five edits hold once read.
struct HeldValues {
    double lookBackA;
    double lookBackB;
    std::int32_t txDwell;
    std::int32_t dropoutDelay;
    std::string priorityChannel;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

// Byte offset of character @p index, or the text's end when it has fewer characters.
std::size_t CharacterOffset(std::string_view text, std::size_t index) {
    std::size_t seen = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) {
            if (seen == index) {
                return at;
            }
            ++seen;
        }
    }
    return text.size();
}

void DeleteSelection(std::string& text, TextSelection selection) {
    const std::size_t from = CharacterOffset(text, selection.start);
    const std::size_t to = CharacterOffset(text, selection.start + selection.length);
    text.erase(from, to - from);
}

std::variant<HeldValues, ScanFieldError> ReadFields(const ScanInfo& info, Language language) {
    HeldValues held{};
    const auto numberError = [language](ScanField field) {
        return ScanFieldError{field, std::string(kEnterNumber.In(language))};
    };
    const auto integerError = [language](ScanField field) {
        return ScanFieldError{field, std::string(kEnterInteger.In(language))};
    };
    const auto a = ReadWholeNumber(info.lookBackTimeA);
    if (!a) {
        return numberError(ScanField::LookBackTimeA);
    }
    const auto b = ReadWholeNumber(info.lookBackTimeB);
    if (!b) {
        return numberError(ScanField::LookBackTimeB);
    }
    const auto dwell = ReadWholeInt(info.txDwellTime);
    if (!dwell) {
        return integerError(ScanField::TxDwellTime);
    }
    const auto dropout = ReadWholeInt(info.dropoutDelayTime);
    if (!dropout) {
        return integerError(ScanField::DropoutDelayTime);
    }
    if (CharacterCount(info.priorityChannel) > kPriorityChannelCharacters) {
        return ScanFieldError{ScanField::PriorityChannel,
                              std::string(kEnterTwoCharacters.In(language))};
    }
    held.lookBackA = *a;
    held.lookBackB = *b;
    held.txDwell = *dwell;
    held.dropoutDelay = *dropout;
    held.priorityChannel = info.priorityChannel;
    return held;
}

void ShowFields(ScanInfo& info, const HeldValues& held) {
    info.lookBackTimeA = FormatLookBackTime(held.lookBackA);
    info.lookBackTimeB = FormatLookBackTime(held.lookBackB);
    info.txDwellTime = std::to_string(held.txDwell);
    info.dropoutDelayTime = std::to_string(held.dropoutDelay);
    info.priorityChannel = held.priorityChannel;
}

// The value brought down to the 0.05 grid, through the decimal product so that 1.05 stays 1.05.
double LookBackOnGrid(double value) {
    return TruncateToInt32(DecimalMultiply(value, kLookBackStepsPerSecond)) * kLookBackStep;
}

double SpinLookBack(double value, SpinArrow arrow) {
    if (arrow == SpinArrow::Down) {
        value += kLookBackStep;
        if (value > kLookBackMax || value < kLookBackMin) {
            return kLookBackMin;
        }
        return LookBackOnGrid(value);
    }
    value -= kLookBackStep;
    if (value < kLookBackMin || value > kLookBackMax) {
        return kLookBackMax;
    }
    return LookBackOnGrid(value + kUpArrowNudge);
}

std::int32_t SpinTime(std::int32_t value, SpinArrow arrow) {
    // 64 bits: a typed value at either end of the 32-bit range must not overflow.
    if (arrow == SpinArrow::Down) {
        const std::int64_t next = std::int64_t{value} + 1;
        return next > kTimeMax ? 0 : static_cast<std::int32_t>(next);
    }
    const std::int64_t next = std::int64_t{value} - 1;
    return next < 0 ? static_cast<std::int32_t>(kTimeMax) : static_cast<std::int32_t>(next);
}

double LimitLookBack(double value) {
    if (value > kLookBackMax) {
        return kLookBackMax;
    }
    if (value < kLookBackMin) {
        return kLookBackMin;
    }
    return LookBackOnGrid(value);
}

std::int32_t LimitTime(std::int32_t value) {
    return value > kTimeMax ? static_cast<std::int32_t>(kTimeMax) : value < 0 ? 0 : value;
}

// The field's held value, for the fields that have one of these kinds.
double* LookBackOf(HeldValues& held, ScanField field) {
    switch (field) {
        case ScanField::LookBackTimeA:
            return &held.lookBackA;
        case ScanField::LookBackTimeB:
            return &held.lookBackB;
        default:
            return nullptr;
    }
}
std::int32_t* TimeOf(HeldValues& held, ScanField field) {
    switch (field) {
        case ScanField::DropoutDelayTime:
            return &held.dropoutDelay;
        case ScanField::TxDwellTime:
            return &held.txDwell;
        default:
            return nullptr;
    }
}

// The priority channel as a number: leading blanks, then digits up to the first other character.
int PriorityChannelNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    int number = 0;
    for (; at < text.size() && IsDigit(text[at]) && number < 1000; ++at) {
        number = number * 10 + (text[at] - '0');
    }
    return number;
}

bool IsProgrammedChannel(const RadioImage& image, int channel) {
    return channel >= 1 && channel <= image::kChannelCount &&
           ChannelRecordView(image, channel).HasRxFrequency();
}

std::int32_t LookBackCode(double seconds) {
    return TruncateToInt32(DecimalMultiply(seconds - kLookBackOrigin, kLookBackStepsPerSecond));
}

// A value whose code does not fit its byte would wrap around into some other time; it is limited
// the way leaving the field limits it.
std::uint8_t StoredLookBackCode(double& seconds) {
    std::int32_t code = LookBackCode(seconds);
    if (code < 0 || code > 0xFF) {
        seconds = LimitLookBack(seconds);
        code = LookBackCode(seconds);
    }
    return static_cast<std::uint8_t>(code);
}

void StoreTime(RadioImage& image, const ImageWord& word, std::int32_t& value) {
    if (value < 0 || value > 0xFFFF) {
        value = LimitTime(value);
    }
    word.Write(image, value);
}

// The index as the Revert Channel list of @p priority would take it.
int SelectableRevert(int priority, int index) {
    const auto count = static_cast<int>(RevertItems(priority, Language::English).size());
    return index >= 0 && index < count ? index : kNoSelection;
}

template <typename Action>
std::optional<ScanFieldError> WithReadFields(ScanInfo& info, Language language, Action action) {
    auto read = ReadFields(info, language);
    if (auto* error = std::get_if<ScanFieldError>(&read)) {
        return std::move(*error);
    }
    HeldValues& held = std::get<HeldValues>(read);
    action(held);
    ShowFields(info, held);
    return std::nullopt;
}

}  // namespace

std::vector<std::string> PriorityItems(Language language) {
    return {std::string(kNone.In(language)), std::string(kFixed.In(language)),
            std::string(kSelected.In(language))};
}

std::vector<std::string> RevertItems(int priority, Language language) {
    std::vector<std::string> items;
    if (priority == kPriorityNone || priority == kPriorityFixed) {
        items.emplace_back(kRevertSelected.In(language));
        items.emplace_back(kRevertSelectedTalkBack.In(language));
    }
    if (priority != kPriorityNone) {
        items.emplace_back(kRevertPriority.In(language));
        items.emplace_back(kRevertPriorityTalkBack.In(language));
    }
    return items;
}

bool PriorityFieldsEnabled(int priority) {
    return priority == kPriorityFixed;
}

bool AcceptsTimeText(std::string_view text) {
    for (char c : text) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    return true;
}

std::string FormatLookBackTime(double seconds) {
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, seconds, std::chars_format::general, 15);
    if (error != std::errc()) {
        return {};
    }
    return std::string(buffer, end);
}

ScanInfo ScanInfo::Load(const RadioImage& image) {
    ScanInfo info;
    info.SelectPriority(field::kPriority.Read(image));
    // Only None and Selected hide the channel: an unknown priority byte still shows it, in a
    // field the refill has disabled.
    if (info.priority != kPriorityNone && info.priority != kPrioritySelected) {
        char channel[8];
        std::snprintf(channel, sizeof channel, "%2d", field::kPriorityChannel.Read(image));
        info.priorityChannel = channel;
    }
    // No limits here: code 0 shows 0.45 and is stored back as 0.
    HeldValues held{};
    held.lookBackA = field::kLookBackA.Read(image) * kLookBackStep + kLookBackOrigin;
    held.lookBackB = field::kLookBackB.Read(image) * kLookBackStep + kLookBackOrigin;
    const int revertCode = field::kRevertChannel.Read(image);
    const int revert = info.priority == kPrioritySelected
                           ? revertCode - kRevertCodeOffsetWhenSelected
                           : revertCode;
    info.revertChannel = SelectableRevert(info.priority, revert);
    held.dropoutDelay = field::kDropoutDelay.Read(image);
    held.txDwell = field::kTxDwell.Read(image);
    held.priorityChannel = info.priorityChannel;
    ShowFields(info, held);
    return info;
}

ScanInfo ScanInfo::Open(const ChannelGrid& grid, const BandLimits& bandInUse, RadioImage& image) {
    GridToImage(grid, bandInUse, image);
    return Load(image);
}

void ScanInfo::SelectPriority(int index) {
    priority = index >= kPriorityNone && index <= kPrioritySelected ? index : kNoSelection;
    if (priority != kPriorityFixed) {
        priorityChannel.clear();
    }
    revertChannel = 0;
}

std::optional<ScanFieldError> ScanInfo::Spin(ScanField field, SpinArrow arrow, Language language) {
    if (field == ScanField::PriorityChannel) {
        return std::nullopt;
    }
    return WithReadFields(*this, language, [field, arrow](HeldValues& held) {
        if (double* seconds = LookBackOf(held, field)) {
            *seconds = SpinLookBack(*seconds, arrow);
        } else if (std::int32_t* time = TimeOf(held, field)) {
            *time = SpinTime(*time, arrow);
        }
    });
}

std::optional<ScanFieldError> ScanInfo::LeaveField(ScanField field, Language language) {
    if (field == ScanField::PriorityChannel) {
        return std::nullopt;
    }
    return WithReadFields(*this, language, [field](HeldValues& held) {
        if (double* seconds = LookBackOf(held, field)) {
            *seconds = LimitLookBack(*seconds);
        } else if (std::int32_t* time = TimeOf(held, field)) {
            *time = LimitTime(*time);
        }
    });
}

std::optional<ScanFieldError> ScanInfo::Ok(RadioImage& image, Language language,
                                           TextSelection priorityChannelSelection) {
    auto read = ReadFields(*this, language);
    if (auto* error = std::get_if<ScanFieldError>(&read)) {
        return std::move(*error);
    }
    HeldValues& held = std::get<HeldValues>(read);

    const int channel = PriorityChannelNumber(held.priorityChannel);
    if (priority == kPriorityFixed && !IsProgrammedChannel(image, channel)) {
        DeleteSelection(priorityChannel, priorityChannelSelection);
        return ScanFieldError{ScanField::PriorityChannel,
                              std::string(kSelectProgrammedChannel.In(language))};
    }

    // Every check has passed: from here on the image is written in full.
    if (priority == kPriorityFixed) {
        field::kPriorityChannel.Write(image, channel);
    }
    field::kPriority.Write(image, priority);
    field::kLookBackA.Write(image, StoredLookBackCode(held.lookBackA));
    field::kLookBackB.Write(image, StoredLookBackCode(held.lookBackB));
    // No selection stores 0xFF whatever the priority: adding the Selected offset to it would
    // store a revert code the list never offered.
    const int revert = SelectableRevert(priority, revertChannel);
    field::kRevertChannel.Write(image, revert == kNoSelection ? image::kEmptyByte
                                       : priority == kPrioritySelected
                                           ? revert + kRevertCodeOffsetWhenSelected
                                           : revert);
    StoreTime(image, field::kDropoutDelay, held.dropoutDelay);
    StoreTime(image, field::kTxDwell, held.txDwell);
    ShowFields(*this, held);
    return std::nullopt;
}

}  // namespace radioprog
