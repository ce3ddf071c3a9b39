#include "core/doc/channel_clipboard.h"

#include <algorithm>

#include "core/base/ascii_text.h"
#include "core/base/csv_table.h"
#include "core/doc/channel_rows.h"
#include "core/doc/program_doc.h"
#include "core/radio/channel_codec.h"
#include "core/radio/channel_record.h"
#include "core/radio/csv_exchange.h"
#include "core/radio/csv_fields.h"
#include "core/radio/frequency_rule.h"

namespace radioprog {
namespace {

constexpr int kChannels = image::kChannelCount;
constexpr std::string_view kMagic = "RPCH";
constexpr char kVersion = 1;
constexpr std::size_t kRowSize = image::kChannelRecordSize + 1;

std::string NoChannels(Language language) {
    return std::string(
        BilingualText{"The clipboard holds no channels.", "剪贴板中没有信道。"}.In(language));
}

std::string RefusalLine(int row, int channel, const CsvMessage& reason, Language language) {
    std::string line = language == Language::Chinese ? "第 " + std::to_string(row) + " 行"
                                                     : "Row " + std::to_string(row);
    if (channel != 0) {
        line += std::string(BilingualText{" -> channel ", " -> 信道 "}.In(language)) +
                std::to_string(channel);
    }
    return line + std::string(BilingualText{": ", "："}.In(language)) +
           CsvMessageText(reason, language);
}

// The reason the band or the steps refuse a stored frequency, if they do.
std::optional<CsvMessage> FrequencyRefusal(std::uint32_t value10Hz, const BandLimits& band,
                                           CsvMessageId outOfBand, CsvMessageId offStep) {
    const FrequencyVerdict verdict = CheckFrequency(FrequencyText(value10Hz), band).verdict;
    const std::string megahertz = CsvMegahertz(static_cast<std::int64_t>(value10Hz) * 10);
    if (verdict == FrequencyVerdict::OutOfRange) {
        return CsvMessage{outOfBand,
                          {megahertz, std::to_string(band.lower()), std::to_string(band.upper())}};
    }
    if (verdict == FrequencyVerdict::OffStep) {
        return CsvMessage{offStep, {megahertz}};
    }
    return std::nullopt;
}

std::optional<CsvMessage> RecordRefusal(const RadioImage& image, const BandLimits& band) {
    const ChannelRecordView record(image, 1);
    if (record.HasRxFrequency()) {
        if (auto refusal = FrequencyRefusal(record.RxFrequency(), band, CsvMessageId::RxOutOfBand,
                                            CsvMessageId::RxOffStep)) {
            return refusal;
        }
    }
    if (record.HasTxFrequency()) {
        return FrequencyRefusal(record.TxFrequency(), band, CsvMessageId::TxOutOfBand,
                                CsvMessageId::TxOffStep);
    }
    return std::nullopt;
}

// The raw rows of the own form, or nothing when @p own is not that form.
std::optional<std::vector<ChannelRow>> ReadOwnForm(std::string_view own) {
    const std::size_t head = kMagic.size() + 2;
    if (own.size() < head || own.substr(0, kMagic.size()) != kMagic ||
        own[kMagic.size()] != kVersion) {
        return std::nullopt;
    }
    const auto count = static_cast<unsigned char>(own[kMagic.size() + 1]);
    if (count == 0 || own.size() != head + count * kRowSize) {
        return std::nullopt;
    }
    std::vector<ChannelRow> rows(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view bytes = own.substr(head + i * kRowSize, kRowSize);
        std::copy_n(bytes.begin(), image::kChannelRecordSize, rows[i].record.begin());
        rows[i].scanAdd = bytes.back() != 0;
    }
    return rows;
}

// The texts image to grid shows for a lone record, in @p language.
void ShowRecord(ChannelRow& row, Language language) {
    RadioImage single{};
    TextGrid texts;
    PutChannelRow(row, single, texts, 1);
    BandLimits ignored;
    ImageToGrid(single, texts, ignored, language);
    row.texts = TakeChannelRow(single, texts, 1).texts;
}

// The table without its Location column: a paste places rows where the user asks.
void DropLocation(CsvTable& table) {
    std::vector<std::string>& names = table.header.fields;
    for (std::size_t i = names.size(); i-- > 0;) {
        if (!EqualsIgnoringAsciiCase(TrimBlanks(names[i]), "Location")) {
            continue;
        }
        names.erase(names.begin() + static_cast<std::ptrdiff_t>(i));
        for (CsvRecord& record : table.records) {
            if (i < record.fields.size()) {
                record.fields.erase(record.fields.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
    }
}

}  // namespace

ChannelCopy CopyChannels(const CProgramDoc& doc, std::span<const int> channels,
                         const BandLimits& bandInUse) {
    const std::vector<int> chosen = NormalisedChannels(channels);
    RadioImage image = doc.image();
    GridToImage(doc.texts(), bandInUse, image);
    ChannelCopy copy;
    copy.tabSeparated = ExportChannelsTabSeparated(image, chosen);
    copy.own = std::string(kMagic) + kVersion + static_cast<char>(chosen.size());
    for (int channel : chosen) {
        const ChannelRow row = TakeChannelRow(image, doc.texts(), channel);
        copy.own.append(row.record.begin(), row.record.end());
        copy.own.push_back(row.scanAdd ? 1 : 0);
    }
    return copy;
}

std::string PasteOutcome::Message(Language language) const {
    if (refused.empty()) {
        return {};
    }
    const std::string stored = std::to_string(pasted.size());
    const std::string skipped = std::to_string(refused.size());
    std::string message =
        language == Language::Chinese
            ? "已粘贴 " + stored + " 个信道，" + skipped + " 行无法保存："
            : stored + (pasted.size() == 1 ? " channel" : " channels") + " pasted, " + skipped +
                  (refused.size() == 1 ? " row" : " rows") + " could not be stored:";
    for (const std::string& line : refused) {
        message += "\n" + line;
    }
    return message;
}

Status PasteOwnChannels(CProgramDoc& doc, std::string_view own, int channel,
                        const BandLimits& bandInUse, Language language, PasteOutcome& outcome) {
    outcome = PasteOutcome();
    std::optional<std::vector<ChannelRow>> rows = ReadOwnForm(own);
    if (!rows) {
        return Status::Error(NoChannels(language));
    }
    std::vector<std::pair<int, ChannelRow>> stored;
    for (std::size_t i = 0; i < rows->size(); ++i) {
        const int target = channel + static_cast<int>(i);
        const int number = static_cast<int>(i) + 1;
        ChannelRow& row = (*rows)[i];
        if (target > kChannels) {
            outcome.refused.push_back(
                RefusalLine(number, 0, {CsvMessageId::BeyondChannels, {}}, language));
            continue;
        }
        RadioImage single{};
        TextGrid ignored;
        PutChannelRow(row, single, ignored, 1);
        if (auto refusal = RecordRefusal(single, bandInUse)) {
            outcome.refused.push_back(RefusalLine(number, target, *refusal, language));
            continue;
        }
        ShowRecord(row, language);
        stored.emplace_back(target, row);
        outcome.pasted.push_back(target);
    }
    outcome.changed = !stored.empty() && doc.Edit(DocumentEdit::Of(DocumentEdit::Kind::Paste),
                                                  [&](RadioImage& image, TextGrid& texts) {
                                                      for (const auto& [to, row] : stored) {
                                                          PutChannelRow(row, image, texts, to);
                                                      }
                                                  });
    return Status::Ok();
}

Status PasteTabSeparated(CProgramDoc& doc, std::string_view text, int channel,
                         const BandLimits& bandInUse, Language language, PasteOutcome& outcome) {
    outcome = PasteOutcome();
    CsvTable table;
    if (Status read = ReadTabSeparated(text, table, language); !read) {
        return Status::Error(NoChannels(language) + " " + read.message());
    }
    DropLocation(table);
    CsvImportPlan plan;
    if (Status planned = PlanCsvImport(table, bandInUse, language, plan); !planned) {
        return Status::Error(NoChannels(language) + " " + planned.message());
    }
    for (CsvImportRow& row : plan.rows) {
        if (row.stored()) {
            row.channel += channel - 1;
            if (row.channel > kChannels) {
                row.reason = CsvMessage{CsvMessageId::BeyondChannels, {}};
                row.channel = 0;
            }
        }
        if (row.stored()) {
            outcome.pasted.push_back(row.channel);
        } else {
            outcome.refused.push_back(RefusalLine(row.line, row.channel, *row.reason, language));
        }
    }
    outcome.changed =
        !outcome.pasted.empty() &&
        doc.Edit(DocumentEdit::Of(DocumentEdit::Kind::Paste), [&](RadioImage&, TextGrid& texts) {
            for (const CsvImportRow& row : plan.rows) {
                if (row.stored()) {
                    for (int col = column::kRxFrequency; col < column::kCount; ++col) {
                        texts.SetTextMatrix(row.channel, col,
                                            row.texts[static_cast<std::size_t>(col - 1)]);
                    }
                }
            }
        });
    return Status::Ok();
}

}  // namespace radioprog
