// The built-in material table: the invariants the sheet, the selectors and the options rely on, and
// the sheet areas that turn square metres into sheets.

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string_view>
#include <utility>

#include "calc/calculation.h"
#include "calc/catalog.h"

namespace {

using calc::MaterialCatalog;
using calc::MaterialLayer;
using calc::MaterialRecord;

TEST(MaterialCatalog, IdsAreOneToEighteenInTableOrder) {
    ASSERT_EQ(MaterialCatalog.size(), 18u);
    for (std::size_t i = 0; i < MaterialCatalog.size(); ++i)
        EXPECT_EQ(MaterialCatalog[i].id, static_cast<int>(i) + 1) << "position " << i;
}

TEST(MaterialCatalog, ShortNamesAreUniqueAndNotEmpty) {
    std::set<std::string_view> seen;
    for (const MaterialRecord& m : MaterialCatalog) {
        EXPECT_FALSE(m.shortName.empty()) << "id " << m.id;
        EXPECT_TRUE(seen.insert(m.shortName).second) << "duplicate short name " << m.shortName;
    }
}

TEST(MaterialCatalog, MaterialsSharingANameDifferInSize) {
    std::set<std::pair<std::string_view, std::string_view>> seen;
    for (const MaterialRecord& m : MaterialCatalog)
        EXPECT_TRUE(seen.insert({m.name, m.sizeText}).second) << "id " << m.id;
    // ids 1 to 5 share one name, ids 7 and 8 another
    for (int id = 2; id <= 5; ++id)
        EXPECT_EQ(MaterialCatalog[static_cast<std::size_t>(id) - 1].name, MaterialCatalog[0].name);
    EXPECT_EQ(MaterialCatalog[6].name, MaterialCatalog[7].name);
}

TEST(MaterialCatalog, OnlyTheTapeIsOutsideTheThreeLayersAndOnNoPart) {
    for (const MaterialRecord& m : MaterialCatalog) {
        const bool onAnyPart = m.onHood || m.onTailGate || m.onRoof || m.onDoors || m.onFloor;
        if (m.id == 18) {
            EXPECT_EQ(m.layer, MaterialLayer::Other);
            EXPECT_FALSE(onAnyPart);
        } else {
            EXPECT_TRUE(m.layer == MaterialLayer::Vibro || m.layer == MaterialLayer::Noise ||
                        m.layer == MaterialLayer::Heat)
                << "id " << m.id;
            EXPECT_TRUE(onAnyPart) << "id " << m.id << " is offered nowhere";
        }
    }
}

TEST(MaterialCatalog, OnlyTheTapeIsAddedByTheSeal) {
    for (const MaterialRecord& m : MaterialCatalog)
        EXPECT_EQ(m.onSeal != 0, m.id == 18) << "id " << m.id;
}

TEST(MaterialCatalog, DashboardAndParcelShelfAddOnlyIdsOneAndEleven) {
    for (const MaterialRecord& m : MaterialCatalog) {
        if (m.id == 1) {
            EXPECT_EQ(m.torpedaSheets, 2);
            EXPECT_EQ(m.parcelShelfSheets, 2);
            EXPECT_EQ(m.layer, MaterialLayer::Vibro);
        } else if (m.id == 11) {
            EXPECT_EQ(m.torpedaSheets, 1);
            EXPECT_EQ(m.parcelShelfSheets, 1);
            EXPECT_EQ(m.layer, MaterialLayer::Noise);
        } else {
            EXPECT_EQ(m.torpedaSheets, 0) << "id " << m.id;
            EXPECT_EQ(m.parcelShelfSheets, 0) << "id " << m.id;
        }
    }
}

TEST(MaterialCatalog, NoFloorMaterialIsANoiseMaterial) {
    for (const MaterialRecord& m : MaterialCatalog)
        EXPECT_FALSE(m.onFloor && m.layer == MaterialLayer::Noise) << "id " << m.id;
}

TEST(MaterialCatalog, EntriesKeepTheirAddresses) {
    // Selector items keep pointers into the table: they must point at the very entries.
    calc::CalcState first;
    calc::CalcState second;
    for (std::size_t s = 0; s < calc::kSelectorCount; ++s) {
        const auto& a = first.inputs.selectors[s].items;
        const auto& b = second.inputs.selectors[s].items;
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t i = 1; i < a.size(); ++i) {
            EXPECT_EQ(a[i].material, b[i].material);
            EXPECT_EQ(a[i].material, &MaterialCatalog[static_cast<std::size_t>(a[i].material->id) - 1]);
        }
    }
}

struct SheetCountCase {
    const char* name;
    int id;
    double area;
    double sheets;
};
void PrintTo(const SheetCountCase& c, std::ostream* os) {
    *os << c.name;
}

class SheetCount : public ::testing::TestWithParam<SheetCountCase> {};

TEST_P(SheetCount, AreaBecomesSheetsByTheSheetArea) {
    const SheetCountCase& c = GetParam();
    calc::CalcState state;
    const MaterialRecord& m = MaterialCatalog[static_cast<std::size_t>(c.id) - 1];
    calc::AddConsumption(state, &m, c.area);
    const calc::SheetRow& row = state.sheet.Row(c.id - 1);
    EXPECT_EQ(row.AmountS, c.area);
    EXPECT_EQ(row.AmountN, c.sheets);
}

INSTANTIATE_TEST_SUITE_P(MaterialCatalog, SheetCount,
                         ::testing::Values(SheetCountCase{"PlusOneSix", 1, 0.8, 2.0},
                                           SheetCountCase{"PlusTwoThree", 3, 0.8, 4.0},
                                           SheetCountCase{"Tape", 18, 0.2, 0.16}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
