#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <variant>

#include "commands.h"
#include "core/radio/dialog_controls.h"
#include "core/radio/grid_columns.h"

namespace radioprog::cli {
namespace {

struct ShowOptions {
    std::string file;
    std::optional<std::string> lang;
    bool json = false;
};

constexpr const char* kJsonFields[] = {"rx", "tx", "dec", "enc", "power", "scan", "busy", "wn"};

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
        width = std::max(width, DisplayWidth(std::string(control.name.label.In(language))));
    }
    std::cout << '\n' << dialog.caption.In(language) << '\n';
    for (const ShownControl& control : dialog.controls) {
        const auto* text = std::get_if<std::string>(&control.value);
        std::string line = "  " + Padded(std::string(control.name.label.In(language)), width) +
                           "  " +
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
            std::visit([&](const auto& value) { controls[control.name.key] = value; },
                       control.value);
        }
        document[dialog.key] = std::move(controls);
    }
    std::cout << document.dump(2) << '\n';
}

int RunShow(const GlobalOptions& global, const ShowOptions& options) {
    auto context = MakeContext(global, options.lang);
    CProgramDoc doc;
    if (Status opened = OpenWithTexts(options.file, *context, doc); !opened) {
        Report(opened.message());
        return kExitFileError;
    }
    const std::vector<ShownDialog> dialogs = ShowSettingsDialogs(doc.image(), context->language);
    if (options.json) {
        PrintJson(doc.texts(), dialogs, *context);
    } else {
        PrintTable(doc.texts(), *context);
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
