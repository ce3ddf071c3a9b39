#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "commands.h"
#include "core/doc/csv_import.h"

namespace radioprog::cli {
namespace {

struct ImportOptions {
    std::string csv;
    std::string file;
    bool replace = false;
    bool dryRun = false;
    bool strict = false;
    bool json = false;
    std::optional<std::string> lang;
};

nlohmann::ordered_json JsonRow(const CsvImportRow& row, bool hasLocation, Language language) {
    nlohmann::ordered_json entry;
    entry["row"] = row.line;
    entry["location"] = hasLocation ? nlohmann::ordered_json(row.location) : nullptr;
    entry["channel"] = row.channel != 0 ? nlohmann::ordered_json(row.channel) : nullptr;
    entry["status"] = row.stored() ? "stored" : "skipped";
    entry["reason"] =
        row.reason ? nlohmann::ordered_json(CsvMessageText(*row.reason, language)) : nullptr;
    entry["notes"] = nlohmann::ordered_json::array();
    for (const CsvMessage& note : row.notes) {
        entry["notes"].push_back(CsvMessageText(note, language));
    }
    return entry;
}

void PrintJson(const CsvImportPlan& plan, Language language) {
    nlohmann::ordered_json report;
    report["rows"] = nlohmann::ordered_json::array();
    for (const CsvImportRow& row : plan.rows) {
        report["rows"].push_back(JsonRow(row, plan.hasLocation, language));
    }
    report["unknown_columns"] = plan.unknownColumns;
    // A file's bytes need not be UTF-8; the report stays valid JSON whatever they are.
    std::cout << report.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
              << '\n';
}

int RunImport(const GlobalOptions& global, const ImportOptions& options) {
    auto context = MakeContext(global, options.lang);
    const Language language = context->language;
    CProgramDoc doc;
    if (Status opened = OpenWithTexts(options.file, *context, doc); !opened) {
        Report(opened.message());
        return kExitFileError;
    }
    CsvImportPlan plan;
    if (Status planned = PlanCsvImportFile(options.csv, context->band, language, plan); !planned) {
        Report(planned.message());
        return kExitFileError;
    }
    if (options.json) {
        PrintJson(plan, language);
    } else {
        for (const std::string& line : CsvImportReport(plan, language)) {
            Report(line);
        }
    }
    const bool allStored = plan.SkippedCount() == 0;
    if (options.dryRun) {
        Report(std::string(
            BilingualText{"--dry-run: nothing was written.", "--dry-run：未写入任何内容。"}.In(
                language)));
    } else if (options.strict && !allStored) {
        Report(std::string(BilingualText{"--strict: a row was skipped, so nothing was written.",
                                         "--strict：有行被跳过，因此未写入任何内容。"}
                               .In(language)));
    } else {
        ApplyCsvImport(doc, plan, options.replace);
        if (Status saved = doc.OnSaveDocument(options.file, *context); !saved) {
            Report(saved.message());
            return kExitFileError;
        }
    }
    return allStored ? kExitOk : kExitRefused;
}

}  // namespace

Subcommand AddImportCommand(CLI::App& app, const GlobalOptions& global) {
    auto options = std::make_shared<ImportOptions>();
    CLI::App* sub = app.add_subcommand(
        "import", "Store the rows of a CSV channel file in the channels of a .dat file");
    sub->add_option("csv", options->csv, "The CSV channel file")->required();
    sub->add_option("file", options->file, "The .dat file (make one with new)")->required();
    sub->add_flag("--replace", options->replace, "Empty the channels the CSV file does not fill");
    sub->add_flag("--dry-run", options->dryRun, "Report what would happen and write nothing");
    sub->add_flag("--strict", options->strict, "Write nothing when any row is skipped");
    sub->add_flag("--json", options->json, "Print the report as one JSON object on stdout");
    sub->add_option("--lang", options->lang, "Language of the report and of the channel texts")
        ->check(CLI::IsMember({"en", "zh"}));
    return {sub, [&global, options] { return RunImport(global, *options); }};
}

}  // namespace radioprog::cli
