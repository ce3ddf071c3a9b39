#include "core/doc/csv_import.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "core/base/csv_table.h"
#include "core/doc/program_doc.h"
#include "core/radio/channel_codec.h"

namespace radioprog {
namespace {

Status ReadFailure(const std::filesystem::path& path, const std::string& cause, Language language) {
    return Status::Error(std::string(BilingualText{"Cannot read \"", "无法读取 \""}.In(language)) +
                         path.string() + std::string(BilingualText{"\": ", "\"："}.In(language)) +
                         cause);
}

Status ReadText(const std::filesystem::path& path, std::string& text, Language language) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        return ReadFailure(path,
                           std::string(BilingualText{"it is a folder", "它是文件夹"}.In(language)),
                           language);
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return ReadFailure(path, std::strerror(errno), language);
    }
    text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad()) {
        return ReadFailure(path, std::strerror(errno), language);
    }
    return Status::Ok();
}

}  // namespace

Status PlanCsvImportFile(const std::filesystem::path& path, const BandLimits& band,
                         Language language, CsvImportPlan& plan) {
    std::string text;
    if (Status read = ReadText(path, text, language); !read) {
        return read;
    }
    CsvTable table;
    if (Status parsed = ReadCsv(text, table, language); !parsed) {
        return Status::Error(path.filename().string() + ": " + parsed.message());
    }
    if (Status planned = PlanCsvImport(table, band, language, plan); !planned) {
        return Status::Error(path.filename().string() + ": " + planned.message());
    }
    return Status::Ok();
}

bool ApplyCsvImport(CProgramDoc& doc, const CsvImportPlan& plan, bool replace) {
    return doc.Edit(DocumentEdit::Of(DocumentEdit::Kind::CsvImport), [&](RadioImage&,
                                                                         TextGrid& texts) {
        if (replace) {
            for (int row = 1; row < kGridRows; ++row) {
                for (int col = column::kRxFrequency; col < column::kCount; ++col) {
                    texts.SetTextMatrix(row, col, {});
                }
            }
        }
        for (const CsvImportRow& row : plan.rows) {
            if (!row.stored()) {
                continue;
            }
            for (int col = column::kRxFrequency; col < column::kCount; ++col) {
                texts.SetTextMatrix(row.channel, col, row.texts[static_cast<std::size_t>(col - 1)]);
            }
        }
    });
}

std::string ExportDocumentCsv(const CProgramDoc& doc, const BandLimits& band) {
    RadioImage image = doc.image();
    GridToImage(doc.texts(), band, image);
    return ExportChannelsCsv(image);
}

}  // namespace radioprog
