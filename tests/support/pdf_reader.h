#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "process.h"
#include "temp_dir.h"

namespace radioprog::testing {

/// PDF documents read back with poppler's command-line tools.

/// A word on a page with its box in points from the page's top-left corner.
struct PdfWord {
    std::string text;
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;
};

inline ProcessResult Poppler(const std::string& tool, const std::vector<std::string>& args) {
    ProcessResult result = RunProcess("/usr/bin/" + tool, args);
    EXPECT_EQ(result.exitCode, 0) << tool << ": " << result.err;
    return result;
}

inline int PdfPageCount(const std::filesystem::path& pdf) {
    const std::string info = Poppler("pdfinfo", {pdf.string()}).out;
    std::smatch match;
    return std::regex_search(info, match, std::regex(R"(Pages:\s+(\d+))"))
               ? std::stoi(match[1].str())
               : -1;
}

/// The width and height of the first page in points.
inline std::pair<double, double> PdfPageSize(const std::filesystem::path& pdf) {
    const std::string info = Poppler("pdfinfo", {pdf.string()}).out;
    std::smatch match;
    if (!std::regex_search(info, match, std::regex(R"(Page size:\s+([\d.]+) x ([\d.]+))"))) {
        ADD_FAILURE() << info;
        return {0, 0};
    }
    return {std::stod(match[1].str()), std::stod(match[2].str())};
}

/// The text of page @p page laid out as on the page (pdftotext -layout).
inline std::string PdfPageText(const std::filesystem::path& pdf, int page) {
    const std::string number = std::to_string(page);
    return Poppler("pdftotext", {"-layout", "-f", number, "-l", number, pdf.string(), "-"}).out;
}

inline std::string XmlText(std::string text) {
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, character] : entities) {
        for (std::size_t at = text.find(entity); at != std::string::npos;
             at = text.find(entity, at + 1)) {
            text.replace(at, std::string(entity).size(), character);
        }
    }
    return text;
}

/// The words of page @p page with their boxes (pdftotext -bbox).
inline std::vector<PdfWord> PdfPageWords(const std::filesystem::path& pdf, int page) {
    const std::string number = std::to_string(page);
    const std::string html =
        Poppler("pdftotext", {"-bbox", "-f", number, "-l", number, pdf.string(), "-"}).out;
    static const std::regex kWord(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::vector<PdfWord> words;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), kWord);
         it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        words.push_back({XmlText(m[5].str()), std::stod(m[1].str()), std::stod(m[2].str()),
                         std::stod(m[3].str()), std::stod(m[4].str())});
    }
    return words;
}

/// A page rendered in grey levels, one byte per pixel, 0 black.
struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    std::uint8_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

/// Page @p page rendered at @p dpi (pdftoppm -gray).
inline GreyImage PdfPageImage(const std::filesystem::path& pdf, int page, int dpi) {
    TempDir dir;
    const std::string number = std::to_string(page);
    Poppler("pdftoppm", {"-gray", "-r", std::to_string(dpi), "-f", number, "-l", number,
                         "-singlefile", pdf.string(), (dir / "page").string()});
    std::ifstream in(dir / "page.pgm", std::ios::binary);
    std::string magic;
    int maxValue = 0;
    GreyImage image;
    in >> magic >> image.width >> image.height >> maxValue;
    in.get();
    if (magic != "P5" || maxValue != 255 || image.width <= 0 || image.height <= 0) {
        ADD_FAILURE() << "not a grey picture: " << magic;
        return {};
    }
    image.pixels.resize(static_cast<std::size_t>(image.width) *
                        static_cast<std::size_t>(image.height));
    in.read(reinterpret_cast<char*>(image.pixels.data()),
            static_cast<std::streamsize>(image.pixels.size()));
    return image;
}

/// Writes page @p page as a PNG picture at 80 dpi to @p pngWithoutSuffix + ".png".
inline void PdfPagePicture(const std::filesystem::path& pdf, int page,
                           const std::filesystem::path& pngWithoutSuffix) {
    const std::string number = std::to_string(page);
    Poppler("pdftoppm", {"-png", "-r", "80", "-f", number, "-l", number, "-singlefile",
                         pdf.string(), pngWithoutSuffix.string()});
}

}  // namespace radioprog::testing
