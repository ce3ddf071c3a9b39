#include "core/radio/product_info.h"

#include <string>

#include "core/base/ascii_text.h"
#include "core/base/text_number.h"
#include "core/radio/display_texts.h"

namespace radioprog {
namespace {

std::string Numbered(std::string_view key, int number) {
    return std::string(key) + std::to_string(number);
}

std::vector<std::string> SplitAtBars(const std::string& text) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = text.find('|', start);
        pieces.push_back(text.substr(start, bar - start));
        if (bar == std::string::npos) {
            return pieces;
        }
        start = bar + 1;
    }
}

// The list's own prefix search: it starts after the first item and wraps around to it.
int FindPrefix(const std::vector<std::string>& items, std::string_view prefix) {
    const int count = static_cast<int>(items.size());
    for (int step = 1; step <= count; ++step) {
        const int i = step % count;
        if (StartsWithIgnoringAsciiCase(items[static_cast<std::size_t>(i)], prefix)) {
            return i;
        }
    }
    return -1;
}

std::string BandRange(const BandLimits& limits) {
    return std::to_string(limits.lower()) + " - " + std::to_string(limits.upper()) + "MHz";
}

}  // namespace

ProductInfoView OpenProductInfo(const SetupValue& setup, const BandLimits& bandInUse,
                                CustomBand custom, Language language) {
    ProductInfoView view;
    for (int i = 1; i <= kMaxProductTypes; ++i) {
        std::string type = setup(Numbered("Type", i));
        if (type.empty()) {
            break;
        }
        view.types.push_back(std::move(type));
    }
    view.typeIndex = view.types.empty() ? -1 : 0;
    // An empty Type list reads Field0; the Field list is not reloaded when the type changes.
    view.fields = SplitAtBars(setup(Numbered("Field", view.typeIndex + 1)));
    view.fields.emplace_back(texts::kCustomize.In(language));

    const int match = FindPrefix(view.fields, BandText(bandInUse));
    if (match < 0) {
        view.fieldIndex = static_cast<int>(view.fields.size()) - 1;
        view.customVisible = true;
        custom = CustomBand{bandInUse.lower(), bandInUse.upper()};
    } else {
        view.fieldIndex = match;
        view.customVisible = false;
    }
    view.custom = custom;
    return view;
}

bool IsCustomize(std::string_view fieldText) {
    return texts::kCustomize.Matches(fieldText);
}

std::optional<unsigned> ReadCustomField(std::string_view text) {
    const auto scanned = ScanInt(text);
    if (!scanned || scanned->value < 0) {
        return std::nullopt;
    }
    return static_cast<unsigned>(scanned->value);
}

ProductInfoOk ApplyProductInfo(std::string_view fieldText, std::string_view startText,
                               std::string_view endText, CustomBand& custom, BandLimits& bandInUse,
                               Language language) {
    ProductInfoOk result;
    if (const auto start = ReadCustomField(startText)) {
        custom.start = *start;
    } else {
        result.startUnreadable = true;
    }
    if (const auto end = ReadCustomField(endText)) {
        custom.end = *end;
    } else {
        result.endUnreadable = true;
    }
    if (!IsCustomize(fieldText)) {
        ReadBandText(fieldText, bandInUse);
    } else if (custom.start > custom.end) {
        result.error = std::string(texts::kFrequencyInputError.In(language));
    } else {
        bandInUse.Set(custom.start, custom.end);
    }
    return result;
}

void ReadBandText(std::string_view fieldText, BandLimits& limits) {
    const auto lower = ScanInt(fieldText);
    if (!lower) {
        return;
    }
    limits.SetLower(static_cast<unsigned>(lower->value));
    if (lower->rest.empty() || lower->rest.front() != '-') {
        return;
    }
    if (const auto upper = ScanInt(lower->rest.substr(1))) {
        limits.SetUpper(static_cast<unsigned>(upper->value));
    }
}

std::string BandText(const BandLimits& limits) {
    return std::to_string(limits.lower()) + "-" + std::to_string(limits.upper()) + "MHz";
}

std::string OkFormTitle(std::string_view appName, std::string_view typeName,
                        const BandLimits& limits, Language language) {
    const BilingualText type{" [ Type:", " [ 类型:"};
    const BilingualText band{" Fre:", " 频率:"};
    return std::string(appName) + std::string(type.In(language)) + std::string(typeName) +
           std::string(band.In(language)) + BandRange(limits) + " ]";
}

std::string FillFormTitle(std::string_view appName, std::string_view type1,
                          const BandLimits& limits, Language language) {
    const BilingualText type{"  [ Type:", "  [ 类型:"};
    const BilingualText band{"  Fre:", "  频率:"};
    return std::string(appName) + std::string(type.In(language)) + std::string(type1) +
           std::string(band.In(language)) + BandRange(limits) + " ]";
}

}  // namespace radioprog
