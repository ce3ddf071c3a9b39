#include "core/base/csv_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace radioprog {
namespace {

using Fields = std::vector<std::string>;

struct Read {
    char delimiter;
    Fields header;
    std::vector<Fields> records;
    std::vector<int> lines;  ///< where each record starts
};

Read ReadOk(std::string_view text, bool tabs = false) {
    CsvTable table;
    const Status status = tabs ? ReadTabSeparated(text, table, Language::English)
                               : ReadCsv(text, table, Language::English);
    EXPECT_TRUE(status.ok()) << status.message();
    Read read{table.delimiter, table.header.fields, {}, {}};
    for (const CsvRecord& record : table.records) {
        read.records.push_back(record.fields);
        read.lines.push_back(record.line);
    }
    return read;
}

TEST(CsvTable, ReadsTheFormsSpreadsheetsAndOldProgrammersWrite) {
    const struct {
        const char* name;
        std::string text;
        char delimiter;
        Fields header;
        std::vector<Fields> records;
        std::vector<int> lines;
    } cases[] = {
        {"LF", "A,B\n1,2\n3,4\n", ',', {"A", "B"}, {{"1", "2"}, {"3", "4"}}, {2, 3}},
        {"CRLF without a last line end",
         "A,B\r\n1,2\r\n3,4",
         ',',
         {"A", "B"},
         {{"1", "2"}, {"3", "4"}},
         {2, 3}},
        {"CR only", "A,B\r1,2\r", ',', {"A", "B"}, {{"1", "2"}}, {2}},
        {"byte order mark",
         "\xEF\xBB\xBF"
         "A,B\r\n1,2\r\n",
         ',',
         {"A", "B"},
         {{"1", "2"}},
         {2}},
        {"comments and empty lines",
         "# made by hand\n\nA,B\n#1,2\n\r\n3,4\n",
         ',',
         {"A", "B"},
         {{"3", "4"}},
         {6}},
        {"quoted header", "\"A\",\"B\"\n1,2\n", ',', {"A", "B"}, {{"1", "2"}}, {2}},
        {"quoted delimiter, quote and line break",
         "A,B\n\"x,y\",\"say \"\"hi\"\"\"\n\"two\r\nlines\",z\n5,6\n",
         ',',
         {"A", "B"},
         {{"x,y", "say \"hi\""}, {"two\r\nlines", "z"}, {"5", "6"}},
         {2, 3, 5}},
        {"empty fields and a trailing delimiter",
         "A,B,\n,,\n1,,\n",
         ',',
         {"A", "B", ""},
         {{"", "", ""}, {"1", "", ""}},
         {2, 3}},
        {"text after a closing quote stays", "A\n\"ab\"cd\n", ',', {"A"}, {{"abcd"}}, {2}},
        {"a quote inside a plain field is a character",
         "A,B\nab\"c,d\n",
         ',',
         {"A", "B"},
         {{"ab\"c", "d"}},
         {2}},
        {"semicolons in very old files",
         "A;B;C\n1;2,5;3\n",
         ';',
         {"A", "B", "C"},
         {{"1", "2,5", "3"}},
         {2}},
        {"a header with as many commas as semicolons is comma-separated",
         "A;B,C\n1;2,3\n",
         ',',
         {"A;B", "C"},
         {{"1;2", "3"}},
         {2}},
        {"semicolons inside quotes do not count",
         "\"A;B;C\",D\n1,2\n",
         ',',
         {"A;B;C", "D"},
         {{"1", "2"}},
         {2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Read read = ReadOk(c.text);
        EXPECT_EQ(read.delimiter, c.delimiter);
        EXPECT_EQ(read.header, c.header);
        EXPECT_EQ(read.records, c.records);
        EXPECT_EQ(read.lines, c.lines);
    }
}

TEST(CsvTable, TheClipboardFormIsTabSeparatedWhateverTheHeaderHolds) {
    const Read read = ReadOk("A\tB,C;D\r\n1\t\"2\t3\"\r\n", true);
    EXPECT_EQ(read.delimiter, '\t');
    EXPECT_EQ(read.header, (Fields{"A", "B,C;D"}));
    EXPECT_EQ(read.records, (std::vector<Fields>{{"1", "2\t3"}}));
}

TEST(CsvTable, ATextWithoutHeaderOrWithAnOpenQuoteFailsSayingWhere) {
    const struct {
        std::string text;
        Language language;
        std::string message;
    } cases[] = {
        {"", Language::English, "The file holds no header line."},
        {"\xEF\xBB\xBF# only a comment\r\n\r\n", Language::English,
         "The file holds no header line."},
        {"A,B\n1,2\n3,\"never\nclosed\n", Language::English,
         "Line 3: a quoted field is never closed."},
        {"\"A,B\n", Language::Chinese, "第 1 行：引号字段没有结束。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CsvTable table;
        const Status status = ReadCsv(c.text, table, c.language);
        ASSERT_FALSE(status.ok());
        EXPECT_EQ(status.message(), c.message);
    }
}

TEST(CsvTable, WrittenRecordsReadBackAsTheyWere) {
    const std::vector<std::vector<std::string>> records = {
        {"#Location", "Name", "Comment"},
        {"1", "a,b", "say \"hi\""},
        {"2", "semi;colon", "tab\there"},
        {"3", "two\r\nlines", "cr\ronly"},
        {"\xEF\xBB\xBF"
         "4",
         "", ""},
        {""},
        {"#", " blanks kept ", "lf\n"},
    };
    const std::string csv = WriteCsv(records);
    EXPECT_TRUE(csv.starts_with("\"#Location\",Name,Comment\r\n1,\"a,b\",\"say \"\"hi\"\"\"\r\n"));
    for (const bool tabs : {false, true}) {
        SCOPED_TRACE(tabs);
        const Read read = ReadOk(tabs ? WriteTabSeparated(records) : csv, tabs);
        EXPECT_EQ(read.delimiter, tabs ? '\t' : ',');
        EXPECT_EQ(read.header, records[0]);
        EXPECT_EQ(read.records, std::vector<Fields>(records.begin() + 1, records.end()));
    }
}

}  // namespace
}  // namespace radioprog
