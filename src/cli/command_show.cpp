#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <variant>

#include "commands.h"
#include "core/radio/grid_columns.h"
#include "core/radio/optional_features.h"
#include "core/radio/scan_info.h"

namespace radioprog::cli {
namespace {

struct ShowOptions {
    std::string file;
    std::optional<std::string> lang;
    bool json = false;
};

constexpr const char* kJsonFields[] = {"rx", "tx", "dec", "enc", "power", "scan", "busy", "wn"};

// One control of a settings dialog: its JSON key, its label, and what it shows (a text, or the
// state of a check box).
struct ShownControl {
    const char* key;
    BilingualText label;
    std::variant<std::string, bool> value;
};

struct ShownDialog {
    const char* key;
    BilingualText caption;
    std::vector<ShownControl> controls;
};

ShownDialog ShowOptionalFeatures(const RadioImage& image, Language language) {
    const OptionalFeatures f = OptionalFeatures::Load(image);
    const auto item = [language](OptionList list, int index) {
        return OptionItemText(list, index, language);
    };
    return {"options",
            {"Optional Features", "可选功能"},
            {
                {"timeOutTimer",
                 {"Time-Out Timer", "超时定时器"},
                 item(OptionList::TimeOutTimer, f.timeOutTimer)},
                {"totPreAlert",
                 {"TOT Pre-Alert", "超时预警"},
                 item(OptionList::TotPreAlert, f.totPreAlert)},
                {"squelchLevel",
                 {"Squelch Level", "静噪电平"},
                 item(OptionList::SquelchLevel, f.squelchLevel)},
                {"voiceAnnunciation",
                 {"Voice Annunciation", "语音报号"},
                 item(OptionList::VoiceAnnunciation, f.voiceAnnunciation)},
                {"idCode", {"ID Code", "ID码"}, f.idCode},
                {"vox", {"Vox", "声控"}, item(OptionList::Vox, f.vox)},
                {"voxGainLevel",
                 {"Vox Gain Level", "声控增益电平"},
                 item(OptionList::VoxGainLevel, f.voxGainLevel)},
                {"voxDelayTime",
                 {"Vox Delay Time", "声控延时时间"},
                 item(OptionList::VoxDelayTime, f.voxDelayTime)},
                {"pttId", {"PTT ID", "PTT ID"}, item(OptionList::PttId, f.pttId)},
                {"stunCode", {"Stun Code", "遥毙码"}, f.stunCode},
                {"beep", {"Beep", "提示音"}, f.beep},
                {"batterySaver", {"Battery Saver", "电池省电"}, f.batterySaver},
                {"removeStunCode", {"Remove Stun Code", "解除遥毙码"}, f.removeStunCode},
            }};
}

ShownDialog ShowScanInfo(const RadioImage& image, Language language) {
    const ScanInfo info = ScanInfo::Load(image);
    return {"scan",
            {"Scan Infomation", "扫描信息"},
            {
                {"priority",
                 {"Priority", "优先"},
                 SelectedItem(PriorityItems(language), info.priority)},
                {"priorityChannel", {"Priority Channel", "优先信道"}, info.priorityChannel},
                {"lookBackTimeA", {"Look Back Time A", "回看时间A"}, info.lookBackTimeA},
                {"lookBackTimeB", {"Look Back Time B", "回看时间B"}, info.lookBackTimeB},
                {"revertChannel",
                 {"Revert Channel", "回复信道"},
                 SelectedItem(RevertItems(info.priority, language), info.revertChannel)},
                {"dropoutDelayTime", {"Dropout Delay Time", "掉线延时"}, info.dropoutDelayTime},
                {"txDwellTime", {"Tx Dwell Time", "发射驻留时间"}, info.txDwellTime},
            }};
}

std::vector<ShownDialog> ShowDialogs(const RadioImage& image, Language language) {
    return {ShowOptionalFeatures(image, language), ShowScanInfo(image, language)};
}

// Columns on a terminal: a CJK character takes two cells, everything else one.
std::size_t DisplayWidth(const std::string& text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        width += length >= 3 ? 2 : 1;
        i += length;
    }
    return width;
}

std::string Padded(const std::string& text, std::size_t width) {
    const std::size_t shown = DisplayWidth(text);
    return text + std::string(width > shown ? width - shown : 0, ' ');
}

void PrintTable(const TextGrid& grid, const AppContext& context) {
    const BilingualText band{"Band", "频段"};
    std::cout << band.In(context.language) << ": " << context.band.lower() << " - "
              << context.band.upper() << "MHz\n";
    std::array<std::size_t, column::kCount> widths{};
    for (int col = 0; col < column::kCount; ++col) {
        widths[col] = DisplayWidth(ColumnHeader(col, context.language));
        for (int row = 1; row < kGridRows; ++row) {
            widths[col] = std::max(widths[col], DisplayWidth(grid.TextMatrix(row, col)));
        }
    }
    for (int row = 0; row < kGridRows; ++row) {
        std::string line;
        for (int col = 0; col < column::kCount; ++col) {
            const std::string text = row == 0
                                         ? ColumnHeader(col, context.language)
                                         : (col == 0 ? RowLabel(row) : grid.TextMatrix(row, col));
            line += Padded(text, widths[col]) + (col + 1 < column::kCount ? "  " : "");
        }
        line.erase(line.find_last_not_of(' ') + 1);
        std::cout << line << '\n';
    }
}

void PrintDialog(const ShownDialog& dialog, Language language) {
    std::size_t width = 0;
    for (const ShownControl& control : dialog.controls) {
        width = std::max(width, DisplayWidth(std::string(control.label.In(language))));
    }
    std::cout << '\n' << dialog.caption.In(language) << '\n';
    for (const ShownControl& control : dialog.controls) {
        const auto* text = std::get_if<std::string>(&control.value);
        std::string line = "  " + Padded(std::string(control.label.In(language)), width) + "  " +
                           (text                            ? *text
                            : std::get<bool>(control.value) ? "[x]"
                                                            : "[ ]");
        line.erase(line.find_last_not_of(' ') + 1);
        std::cout << line << '\n';
    }
}

void PrintJson(const TextGrid& grid, const std::vector<ShownDialog>& dialogs,
               const AppContext& context) {
    nlohmann::ordered_json document;
    document["band"] = {context.band.lower(), context.band.upper()};
    document["channels"] = nlohmann::ordered_json::array();
    for (int row = 1; row < kGridRows; ++row) {
        nlohmann::ordered_json channel;
        channel["channel"] = row;
        for (int col = column::kRxFrequency; col < column::kCount; ++col) {
            channel[kJsonFields[col - 1]] = grid.TextMatrix(row, col);
        }
        document["channels"].push_back(std::move(channel));
    }
    for (const ShownDialog& dialog : dialogs) {
        nlohmann::ordered_json controls = nlohmann::ordered_json::object();
        for (const ShownControl& control : dialog.controls) {
            std::visit([&](const auto& value) { controls[control.key] = value; }, control.value);
        }
        document[dialog.key] = std::move(controls);
    }
    std::cout << document.dump(2) << '\n';
}

int RunShow(const GlobalOptions& global, const ShowOptions& options) {
    auto context = MakeContext(global, options.lang);
    CProgramDoc doc;
    TextGrid grid;
    if (Status opened = OpenIntoGrid(options.file, *context, doc, grid); !opened) {
        Report(opened.message());
        return kExitFileError;
    }
    const std::vector<ShownDialog> dialogs = ShowDialogs(doc.image(), context->language);
    if (options.json) {
        PrintJson(grid, dialogs, *context);
    } else {
        PrintTable(grid, *context);
        for (const ShownDialog& dialog : dialogs) {
            PrintDialog(dialog, context->language);
        }
    }
    return kExitOk;
}

}  // namespace

Subcommand AddShowCommand(CLI::App& app, const GlobalOptions& global) {
    auto options = std::make_shared<ShowOptions>();
    CLI::App* sub = app.add_subcommand(
        "show", "Print the channels, optional features and scan settings of a .dat file");
    sub->add_option("file", options->file, "The .dat file (- for standard input)")->required();
    sub->add_option("--lang", options->lang, "Language of the texts (default: Program.ini's)")
        ->check(CLI::IsMember({"en", "zh"}));
    sub->add_flag("--json", options->json, "Print one JSON object");
    return {sub, [&global, options] { return RunShow(global, *options); }};
}

}  // namespace radioprog::cli
