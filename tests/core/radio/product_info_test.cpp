#include <gtest/gtest.h>

#include "../../support/temp_dir.h"
#include "core/doc/ini_profile.h"
#include "core/doc/product_settings.h"

namespace radioprog {
namespace {

using testing::TempDir;
using testing::WriteText;

class ProductInfoTest : public ::testing::Test {
protected:
    void LoadIni(const std::string& text) {
        WriteText(m_dir / "Program.ini", text);
        ASSERT_TRUE(m_profile.LoadFile(m_dir / "Program.ini", false, true, false));
    }

    TempDir m_dir;
    CIniProfile m_profile;
};

TEST_F(ProductInfoTest, ListsTypesUpToTheFirstEmptyOneAndTheFirstTypesBands) {
    LoadIni(
        "[Setup]\nType1=RP-16V\nType2=RP-16U\nType4=never\n"
        "Field1=136-174MHz|400-470MHz\nField2=400-470MHz\n");
    const ProductInfoView view =
        OpenProductInfo(m_profile, BandLimits(136, 174), {}, Language::English);
    EXPECT_EQ(view.types, (std::vector<std::string>{"RP-16V", "RP-16U"}));
    EXPECT_EQ(view.typeIndex, 0);
    EXPECT_EQ(view.fields, (std::vector<std::string>{"136-174MHz", "400-470MHz", "Customize"}));
    EXPECT_EQ(view.fieldIndex, 0);
    EXPECT_FALSE(view.customVisible);
    EXPECT_EQ(view.custom.start, 400u);
    EXPECT_EQ(view.custom.end, 470u);
}

TEST_F(ProductInfoTest, SelectsTheBandInUseOrCustomizeWithTheLimitsAsRange) {
    LoadIni("[setup]\nTYPE1=RP-16V\nfield1=136-174MHz|400-470mhz extra|150-160MHz\n");
    struct Case {
        BandLimits band;
        int fieldIndex;
        bool custom;
        unsigned start, end;
    };
    const Case cases[] = {
        {BandLimits(400, 470), 1, false, 1, 2},  // matched without regard to case, by prefix
        {BandLimits(150, 160), 2, false, 1, 2},
        {BandLimits(150, 155), 3, true, 150, 155},
        {BandLimits(36, 174), 3, true, 36, 174},  // "36-174MHz" begins no item
    };
    for (const Case& c : cases) {
        const ProductInfoView view = OpenProductInfo(m_profile, c.band, {1, 2}, Language::Chinese);
        EXPECT_EQ(view.fieldIndex, c.fieldIndex) << c.band.lower();
        EXPECT_EQ(view.customVisible, c.custom);
        EXPECT_EQ(view.custom.start, c.start);
        EXPECT_EQ(view.custom.end, c.end);
        EXPECT_EQ(view.fields.back(), "自定义");
    }
}

TEST_F(ProductInfoTest, TheFirstItemIsFoundLastWhenSeveralMatch) {
    LoadIni("[Setup]\nType1=A\nField1=136-174MHz (a)|136-174MHz (b)\n");
    EXPECT_EQ(OpenProductInfo(m_profile, BandLimits(), {}, Language::English).fieldIndex, 1);
}

TEST_F(ProductInfoTest, WithoutTypesTheFieldListComesFromFieldZero) {
    LoadIni("[Setup]\nField0=144-148MHz\n");
    const ProductInfoView view = OpenProductInfo(m_profile, BandLimits(), {}, Language::English);
    EXPECT_TRUE(view.types.empty());
    EXPECT_EQ(view.typeIndex, -1);
    EXPECT_EQ(view.fields, (std::vector<std::string>{"144-148MHz", "Customize"}));
    LoadIni("[Setup]\n");
    EXPECT_EQ(OpenProductInfo(m_profile, BandLimits(), {}, Language::English).fields,
              (std::vector<std::string>{"", "Customize"}));
}

TEST(ProductInfoOk, AppliesABandTextOrTheCustomRange) {
    struct Case {
        const char* field;
        const char* start;
        const char* end;
        bool error;
        BandLimits after;
    };
    const Case cases[] = {
        {"400-470MHz", "1", "2", false, BandLimits(400, 470)},
        {"Customize", "150", "160", false, BandLimits(150, 160)},
        {"自定义", "150", "150", false, BandLimits(150, 150)},
        {"Customize", "160", "150", true, BandLimits(136, 174)},
        {"144MHz", "1", "2", false, BandLimits(144, 174)},  // only what was read changes
        {"junk", "1", "2", false, BandLimits(136, 174)},
    };
    for (const Case& c : cases) {
        BandLimits band(136, 174);
        CustomBand custom;
        const ProductInfoOk ok =
            ApplyProductInfo(c.field, c.start, c.end, custom, band, Language::English);
        EXPECT_EQ(ok.error.has_value(), c.error) << c.field;
        if (c.error) {
            EXPECT_EQ(*ok.error, "Frequency input error");
        }
        EXPECT_EQ(band, c.after) << c.field << " " << c.start << "-" << c.end;
        EXPECT_EQ(band.upper10Hz(), c.after.upper() * 100000);
    }
}

TEST(ProductInfoOk, AnEmptyFieldKeepsThePreviousValueAndIsReported) {
    BandLimits band;
    CustomBand custom{300, 320};
    const ProductInfoOk ok =
        ApplyProductInfo("Customize", "", "330", custom, band, Language::Chinese);
    EXPECT_TRUE(ok.startUnreadable);
    EXPECT_FALSE(ok.endUnreadable);
    EXPECT_FALSE(ok.error);
    EXPECT_EQ(band, BandLimits(300, 330));
    custom = {330, 320};
    EXPECT_EQ(ApplyProductInfo("Customize", "", "", custom, band, Language::Chinese).error,
              "起始频率应小于结束频率");
}

TEST(WindowTitle, OkAndFillFormsInBothLanguages) {
    const BandLimits band(400, 470);
    EXPECT_EQ(OkFormTitle("Radio", "RP-16V", band, Language::English),
              "Radio [ Type:RP-16V Fre:400 - 470MHz ]");
    EXPECT_EQ(OkFormTitle("Radio", "RP-16V", band, Language::Chinese),
              "Radio [ 类型:RP-16V 频率:400 - 470MHz ]");
    EXPECT_EQ(FillFormTitle("Radio", "RP-16V", band, Language::English),
              "Radio  [ Type:RP-16V  Fre:400 - 470MHz ]");
    EXPECT_EQ(FillFormTitle("Radio", "RP-16V", band, Language::Chinese),
              "Radio  [ 类型:RP-16V  频率:400 - 470MHz ]");
}

}  // namespace
}  // namespace radioprog
