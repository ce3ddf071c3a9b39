#include <algorithm>
#include <memory>

#include "commands.h"
#include "core/base/text_number.h"
#include "core/radio/channel_codec.h"
#include "core/radio/grid_columns.h"

namespace radioprog::cli {
namespace {

struct SetOptions {
    std::string file;
    std::string channel;
    std::vector<std::string> assignments;
    std::optional<std::string> lang;
    bool force = false;
};

struct FieldName {
    const char* name;
    int col;
};
constexpr FieldName kFields[] = {
    {"rx", column::kRxFrequency}, {"tx", column::kTxFrequency}, {"dec", column::kRxTone},
    {"enc", column::kTxTone},     {"power", column::kPower},    {"scan", column::kScanAdd},
    {"busy", column::kBusyLock},  {"wn", column::kWideNarrow},
};

struct Edit {
    int col;
    std::string text;
};

bool OfferedInEitherLanguage(int col, const std::string& text) {
    for (Language language : {Language::English, Language::Chinese}) {
        const auto items = ColumnItems(col, language);
        if (std::find(items.begin(), items.end(), text) != items.end()) {
            return true;
        }
    }
    return false;
}

Edit ParseAssignment(const std::string& assignment) {
    const auto equals = assignment.find('=');
    if (equals == std::string::npos) {
        throw UsageError("expected FIELD=TEXT, got \"" + assignment + "\"");
    }
    const std::string name = assignment.substr(0, equals);
    const auto field = std::find_if(std::begin(kFields), std::end(kFields),
                                    [&](const FieldName& f) { return name == f.name; });
    if (field == std::end(kFields)) {
        throw UsageError("unknown field \"" + name + "\" (rx tx dec enc power scan busy wn)");
    }
    Edit edit{field->col, assignment.substr(equals + 1)};
    const bool typed = edit.col == column::kRxFrequency || edit.col == column::kTxFrequency;
    if (!typed && !OfferedInEitherLanguage(edit.col, edit.text)) {
        throw UsageError("\"" + edit.text + "\" is not one of the choices of " + name);
    }
    return edit;
}

std::string WouldCutMessage(const std::string& file, Language language) {
    return language == Language::Chinese
               ? "保存会把“" + file + "”截为 1024 字节：如仍要保存，请加 --force"
               : "Saving would cut \"" + file + "\" to 1024 bytes: give --force to save it anyway";
}

// Plain digits only: "0x1" or " 1" is more likely a slip than channel 1.
int ParseChannel(const std::string& text) {
    const auto channel = ReadPlainDecimal(text);
    if (!channel || *channel < 1 || *channel > static_cast<int>(image::kChannelCount)) {
        throw UsageError("channel: \"" + text + "\" is not a channel number from 1 to 16");
    }
    return *channel;
}

std::string NoFrequencyMessage(int row, Language language) {
    const std::string number = std::to_string(row);
    return language == Language::Chinese ? "信道 " + number + " 没有频率：请先设置 rx。"
                                         : "Channel " + number + " has no frequency: set rx first.";
}

// Each pair is an edit committed in its cell, exactly as typing it into the grid would be.
int RunSet(const GlobalOptions& global, const SetOptions& options) {
    const int row = ParseChannel(options.channel);
    std::vector<Edit> edits;
    for (const std::string& assignment : options.assignments) {
        edits.push_back(ParseAssignment(assignment));
    }
    auto context = MakeContext(global, options.lang);
    CProgramDoc doc;
    if (Status opened = OpenWithTexts(options.file, *context, doc); !opened) {
        Report(opened.message());
        return kExitFileError;
    }
    if (doc.SaveWouldCutFile() && !options.force) {
        Report(WouldCutMessage(options.file, context->language));
        return kExitFileError;
    }
    for (const Edit& edit : edits) {
        // The grid would drop the edit in silence; a script must learn that nothing was set.
        if (CommitDropsEdit(doc.texts(), row, edit.col)) {
            Report(NoFrequencyMessage(row, context->language));
            return kExitRefused;
        }
        if (const auto refusal =
                doc.CommitCell(row, edit.col, edit.text, context->band, context->language)) {
            Report(std::string(StringText(*refusal, context->language)));
            return kExitRefused;
        }
    }
    if (Status saved = doc.OnSaveDocument(options.file, *context); !saved) {
        Report(saved.message());
        return kExitFileError;
    }
    return kExitOk;
}

}  // namespace

Subcommand AddSetCommand(CLI::App& app, const GlobalOptions& global) {
    auto options = std::make_shared<SetOptions>();
    CLI::App* sub = app.add_subcommand("set", "Edit one channel of a .dat file");
    sub->add_option("file", options->file, "The .dat file")->required();
    sub->add_option("channel", options->channel, "Channel 1-16")->required();
    sub->add_option("assignments", options->assignments,
                    "FIELD=TEXT pairs, FIELD one of rx tx dec enc power scan busy wn")
        ->required();
    sub->add_option("--lang", options->lang, "Language of new channel texts")
        ->check(CLI::IsMember({"en", "zh"}));
    sub->add_flag("--force", options->force,
                  "Save a file that is not 1024 bytes long, cutting it to the 1024 bytes of a "
                  "radio file");
    return {sub, [&global, options] { return RunSet(global, *options); }};
}

}  // namespace radioprog::cli
