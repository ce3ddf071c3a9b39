#include "core/radio/optional_features.h"

#include <cstdint>

#include "core/radio/image_fields.h"

namespace radioprog {
namespace {

constexpr BilingualText kOn{"On", "开"};
constexpr BilingualText kOff{"Off", "关"};
constexpr BilingualText kChinese{"Chinese", "中文"};
constexpr BilingualText kEnglish{"English", "英文"};

constexpr int kTimeOutSteps = 40;
constexpr int kTimeOutStepSeconds = 15;
constexpr int kHighestPreAlert = 10;
constexpr int kHighestSquelch = 9;
constexpr int kHighestVoxGain = 10;
constexpr const char* kVoxDelays[] = {"0.3", "0.5", "1.0", "1.5", "2.0", "3.0"};

constexpr int kVoxOn = 1;
constexpr int kSquelchNone = 0x0F;
constexpr int kVoiceNone = 0x03;
constexpr std::uint8_t kCodeEnd = 0x00;
constexpr std::uint8_t kStunRemoved = 0x00;

void AddNumbers(std::vector<std::string>& items, int first, int last, int step = 1) {
    for (int n = first; n <= last; n += step) {
        items.push_back(std::to_string(n));
    }
}

int ItemCount(OptionList list) {
    return static_cast<int>(OptionItems(list, Language::English).size());
}

// Index as the list would take it: anything it cannot select selects nothing.
int Selectable(OptionList list, int index) {
    return index >= 0 && index < ItemCount(list) ? index : kNoSelection;
}

// The gain and delay lists fall back to their first entry instead of showing empty.
int SelectableOrFirst(OptionList list, int index) {
    const int selectable = Selectable(list, index);
    return selectable == kNoSelection ? 0 : selectable;
}

// Bytes 0x80-0xFE become U+0080-U+00FE, so every byte a code can hold has a character of its own
// and survives a load and a store unchanged.
void AppendByteAsCharacter(std::string& text, std::uint8_t byte) {
    if (byte < 0x80) {
        text.push_back(static_cast<char>(byte));
    } else {
        text.push_back(static_cast<char>(0xC0 | (byte >> 6)));
        text.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
    }
}

// The image bytes of the characters AcceptCodeText keeps.
std::vector<std::uint8_t> CodeBytes(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    std::size_t i = 0;
    while (i < text.size() && bytes.size() < kCodeLength) {
        const auto lead = static_cast<std::uint8_t>(text[i]);
        if (lead < 0x80) {
            if (lead != kCodeEnd) {
                bytes.push_back(lead);
            }
            ++i;
            continue;
        }
        // Only U+0080-U+00FF have a two-byte form beginning with C2 or C3. Every other byte,
        // whether part of a longer character or not UTF-8 at all, is skipped on its own; a
        // continuation byte can never be taken for the start of a character.
        const bool twoByteLatin = (lead == 0xC2 || lead == 0xC3) && i + 1 < text.size() &&
                                  (static_cast<std::uint8_t>(text[i + 1]) & 0xC0) == 0x80;
        if (!twoByteLatin) {
            ++i;
            continue;
        }
        const auto byte = static_cast<std::uint8_t>(
            ((lead & 0x1F) << 6) | (static_cast<std::uint8_t>(text[i + 1]) & 0x3F));
        if (byte != image::kEmptyByte) {
            bytes.push_back(byte);
        }
        i += 2;
    }
    return bytes;
}

std::string LoadCode(const RadioImage& image, std::size_t at) {
    std::string text;
    for (std::size_t i = 0; i < kCodeLength; ++i) {
        const std::uint8_t byte = image[at + i];
        if (byte == image::kEmptyByte || byte == kCodeEnd) {
            break;
        }
        AppendByteAsCharacter(text, byte);
    }
    return text;
}

void StoreCode(RadioImage& image, std::size_t at, std::string_view text) {
    const std::vector<std::uint8_t> bytes = CodeBytes(text);
    for (std::size_t i = 0; i < kCodeLength; ++i) {
        image[at + i] = i < bytes.size() ? bytes[i] : kCodeEnd;
    }
}

}  // namespace

std::vector<std::string> OptionItems(OptionList list, Language language) {
    std::vector<std::string> items;
    switch (list) {
        case OptionList::TimeOutTimer:
            AddNumbers(items, kTimeOutStepSeconds, kTimeOutSteps * kTimeOutStepSeconds,
                       kTimeOutStepSeconds);
            break;
        case OptionList::TotPreAlert:
            items.emplace_back(kOff.In(language));
            AddNumbers(items, 1, kHighestPreAlert);
            break;
        case OptionList::SquelchLevel:
            AddNumbers(items, 0, kHighestSquelch);
            break;
        case OptionList::VoiceAnnunciation:
            for (const BilingualText& text : {kOff, kChinese, kEnglish}) {
                items.emplace_back(text.In(language));
            }
            break;
        case OptionList::Vox:
        case OptionList::PttId:
            items.emplace_back(kOn.In(language));
            items.emplace_back(kOff.In(language));
            break;
        case OptionList::VoxGainLevel:
            items.emplace_back(kOff.In(language));
            AddNumbers(items, 1, kHighestVoxGain);
            break;
        case OptionList::VoxDelayTime:
            items.assign(std::begin(kVoxDelays), std::end(kVoxDelays));
            break;
    }
    return items;
}

std::string OptionItemText(OptionList list, int index, Language language) {
    return SelectedItem(OptionItems(list, language), index);
}

std::string AcceptCodeText(std::string_view text) {
    std::string kept;
    for (std::uint8_t byte : CodeBytes(text)) {
        AppendByteAsCharacter(kept, byte);
    }
    return kept;
}

OptionalFeatures OptionalFeatures::Load(const RadioImage& image) {
    OptionalFeatures f;
    // Time-out and pre-alert codes count from 1, so that code 0 can stand for nothing.
    f.timeOutTimer = Selectable(OptionList::TimeOutTimer, field::kTimeOutTimer.Read(image) - 1);
    f.totPreAlert = Selectable(OptionList::TotPreAlert, field::kTotPreAlert.Read(image) - 1);
    f.squelchLevel = Selectable(OptionList::SquelchLevel, field::kSquelchLevel.Read(image));
    f.beep = field::kBeep.Read(image) != 0;
    f.vox = field::kVox.Read(image) == kVoxOn ? kOnIndex : kOffIndex;
    f.voxGainLevel = SelectableOrFirst(OptionList::VoxGainLevel, field::kVoxGain.Read(image));
    f.voxDelayTime = SelectableOrFirst(OptionList::VoxDelayTime, field::kVoxDelay.Read(image));
    f.batterySaver = field::kBatterySaver.Read(image) != 0;
    f.voiceAnnunciation =
        Selectable(OptionList::VoiceAnnunciation, field::kVoiceAnnunciation.Read(image));
    f.idCode = LoadCode(image, image::kIdCode);
    f.stunCode = LoadCode(image, image::kStunCode);
    f.pttId = field::kPttId.Read(image) != 0 ? kOnIndex : kOffIndex;
    f.removeStunCode = field::kStunMarker.Read(image) != image::kStunKept;
    return f;
}

void OptionalFeatures::Store(RadioImage& image) const {
    const int timeOut = Selectable(OptionList::TimeOutTimer, timeOutTimer);
    const int preAlert = Selectable(OptionList::TotPreAlert, totPreAlert);
    const int squelch = Selectable(OptionList::SquelchLevel, squelchLevel);
    const int voice = Selectable(OptionList::VoiceAnnunciation, voiceAnnunciation);
    // Gain and delay store 0 when nothing is selected, the code of their first entry.
    const int gain = SelectableOrFirst(OptionList::VoxGainLevel, voxGainLevel);
    const int delay = SelectableOrFirst(OptionList::VoxDelayTime, voxDelayTime);

    // No selection stores code 0 for the counted-from-1 codes and all ones for squelch and voice.
    field::kTimeOutTimer.Write(image, timeOut + 1);
    field::kTotPreAlert.Write(image, preAlert + 1);
    field::kSquelchLevel.Write(image, squelch == kNoSelection ? kSquelchNone : squelch);
    field::kBeep.Write(image, beep ? 1 : 0);
    field::kVox.Write(image, vox == kOnIndex ? kVoxOn : 0);
    field::kVoxGain.Write(image, gain);
    field::kVoxDelay.Write(image, delay);
    field::kBatterySaver.Write(image, batterySaver ? 1 : 0);
    field::kVoiceAnnunciation.Write(image, voice == kNoSelection ? kVoiceNone : voice);
    StoreCode(image, image::kIdCode, idCode);
    StoreCode(image, image::kStunCode, stunCode);
    field::kPttId.Write(image, pttId == kOnIndex ? 1 : 0);

    if (!removeStunCode) {
        field::kStunMarker.Write(image, image::kStunKept);
    } else if (field::kStunMarker.Read(image) == image::kStunKept) {
        field::kStunMarker.Write(image, kStunRemoved);
    }
}

}  // namespace radioprog
