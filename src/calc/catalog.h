#pragma once
// The built-in range of insulation materials. Every other part of the calculation is driven by this one
// constant table: the sheet rows are seeded from it, the layer selectors are filled from its
// applicability flags, and the recalculation takes sheet areas, masses and option quantities from it.
// Entries live for the whole run and never move, so references to them may be kept anywhere.

#include <array>
#include <cstdint>
#include <string_view>

namespace calc {

enum class MaterialLayer : std::uint8_t { Vibro = 0, Noise = 1, Heat = 2, Other = 3 };

struct MaterialRecord {
    std::int32_t id;           // 1..18, position + 1; the key of the material's sheet row
    std::string_view name;     // full product name (shared by several sizes)
    std::string_view shortName; // selector item text; unique
    std::string_view sizeText; // "530*750*1,6": display only, never parsed
    double sheetArea;          // nominal m2 of one sheet: the divisor m2 -> sheets
    double weightPerM2;        // kg per m2
    std::int32_t onHood;
    std::int32_t onTailGate;
    std::int32_t onRoof;
    std::int32_t onDoors;
    std::int32_t onFloor;
    std::int32_t extraFlag;    // carried along, read by nothing
    std::int32_t torpedaSheets;     // whole sheets the dashboard option adds
    std::int32_t parcelShelfSheets; // whole sheets the parcel shelf option adds
    std::int32_t onSeal;            // non-zero: the seal option adds 0.2 m2
    MaterialLayer layer;
};

inline constexpr std::size_t kMaterialCount = 18;

extern const std::array<MaterialRecord, kMaterialCount> MaterialCatalog;

} // namespace calc
