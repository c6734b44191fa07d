// The body-part inputs: what each layer selector offers, the chosen material, dimension texts and
// the key filters.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "calc/catalog.h"
#include "calc/inputs.h"

namespace {

using calc::CalcInputs;
using calc::MaterialCatalog;
using calc::MaterialLayer;
using calc::SelectorId;

CalcInputs FilledInputs() {
    CalcInputs in;
    calc::FillSelectors(in);
    return in;
}

struct SelectorCase {
    const char* name;
    SelectorId id;
    std::vector<std::string> items; // after the empty item 0
};
void PrintTo(const SelectorCase& c, std::ostream* os) {
    *os << c.name;
}

class SelectorContents : public ::testing::TestWithParam<SelectorCase> {};

TEST_P(SelectorContents, EmptyItemThenTheMaterialsInCatalogOrder) {
    const SelectorCase& c = GetParam();
    const CalcInputs in = FilledInputs();
    const calc::MaterialSelector& selector = in.Selector(c.id);
    EXPECT_EQ(calc::SelectorName(c.id), std::string("Cb") + c.name);

    ASSERT_FALSE(selector.items.empty());
    EXPECT_EQ(selector.items[0].text, "");
    EXPECT_EQ(selector.items[0].material, nullptr);
    std::vector<std::string> texts;
    for (std::size_t i = 1; i < selector.items.size(); ++i) {
        const calc::SelectorItem& item = selector.items[i];
        texts.push_back(item.text);
        ASSERT_NE(item.material, nullptr) << item.text;
        EXPECT_EQ(item.material->shortName, item.text);
        EXPECT_EQ(item.material, &MaterialCatalog[static_cast<std::size_t>(item.material->id) - 1]);
    }
    EXPECT_EQ(texts, c.items);
    EXPECT_EQ(selector.itemIndex, -1) << "nothing is chosen after filling";
    EXPECT_EQ(selector.text, "");
}

INSTANTIATE_TEST_SUITE_P(
    FillSelectors, SelectorContents,
    ::testing::Values(
        SelectorCase{"RoofVibro", SelectorId::RoofVibro, {"КД plus 1.6", "КД plus 2", "КД plus 2.3"}},
        SelectorCase{"RoofNoise", SelectorId::RoofNoise, {"ГВ 5", "ГВ 10"}},
        SelectorCase{"RoofHeat", SelectorId::RoofHeat, {"СН 3004", "СН 3008"}},
        SelectorCase{"HoodVibro", SelectorId::HoodVibro, {"КД plus 1.6", "КД plus 2"}},
        SelectorCase{"HoodNoise", SelectorId::HoodNoise, {"ФН ЛМ 12,5", "ФН ЛМ 15"}},
        SelectorCase{"HoodHeat", SelectorId::HoodHeat, {"СН ЛМ 3004", "СН ЛМ 3008"}},
        SelectorCase{"TailGateVibro", SelectorId::TailGateVibro, {"КД plus 1.6", "КД plus 2"}},
        SelectorCase{"TailGateNoise", SelectorId::TailGateNoise, {"ГВ 5"}},
        SelectorCase{"TailGateHeat", SelectorId::TailGateHeat, {"СН 3002", "СН 3004"}},
        SelectorCase{"FloorVibro",
                     SelectorId::FloorVibro,
                     {"КД plus 2", "КД plus 2.3", "КД plus 3", "КД plus 4", "КД duo-lam 2.7", "КД duo-nil 2",
                      "КД duo-nil 3.5"}},
        SelectorCase{"FloorNoise", SelectorId::FloorNoise, {}},
        SelectorCase{"FloorHeat", SelectorId::FloorHeat, {"СН 3004", "СН 3008"}},
        SelectorCase{"DoorVibro", SelectorId::DoorVibro, {"КД plus 1.6", "КД plus 2", "КД duo-lam 2.7"}},
        SelectorCase{"DoorNoise", SelectorId::DoorNoise, {"ГВ 5", "ГВ 10"}},
        SelectorCase{"DoorHeat", SelectorId::DoorHeat, {"СН 3002", "СН 3004", "СН 3008"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FillSelectors, RefillingGivesTheSameItemsOnce) {
    CalcInputs in = FilledInputs();
    in.Selector(SelectorId::RoofVibro).itemIndex = 2;
    calc::FillSelectors(in);
    EXPECT_EQ(in.Selector(SelectorId::RoofVibro).items.size(), 4u);
    EXPECT_EQ(in.Selector(SelectorId::RoofVibro).itemIndex, -1);
}

TEST(AddSelectorItem, AppendsOnlyAMaterialOfTheLayer) {
    calc::MaterialSelector selector;
    calc::AddSelectorItem(selector, MaterialCatalog[10], MaterialLayer::Vibro); // "ГВ 5" is a noise material
    EXPECT_TRUE(selector.items.empty());
    calc::AddSelectorItem(selector, MaterialCatalog[10], MaterialLayer::Noise);
    ASSERT_EQ(selector.items.size(), 1u);
    EXPECT_EQ(selector.items[0].text, "ГВ 5");
    EXPECT_EQ(selector.items[0].material, &MaterialCatalog[10]);
}

TEST(SelectedMaterial, NoneWithoutAChoiceOrOnTheEmptyItem) {
    CalcInputs in = FilledInputs();
    calc::MaterialSelector& roof = in.Selector(SelectorId::RoofVibro);
    EXPECT_EQ(calc::SelectedMaterial(nullptr), nullptr);
    roof.itemIndex = -1;
    EXPECT_EQ(calc::SelectedMaterial(&roof), nullptr);
    roof.itemIndex = 0;
    EXPECT_EQ(calc::SelectedMaterial(&roof), nullptr);
    roof.itemIndex = 2;
    EXPECT_EQ(calc::SelectedMaterial(&roof), &MaterialCatalog[1]); // "КД plus 2"
    roof.itemIndex = 4;                                            // past the last item
    EXPECT_EQ(calc::SelectedMaterial(&roof), nullptr);
}

TEST(BodyPartSlots, RoofHoodTrunkLidFloorDoors) {
    const CalcInputs in = FilledInputs();
    const auto slots = calc::MakeBodyPartSlots(in);
    using D = calc::DimensionId;
    using S = SelectorId;
    struct Expected {
        int partId;
        const std::string* length;
        const std::string* width;
        S vibro, noise, heat;
    };
    const Expected expected[] = {
        {1, &in.Dimension(D::RoofL), &in.Dimension(D::RoofW), S::RoofVibro, S::RoofNoise, S::RoofHeat},
        {0, &in.Dimension(D::HoodL), &in.Dimension(D::HoodW), S::HoodVibro, S::HoodNoise, S::HoodHeat},
        {2, &in.Dimension(D::TailGateL), &in.Dimension(D::TailGateW), S::TailGateVibro, S::TailGateNoise,
         S::TailGateHeat},
        {3, &in.Dimension(D::FloorL), &in.Dimension(D::FloorW), S::FloorVibro, S::FloorNoise, S::FloorHeat},
        {4, nullptr, nullptr, S::DoorVibro, S::DoorNoise, S::DoorHeat},
    };
    for (std::size_t i = 0; i < slots.size(); ++i) {
        SCOPED_TRACE("slot " + std::to_string(i));
        EXPECT_EQ(slots[i].partId, expected[i].partId);
        EXPECT_EQ(slots[i].lengthEdit, expected[i].length);
        EXPECT_EQ(slots[i].widthEdit, expected[i].width);
        EXPECT_EQ(slots[i].vibroSelector, &in.Selector(expected[i].vibro));
        EXPECT_EQ(slots[i].noiseSelector, &in.Selector(expected[i].noise));
        EXPECT_EQ(slots[i].heatSelector, &in.Selector(expected[i].heat));
    }
}

struct DimensionCase {
    const char* name;
    const char* text;
    int value;
};
void PrintTo(const DimensionCase& c, std::ostream* os) {
    *os << c.name;
}

class DimensionText : public ::testing::TestWithParam<DimensionCase> {};

TEST_P(DimensionText, ReadsAsWholeMillimetres) {
    EXPECT_EQ(calc::ReadDimension(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(ReadDimension, DimensionText,
                         ::testing::Values(DimensionCase{"Empty", "", 0},
                                           DimensionCase{"MaskBlanks", "     ", 0},
                                           DimensionCase{"LeadingBlank", " 1500", 1500},
                                           DimensionCase{"TrailingBlanks", "15   ", 15},
                                           DimensionCase{"ControlCharacters", "\t42\r\n", 42},
                                           DimensionCase{"FiveDigits", "99999", 99999}),
                         [](const auto& info) { return std::string(info.param.name); });

struct BadDimensionCase {
    const char* name;
    const char* text;
    const char* message;
};
void PrintTo(const BadDimensionCase& c, std::ostream* os) {
    *os << c.name;
}

class BadDimensionText : public ::testing::TestWithParam<BadDimensionCase> {};

TEST_P(BadDimensionText, ThrowsWithTheTrimmedText) {
    try {
        calc::ReadDimension(GetParam().text);
        FAIL() << "no ConversionError for '" << GetParam().text << "'";
    } catch (const calc::ConversionError& e) {
        EXPECT_STREQ(e.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ReadDimension, BadDimensionText,
    ::testing::Values(BadDimensionCase{"InnerBlank", "1 2", "'1 2' is not a valid integer value"},
                      BadDimensionCase{"InnerBlankInMask", " 1 2 ", "'1 2' is not a valid integer value"},
                      BadDimensionCase{"Letter", "12a", "'12a' is not a valid integer value"},
                      BadDimensionCase{"LoneSign", "-", "'-' is not a valid integer value"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RemoveBlanks, DeletesEverySpaceAndTellsWhetherItDid) {
    const auto inner = calc::RemoveBlanks("1 2");
    EXPECT_EQ(inner.text, "12");
    EXPECT_TRUE(inner.changed);

    const auto scattered = calc::RemoveBlanks(" 3  4 ");
    EXPECT_EQ(scattered.text, "34");
    EXPECT_TRUE(scattered.changed);

    const auto mask = calc::RemoveBlanks("     ");
    EXPECT_EQ(mask.text, "");
    EXPECT_TRUE(mask.changed);

    const auto clean = calc::RemoveBlanks("1500");
    EXPECT_EQ(clean.text, "1500");
    EXPECT_FALSE(clean.changed);
}

struct MaskCase {
    const char* name;
    const char* text;
    const char* held;
};

class MaskDimensionText : public ::testing::TestWithParam<MaskCase> {};

TEST_P(MaskDimensionText, HoldsWhatAFiveDigitEditCanHold) {
    EXPECT_EQ(calc::MaskDimensionText(GetParam().text), GetParam().held);
}

INSTANTIATE_TEST_SUITE_P(Edit, MaskDimensionText,
                         ::testing::Values(MaskCase{"Empty", "", "     "}, MaskCase{"Digits", "1500", " 1500"},
                                           MaskCase{"GapBetweenDigits", "1 2", "  1 2"},
                                           MaskCase{"Letters", "abc", "     "},
                                           MaskCase{"LetterBetweenDigits", "18a0", " 18 0"},
                                           MaskCase{"TooLong", "1234567", "12345"},
                                           MaskCase{"AlreadyHeld", "  1 2", "  1 2"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EdKeyPress, ADimensionCannotStartWithZero) {
    EXPECT_FALSE(calc::EdKeyPressAccepts("", U'0'));
    EXPECT_FALSE(calc::EdKeyPressAccepts("     ", U'0'));
    EXPECT_TRUE(calc::EdKeyPressAccepts("", U'1'));
    EXPECT_TRUE(calc::EdKeyPressAccepts("1", U'0'));
    EXPECT_TRUE(calc::EdKeyPressAccepts("1    ", U'0'));
}

TEST(CbKeyPress, NoCharacterReachesASelector) {
    for (char32_t key : {U'a', U'1', U' ', U'К', U'\b'})
        EXPECT_FALSE(calc::CbKeyPressAccepts(key)) << static_cast<unsigned>(key);
}

TEST(FormKeyPress, OnlyTheLatinLettersEAreDiscarded) {
    EXPECT_FALSE(calc::FormKeyPressAccepts(U'e'));
    EXPECT_FALSE(calc::FormKeyPressAccepts(U'E'));
    EXPECT_TRUE(calc::FormKeyPressAccepts(U'е')); // Cyrillic ye
    EXPECT_TRUE(calc::FormKeyPressAccepts(U'Е'));
    EXPECT_TRUE(calc::FormKeyPressAccepts(U'5'));
    EXPECT_TRUE(calc::FormKeyPressAccepts(U','));
}

} // namespace
