#include "core/radio/csv_exchange.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/radio/channel_codec.h"
#include "core/radio/csv_tone_modes.h"
#include "core/radio/new_image.h"
#include "core/radio/text_grid.h"

namespace radioprog {
namespace {

using Id = CsvMessageId;

const std::string kHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

CsvImportPlan Plan(std::string_view text, BandLimits band = {},
                   Language language = Language::English) {
    CsvTable table;
    EXPECT_TRUE(ReadCsv(text, table, language).ok());
    CsvImportPlan plan;
    const Status status = PlanCsvImport(table, band, language, plan);
    EXPECT_TRUE(status.ok()) << status.message();
    return plan;
}

// A row of the current form with the fields that matter here; the rest as written by default.
std::string Row(const std::string& location, const std::string& frequency,
                const std::string& duplex = "", const std::string& offset = "0.000000",
                const std::string& tones = ",88.5,88.5,023,NN,023,Tone->Tone",
                const std::string& mode = "FM", const std::string& skip = "",
                const std::string& power = "5.0W", const std::string& comment = "",
                const std::string& name = "") {
    return location + "," + name + "," + frequency + "," + duplex + "," + offset + "," + tones +
           "," + mode + ",5.00," + skip + "," + power + "," + comment + ",,,,\r\n";
}

// What one row should become: its channel, and its grid texts or the reason it is skipped.
struct Expect {
    int channel;
    std::optional<Id> reason;
    ChannelRowTexts texts{};
};

ChannelRowTexts Texts(const std::string& rx, const std::string& tx, const std::string& dec,
                      const std::string& enc, const std::string& power = "High",
                      const std::string& scan = "Yes", const std::string& busy = "Off",
                      const std::string& wn = "Wide") {
    return {rx, tx, dec, enc, power, scan, busy, wn};
}

void ExpectRows(const CsvImportPlan& plan, const std::vector<Expect>& expected) {
    ASSERT_EQ(plan.rows.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(plan.rows[i].line));
        const CsvImportRow& row = plan.rows[i];
        EXPECT_EQ(row.channel, expected[i].channel);
        if (expected[i].reason) {
            ASSERT_FALSE(row.stored());
            EXPECT_EQ(row.reason->id, *expected[i].reason)
                << CsvMessageText(*row.reason, Language::English);
        } else {
            ASSERT_TRUE(row.stored()) << CsvMessageText(*row.reason, Language::English);
            EXPECT_EQ(row.texts, expected[i].texts);
        }
    }
}

std::vector<Id> NoteIds(const CsvImportRow& row) {
    std::vector<Id> ids;
    for (const CsvMessage& note : row.notes) {
        ids.push_back(note.id);
    }
    return ids;
}

// Channels typed into a grid as texts and stored, as the grid does before a save.
RadioImage ImageOf(const std::vector<std::pair<int, ChannelRowTexts>>& channels,
                   BandLimits band = {}) {
    RadioImage image = NewRadioImage({});
    TextGrid grid;
    for (const auto& [channel, texts] : channels) {
        for (int col = 1; col <= 8; ++col) {
            grid.SetTextMatrix(channel, col, texts[static_cast<std::size_t>(col - 1)]);
        }
    }
    GridToImage(grid, band, image);
    return image;
}

TEST(CsvExport, WritesTheCurrentHeaderAndOneRowPerFilledChannelWithCrlf) {
    const RadioImage image = ImageOf(
        {
            {1, Texts("146.52000", "146.52000", "None", "None")},
            {2, Texts("146.94000", "146.34000", "None", "88.5")},
            {3,
             Texts("145.00625", "145.60625", "100.0", "100.0", "Low", "No", "Carrier", "Narrow")},
            {5, Texts("147.00000", "", "", "", "", "", "", "")},
            {16, Texts("150.00000", "440.00000", "D023N", "D023I", "High", "Yes", "QT/DQT")},
        },
        BandLimits(100, 500));
    EXPECT_EQ(ExportChannelsCsv(image),
              kHeader + "\r\n" +
                  "1,,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\r\n"
                  "2,,146.940000,-,0.600000,Tone,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,"
                  "\r\n"
                  "3,,145.006250,+,0.600000,TSQL,88.5,100.0,023,NN,023,Tone->Tone,NFM,6.25,S,1.0W,"
                  "BusyLock=Carrier,,,,\r\n"
                  // Without a transmit frequency the grid stores Low, QT/DQT and Narrow.
                  "5,,147.000000,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,5.00,S,1.0W,"
                  "BusyLock=QT/DQT,,,,\r\n"
                  "16,,150.000000,split,440.000000,DTCS,88.5,88.5,023,RN,023,Tone->Tone,FM,5.00,,"
                  "5.0W,BusyLock=QT/DQT,,,,\r\n");
    // A new memory has no channels: the header alone.
    EXPECT_EQ(ExportChannelsCsv(NewRadioImage({})), kHeader + "\r\n");
}

TEST(CsvExport, TheToneModeStatesBothTonesExactly) {
    const ChannelTone none;
    const auto ctcss = ChannelTone::Ctcss;
    const auto dcs = ChannelTone::Dcs;
    const struct {
        ChannelTones tones;
        CsvToneFields fields;
    } cases[] = {
        {{none, none}, {"", "88.5", "88.5", "023", "NN", "023", "Tone->Tone"}},
        {{ctcss(1000), none}, {"Tone", "100.0", "88.5", "023", "NN", "023", "Tone->Tone"}},
        {{ctcss(670), ctcss(670)}, {"TSQL", "88.5", "67.0", "023", "NN", "023", "Tone->Tone"}},
        {{dcs(23, false), dcs(23, false)},
         {"DTCS", "88.5", "88.5", "023", "NN", "023", "Tone->Tone"}},
        {{dcs(754, true), dcs(754, false)},
         {"DTCS", "88.5", "88.5", "754", "RN", "023", "Tone->Tone"}},
        {{ctcss(1000), ctcss(1230)}, {"Cross", "100.0", "123.0", "023", "NN", "023", "Tone->Tone"}},
        {{dcs(71, false), none}, {"Cross", "88.5", "88.5", "071", "NN", "023", "DTCS->"}},
        {{none, dcs(411, true)}, {"Cross", "88.5", "88.5", "023", "NR", "411", "->DTCS"}},
        {{ctcss(670), dcs(23, false)}, {"Cross", "67.0", "88.5", "023", "NN", "023", "Tone->DTCS"}},
        {{dcs(25, true), ctcss(2503)},
         {"Cross", "88.5", "250.3", "025", "RN", "023", "DTCS->Tone"}},
        {{none, ctcss(885)}, {"Cross", "88.5", "88.5", "023", "NN", "023", "->Tone"}},
        {{dcs(23, false), dcs(25, true)},
         {"Cross", "88.5", "88.5", "023", "NR", "025", "DTCS->DTCS"}},
    };
    for (const auto& c : cases) {
        const CsvToneFields f = ToneFieldsOf(c.tones);
        SCOPED_TRACE(c.fields.tone + " " + c.fields.crossMode);
        EXPECT_EQ(f.tone, c.fields.tone);
        EXPECT_EQ(f.rToneFreq, c.fields.rToneFreq);
        EXPECT_EQ(f.cToneFreq, c.fields.cToneFreq);
        EXPECT_EQ(f.dtcsCode, c.fields.dtcsCode);
        EXPECT_EQ(f.dtcsPolarity, c.fields.dtcsPolarity);
        EXPECT_EQ(f.rxDtcsCode, c.fields.rxDtcsCode);
        EXPECT_EQ(f.crossMode, c.fields.crossMode);
    }
}

// The variants of the file form that people have, each as its program writes it.
TEST(CsvImport, ImportsEveryVariantOfTheFileForm) {
    const std::string legacy17 =
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
        "Mode,TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL\r\n"
        "1,,146.520000,,0.600000,,88.5,88.5,023,NN,FM,5.00,,,,,\r\n"
        "2,,147.120000,+,0.600000,Tone,103.5,88.5,023,NN,FM,5.00,S,,,,\r\n"
        "3,,145.230000,-,0.600000,DTCS,88.5,88.5,023,NR,NFM,12.50,,,,,\r\n";
    const std::string legacy18 =
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
        "Mode,TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
        "1,,146.520000,,0.600000,TSQL,88.5,123.0,023,NN,NFM,5.00,,,,,,\r\n";
    const std::string powerWithoutCross =
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
        "Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
        "4,,146.520000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,1.0W,,,,,\r\n";
    const std::string withBom = "\xEF\xBB\xBF" + kHeader + "\r\n" + Row("1", "146.520000");
    std::string quotedHeader;
    for (std::string_view name : {"Location", "Frequency", "Duplex", "Offset", "Power"}) {
        quotedHeader += (quotedHeader.empty() ? "\"" : ",\"") + std::string(name) + "\"";
    }
    quotedHeader += "\n\"7\",\"146.940000\",\"-\",\"0.600000\",\"1.0W\"\n";
    const std::string semicolons =
        "Location;Name;Frequency;Duplex;Offset;Tone;rToneFreq;cToneFreq;DtcsCode;DtcsPolarity;"
        "Mode;TStep;Skip;Comment;URCALL;RPT1CALL;RPT2CALL\n"
        "1;Home;146.520000;;0.600000;Tone;100.0;88.5;023;NN;FM;5.00;;;;;\n";
    const std::string unknownColumn =
        "Location,Frequency,Bank,Power,Extra,Bank,power\n"
        "2,146.520000,A,5.0W,x,B,1W\n";
    const std::string zeroBased = kHeader + "\r\n" + Row("0", "146.520000") +
                                  Row("1", "146.540000") + Row("15", "146.560000");
    std::string moreThan16 = kHeader + "\r\n";
    for (int location = 1; location <= 18; ++location) {
        moreThan16 += Row(std::to_string(location), "146." + std::to_string(500 + location * 5));
    }
    const std::string none = "None";
    const struct {
        const char* name;
        std::string text;
        std::vector<Expect> rows;
        std::vector<std::string> unknown;
    } cases[] = {
        {"legacy 17 columns: Power missing is High",
         legacy17,
         {{1, {}, Texts("146.52000", "146.52000", none, none)},
          {2, {}, Texts("147.12000", "147.72000", none, "103.5", "High", "No")},
          {3,
           {},
           Texts("145.23000", "144.63000", "D023I", "D023N", "High", "Yes", "Off", "Narrow")}},
         {}},
        {"legacy 18 columns with DVCODE",
         legacy18,
         {{1,
           {},
           Texts("146.52000", "146.52000", "123.0", "123.0", "High", "Yes", "Off", "Narrow")}},
         {}},
        {"Power without RxDtcsCode and CrossMode",
         powerWithoutCross,
         {{4, {}, Texts("146.52000", "146.52000", none, none, "Low")}},
         {}},
        {"byte order mark and CRLF",
         withBom,
         {{1, {}, Texts("146.52000", "146.52000", none, none)}},
         {}},
        {"quoted header and fields",
         quotedHeader,
         {{7, {}, Texts("146.94000", "146.34000", none, none, "Low")}},
         {}},
        {"semicolons", semicolons, {{1, {}, Texts("146.52000", "146.52000", none, "100.0")}}, {}},
        {"unknown columns named once, a repeated one ignored",
         unknownColumn,
         {{2, {}, Texts("146.52000", "146.52000", none, none)}},
         {"Bank", "Extra", "power"}},
        {"locations from 0",
         zeroBased,
         {{1, {}, Texts("146.52000", "146.52000", none, none)},
          {2, {}, Texts("146.54000", "146.54000", none, none)},
          {16, {}, Texts("146.56000", "146.56000", none, none)}},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CsvImportPlan plan = Plan(c.text);
        ExpectRows(plan, c.rows);
        EXPECT_EQ(plan.unknownColumns, c.unknown);
    }

    const CsvImportPlan more = Plan(moreThan16);
    ASSERT_EQ(more.rows.size(), 18u);
    EXPECT_EQ(more.StoredCount(), 16);
    for (int i = 0; i < 18; ++i) {
        SCOPED_TRACE(i);
        const CsvImportRow& row = more.rows[static_cast<std::size_t>(i)];
        EXPECT_EQ(row.stored(), i < 16);
        EXPECT_EQ(row.channel, i < 16 ? i + 1 : 0);
        if (i >= 16) {
            EXPECT_EQ(row.reason->id, Id::BeyondChannels);
        }
    }
}

TEST(CsvImport, EveryCrossModeGivesItsTwoTones) {
    const struct {
        std::string crossMode;
        std::string dec;  // receive
        std::string enc;  // transmit
    } cases[] = {
        {"Tone->Tone", "123.0", "100.0"}, {"DTCS->", "None", "D023N"},
        {"->DTCS", "D411I", "None"},      {"Tone->DTCS", "D411I", "100.0"},
        {"DTCS->Tone", "123.0", "D023N"}, {"->Tone", "123.0", "None"},
        {"DTCS->DTCS", "D411I", "D023N"}, {"Tone->", "None", "100.0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.crossMode);
        const CsvImportPlan plan =
            Plan(kHeader + "\n" +
                 Row("1", "146.52", "", "0", "Cross,100.0,123.0,023,NR,411," + c.crossMode));
        ExpectRows(plan, {{1, {}, Texts("146.52000", "146.52000", c.dec, c.enc)}});
    }
}

TEST(CsvImport, ARowThisRadioCannotHoldIsSkippedWithItsReasonInWords) {
    const std::string tones = "88.5,88.5,023,NN,023,Tone->Tone";
    const struct {
        std::string row;
        Id reason;
        std::string words;
    } cases[] = {
        {Row("1", "446.006250"), Id::RxOutOfBand,
         "the receive frequency 446.006250 MHz is outside the band 136-174 MHz"},
        {Row("1", "146.5123"), Id::RxOffStep,
         "the receive frequency 146.512300 MHz is off the 5 kHz and 6.25 kHz steps"},
        {Row("1", "173.500000", "+", "1.000000"), Id::TxOutOfBand,
         "the transmit frequency 174.500000 MHz is outside the band 136-174 MHz"},
        {Row("1", "146.520000", "split", "146.5213"), Id::TxOffStep,
         "the transmit frequency 146.521300 MHz is off the 5 kHz and 6.25 kHz steps"},
        {Row("1", ""), Id::NoFrequency, "the row has no Frequency"},
        {Row("1", "\"146,52\""), Id::NotAFrequency,
         "Frequency \"146,52\" is not a frequency in MHz or kHz"},
        {Row("1", "146.520000", "+", "six"), Id::NotAFrequency,
         "Offset \"six\" is not a frequency in MHz or kHz"},
        {Row("1", "146.520000", "split", ""), Id::SplitWithoutTx,
         "Duplex split needs the transmit frequency in Offset, which holds \"\""},
        {Row("1", "146.520000", "off"), Id::DuplexOff,
         "Duplex off (receive only) cannot be stored: every channel of this radio transmits"},
        {Row("1", "146.520000", "x"), Id::UnknownDuplex,
         "Duplex \"x\" is none of \"\", +, -, split and off"},
        {Row("1", "146.520000", "", "0", "Tone,69.3," + tones.substr(5)), Id::ToneNotOffered,
         "rToneFreq 69.3 Hz is a tone this radio does not have"},
        {Row("1", "146.520000", "", "0", "TSQL,88.5,159.8," + tones.substr(10)), Id::ToneNotOffered,
         "cToneFreq 159.8 Hz is a tone this radio does not have"},
        {Row("1", "146.520000", "", "0", "Tone,88.55," + tones.substr(5)), Id::ToneNotOffered,
         "rToneFreq 88.55 Hz is a tone this radio does not have"},
        {Row("1", "146.520000", "", "0", "Tone,high," + tones.substr(5)), Id::NotATone,
         "rToneFreq \"high\" is not a tone in Hz"},
        {Row("1", "146.520000", "", "0", "DTCS,88.5,88.5,024,NN,023,Tone->Tone"),
         Id::DcsCodeNotInSet, "DtcsCode 024 is a DCS code this radio does not have"},
        {Row("1", "146.520000", "", "0", "Cross,88.5,88.5,023,NN,999,->DTCS"), Id::DcsCodeNotInSet,
         "RxDtcsCode 999 is a DCS code this radio does not have"},
        {Row("1", "146.520000", "", "0", "DTCS,88.5,88.5,D23,NN,023,Tone->Tone"), Id::NotADcsCode,
         "DtcsCode \"D23\" is not a DCS code"},
        {Row("1", "146.520000", "", "0", "DTCS,88.5,88.5,023,NX,023,Tone->Tone"),
         Id::UnknownPolarity, "DtcsPolarity \"NX\" is none of NN, NR, RN and RR"},
        {Row("1", "146.520000", "", "0", "TSQL-R," + tones), Id::ReverseSquelch,
         "reverse squelch (TSQL-R) cannot be stored"},
        {Row("1", "146.520000", "", "0", "DTCS-R," + tones), Id::ReverseSquelch,
         "reverse squelch (DTCS-R) cannot be stored"},
        {Row("1", "146.520000", "", "0", "Cross,88.5,88.5,023,NN,023,->"), Id::UnknownCrossMode,
         "CrossMode \"->\" is not a cross mode"},
        {Row("1", "146.520000", "", "0", "DV," + tones), Id::UnknownToneMode,
         "Tone \"DV\" is none of \"\", Tone, TSQL, DTCS and Cross"},
        {Row("1", "118.100000", "", "0", "," + tones, "AM"), Id::UnsupportedMode,
         "mode AM cannot be stored: this radio has FM (Wide) and NFM (Narrow)"},
        {Row("1", "146.520000", "", "0", "," + tones, "DV"), Id::UnsupportedMode,
         "mode DV cannot be stored: this radio has FM (Wide) and NFM (Narrow)"},
        {Row("1", "146.520000", "", "0", "," + tones, "FM", "X"), Id::UnknownSkip,
         "Skip \"X\" is none of \"\", S and P"},
        {Row("1", "146.520000", "", "0", "," + tones, "FM", "", "loud"), Id::NotAPower,
         "Power \"loud\" is neither watts nor High or Low"},
        {Row("1", "146.520000", "", "0", "," + tones, "FM", "", "-1W"), Id::NotAPower,
         "Power \"-1W\" is neither watts nor High or Low"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        const CsvImportPlan plan = Plan(kHeader + "\r\n" + c.row);
        ASSERT_EQ(plan.rows.size(), 1u);
        const CsvImportRow& row = plan.rows[0];
        ASSERT_FALSE(row.stored());
        EXPECT_EQ(row.reason->id, c.reason);
        EXPECT_EQ(CsvMessageText(*row.reason, Language::English), c.words);
        EXPECT_EQ(CsvRowOutcome(row, Language::English), "skipped: " + c.words);
        EXPECT_TRUE(row.notes.empty());
        EXPECT_EQ(row.texts, ChannelRowTexts{});
    }
}

TEST(CsvImport, WhatARowLosesIsNotedAndTheRowStored) {
    const std::string tones = ",88.5,88.5,023,NN,023,Tone->Tone";
    const struct {
        std::string row;
        std::vector<Id> notes;
        std::string words;  ///< of the first note
        ChannelRowTexts texts;
    } cases[] = {
        {Row("1", "146.520000", "", "0", tones, "FM", "", "5.0W", "", "Calling"),
         {Id::NameDropped},
         "Name \"Calling\" dropped: channels of this radio have no names",
         Texts("146.52000", "146.52000", "None", "None")},
        {Row("1", "146.520000", "", "0", tones, "FM", "", "5.0W", "net on Sundays"),
         {Id::CommentDropped},
         "Comment \"net on Sundays\" dropped",
         Texts("146.52000", "146.52000", "None", "None")},
        {Row("1", "146.520000", "", "0", tones, "FM", "", "5.0W", "BusyLock=Carrier"),
         {},
         "",
         Texts("146.52000", "146.52000", "None", "None", "High", "Yes", "Carrier")},
        {Row("1", "146.520000", "", "0", tones, "FM", "", "5.0W", "club; busylock=qt/dqt"),
         {Id::CommentDropped},
         "Comment \"club\" dropped",
         Texts("146.52000", "146.52000", "None", "None", "High", "Yes", "QT/DQT")},
        {Row("1", "146.520000", "", "0", tones, "FM", "P"),
         {Id::PriorityScan},
         "Skip P (priority scan) stored as in the scan list",
         Texts("146.52000", "146.52000", "None", "None")},
        {Row("1", "146.520000", "", "0", tones, "FM", "", "4W"),
         {Id::PowerRoundedHigh},
         "Power 4W stored as High (5.0W)",
         Texts("146.52000", "146.52000", "None", "None")},
        {Row("1", "146.520000", "", "0", tones, "FM", "", "0.5 W"),
         {Id::PowerRoundedLow},
         "Power 0.5 W stored as Low (1.0W)",
         Texts("146.52000", "146.52000", "None", "None", "Low")},
        {Row("1", "146.520005"),
         {Id::FrequencyCut},
         "Frequency 146.520005 stored as 146.520000 MHz: the radio keeps 10 Hz steps",
         Texts("146.52000", "146.52000", "None", "None")},
        {Row("1", "146.520000", "+", "0.6000004"),
         {Id::FrequencyCut},
         "Offset 0.6000004 stored as 147.120000 MHz: the radio keeps 10 Hz steps",
         Texts("146.52000", "147.12000", "None", "None")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        const CsvImportPlan plan = Plan(kHeader + "\r\n" + c.row);
        ASSERT_EQ(plan.rows.size(), 1u);
        const CsvImportRow& row = plan.rows[0];
        ASSERT_TRUE(row.stored()) << CsvMessageText(*row.reason, Language::English);
        EXPECT_EQ(NoteIds(row), c.notes);
        if (!row.notes.empty()) {
            EXPECT_EQ(CsvMessageText(row.notes[0], Language::English), c.words);
        }
        EXPECT_EQ(row.texts, c.texts);
    }
}

TEST(CsvImport, FrequenciesAndPowerComeInEveryFormTheFileFormAllows) {
    const struct {
        std::string frequency, duplex, offset, power;
        std::string rx, tx, level;
    } cases[] = {
        {"146.52", "", "", "5W", "146.52000", "146.52000", "High"},
        {"146", "", "", "High", "146.00000", "146.00000", "High"},
        {" 146.52 MHz ", "-", "600 kHz", "h", "146.52000", "145.92000", "High"},
        {"146520 kHz", "+", "0.6", "Low", "146.52000", "147.12000", "Low"},
        {"146506.25kHz", "SPLIT", "147.0MHz", "l", "146.50625", "147.00000", "Low"},
        {"145.00625", "+", "", "", "145.00625", "145.00625", "High"},
        {"136", "+", "38", "3W", "136.00000", "174.00000", "High"},
        {"174.000000", "-", "38.000000", "2.9W", "174.00000", "136.00000", "Low"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frequency + " " + c.duplex + " " + c.offset);
        const CsvImportPlan plan = Plan("Frequency,Duplex,Offset,Power\n\"" + c.frequency + "\"," +
                                        c.duplex + "," + c.offset + "," + c.power + "\n");
        ExpectRows(plan, {{1, {}, Texts(c.rx, c.tx, "None", "None", c.level)}});
    }
}

TEST(CsvImport, TheBandOfTheDocumentDecidesAndTheTextsAreInItsLanguage) {
    const std::string file = "Frequency,Skip,Comment,Mode\n440.000000,S,BusyLock=Carrier,NFM\n";
    ExpectRows(Plan(file), {{0, Id::RxOutOfBand}});
    ExpectRows(Plan(file, BandLimits(400, 470), Language::Chinese),
               {{1, {}, {"440.00000", "440.00000", "无", "无", "高", "无", "载波", "窄"}}});
}

TEST(CsvImport, LocationsPlaceRowsAndOtherwiseRowsFillChannelsInFileOrder) {
    const std::string rows357 = kHeader + "\n" + Row("3", "146.52") + Row("7", "146.54") +
                                Row("5", "146.56") + Row("3", "146.58");
    ExpectRows(Plan(rows357), {{3, {}, Texts("146.52000", "146.52000", "None", "None")},
                               {7, {}, Texts("146.54000", "146.54000", "None", "None")},
                               {5, {}, Texts("146.56000", "146.56000", "None", "None")},
                               {3, Id::ChannelGivenAlready}});
    EXPECT_EQ(CsvMessageText(*Plan(rows357).rows[3].reason, Language::English),
              "channel 3 is given already by row 2");

    // A skipped row does not take its channel.
    ExpectRows(Plan(kHeader + "\n" + Row("2", "446.0") + Row("2", "146.5")),
               {{2, Id::RxOutOfBand}, {2, {}, Texts("146.50000", "146.50000", "None", "None")}});

    // Without usable Locations the stored rows fill channels 1, 2, ...; a skipped row takes none.
    const std::vector<Expect> inOrder = {
        {1, {}, Texts("146.52000", "146.52000", "None", "None")},
        {0, Id::RxOutOfBand},
        {2, {}, Texts("146.54000", "146.54000", "None", "None")},
    };
    const struct {
        const char* name;
        std::string text;
        bool fileOrderNote;
    } fileOrder[] = {
        {"no Location column", "Frequency\n146.52\n446.0\n146.54\n", false},
        {"a Location that is no number",
         kHeader + "\n" + Row("A1", "146.52") + Row("2", "446.0") + Row("3", "146.54"), true},
        {"a row without Location",
         kHeader + "\n" + Row("1", "146.52") + Row("", "446.0") + Row("3", "146.54"), true},
        {"Locations of a larger radio",
         kHeader + "\n" + Row("101", "146.52") + Row("102", "446.0") + Row("103", "146.54"), true},
    };
    for (const auto& c : fileOrder) {
        SCOPED_TRACE(c.name);
        const CsvImportPlan plan = Plan(c.text);
        ExpectRows(plan, inOrder);
        EXPECT_EQ(NoteIds(plan.rows[0]),
                  c.fileOrderNote ? std::vector<Id>{Id::FileOrder} : std::vector<Id>{});
    }

    std::string twenty = "Frequency\n";
    for (int i = 0; i < 20; ++i) {
        twenty += "146." + std::to_string(500 + i * 5) + "\n";
    }
    const CsvImportPlan plan = Plan(twenty);
    EXPECT_EQ(plan.StoredCount(), 16);
    EXPECT_EQ(plan.rows[16].reason->id, Id::BeyondChannels);
    EXPECT_EQ(plan.rows[19].line, 21);
}

TEST(CsvImport, RowsOfEmptyFieldsAreNoDataRows) {
    const CsvImportPlan plan = Plan("Location,Frequency\n,\n1,146.52\n , \n");
    ASSERT_EQ(plan.rows.size(), 1u);
    EXPECT_EQ(plan.rows[0].line, 3);
}

TEST(CsvImport, AFileWithoutFrequencyColumnIsRefusedInTheLanguageOfTheRun) {
    for (const auto& [language, words] :
         {std::pair{Language::English,
                    "The header line has no Frequency column: this is no channel file."},
          std::pair{Language::Chinese, "标题行中没有 Frequency 列：这不是信道文件。"}}) {
        CsvTable table;
        ASSERT_TRUE(ReadCsv("Location,Name,Freq\n1,a,146.52\n", table, language).ok());
        CsvImportPlan plan;
        const Status status = PlanCsvImport(table, {}, language, plan);
        ASSERT_FALSE(status.ok());
        EXPECT_EQ(status.message(), words);
    }
}

TEST(CsvImport, TheReportSaysEveryRowsFateInEitherLanguage) {
    const std::string file =
        "Location,Name,Frequency,Tone,rToneFreq,Bank\n"
        "1,Home,146.52,,,A\n"
        "2,,146.54,Tone,69.3,A\n";
    EXPECT_EQ(CsvImportReport(Plan(file), Language::English),
              (std::vector<std::string>{
                  "Row 2 (Location 1) -> channel 1: stored",
                  "  note: Name \"Home\" dropped: channels of this radio have no names",
                  "Row 3 (Location 2) -> channel 2: skipped: rToneFreq 69.3 Hz is a tone this "
                  "radio does not have",
                  "Columns ignored: Bank",
                  "2 rows: 1 stored, 1 skipped",
              }));
    EXPECT_EQ(CsvImportReport(Plan(file, {}, Language::Chinese), Language::Chinese),
              (std::vector<std::string>{
                  "第 2 行 (Location 1) -> 信道 1：已保存",
                  "  注：已舍弃名称 \"Home\"：本机信道没有名称",
                  "第 3 行 (Location 2) -> 信道 2：已跳过：rToneFreq 69.3 Hz 不是本机具有的亚音",
                  "已忽略的列：Bank",
                  "共 2 行：保存 1 行，跳过 1 行",
              }));
}

TEST(CsvImport, ThePreviewTextsOfARowAreItsStatusAndItsReasonOrNotes) {
    const CsvImportPlan plan =
        Plan("Frequency,Name,Skip,Mode\n146.52,Home,P,FM\n146.54,,,AM\n146.56,,,FM\n");
    const struct {
        std::string status, details;
    } expected[] = {
        {"stored",
         "Name \"Home\" dropped: channels of this radio have no names; Skip P (priority scan) "
         "stored as in the scan list"},
        {"skipped", "mode AM cannot be stored: this radio has FM (Wide) and NFM (Narrow)"},
        {"stored", ""},
    };
    ASSERT_EQ(plan.rows.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(CsvRowStatus(plan.rows[i], Language::English), expected[i].status);
        EXPECT_EQ(CsvRowDetails(plan.rows[i], Language::English), expected[i].details);
    }
    EXPECT_EQ(CsvRowStatus(plan.rows[1], Language::Chinese), "已跳过");
    EXPECT_EQ(CsvUnknownColumnsText(plan, Language::English), "");
    EXPECT_EQ(CsvImportSummary(plan, Language::English), "3 rows: 2 stored, 1 skipped");
}

TEST(CsvImport, AnImportChangesChannelsWhenARowIsStoredOrAllAreReplaced) {
    const CsvImportPlan skippedOnly = Plan("Frequency\n446\n");
    EXPECT_FALSE(CsvImportChangesChannels(skippedOnly, false));
    EXPECT_TRUE(CsvImportChangesChannels(skippedOnly, true));
    EXPECT_TRUE(CsvImportChangesChannels(Plan("Frequency\n146\n"), false));
    EXPECT_FALSE(CsvImportChangesChannels(Plan("Frequency\n"), false));
}

TEST(CsvImport, LongValuesAreCutInMessagesOnACharacterBoundary) {
    // Byte 40 is inside the first Chinese character.
    const std::string name = std::string(38, 'x') + "频道频道";
    const CsvImportPlan plan = Plan("Frequency,Name\n146.52," + name + "\n");
    ASSERT_EQ(plan.rows[0].notes.size(), 1u);
    EXPECT_EQ(plan.rows[0].notes[0].args[0], std::string(38, 'x') + "...");
}

TEST(CsvClipboard, TheTabSeparatedFormCarriesTheChosenChannelsBack) {
    const RadioImage image = ImageOf({
        {1, Texts("146.52000", "146.52000", "None", "88.5")},
        {2, Texts("146.94000", "146.34000", "D023N", "D023N", "Low", "No", "Carrier", "Narrow")},
        {4, Texts("147.00000", "147.60000", "100.0", "100.0")},
    });
    const int chosen[] = {2, 3, 4};
    const std::string text = ExportChannelsTabSeparated(image, chosen);
    EXPECT_TRUE(text.starts_with("Location\tName\tFrequency\t"));
    CsvTable table;
    ASSERT_TRUE(ReadTabSeparated(text, table, Language::English).ok());
    CsvImportPlan plan;
    ASSERT_TRUE(PlanCsvImport(table, {}, Language::English, plan).ok());
    ExpectRows(
        plan,
        {{2,
          {},
          Texts("146.94000", "146.34000", "D023N", "D023N", "Low", "No", "Carrier", "Narrow")},
         {4, {}, Texts("147.00000", "147.60000", "100.0", "100.0")}});
}

}  // namespace
}  // namespace radioprog
