#pragma once
// The body-part inputs as the calculation sees them: dimension texts in millimetres, layer selectors
// whose items carry catalog materials, the door count and the three options, and the table of body
// parts in the order the calculation visits them.

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "calc/catalog.h"

namespace calc {

// The layer selectors in their list order (SelectorList).
enum class SelectorId : std::uint8_t {
    RoofVibro, RoofNoise, RoofHeat,
    HoodVibro, HoodNoise, HoodHeat,
    TailGateVibro, TailGateNoise, TailGateHeat,
    FloorVibro, FloorNoise, FloorHeat,
    DoorVibro, DoorNoise, DoorHeat,
};
inline constexpr std::size_t kSelectorCount = 15;

// The dimension edits in their list order (DimensionEditList).
enum class DimensionId : std::uint8_t { HoodL, HoodW, RoofL, RoofW, TailGateL, TailGateW, FloorL, FloorW };
inline constexpr std::size_t kDimensionCount = 8;

enum class OptionId : std::uint8_t { Torpeda, ParcelShelf, Seal };
inline constexpr std::size_t kOptionCount = 3;

// Control names of the window ("CbRoofVibro", "EdHoodL", "ChSeal").
const char* SelectorName(SelectorId id);
const char* DimensionName(DimensionId id);
const char* OptionName(OptionId id);

// What a dimension edit holds when nothing was typed: five blank places.
inline constexpr const char* kEmptyDimensionText = "     ";

inline constexpr int kMinDoors = 0;
inline constexpr int kMaxDoors = 5;

struct SelectorItem {
    std::string text;
    const MaterialRecord* material = nullptr; // none for the empty item 0
};

struct MaterialSelector {
    std::vector<SelectorItem> items;
    int itemIndex = -1;  // -1: nothing chosen
    std::string text;    // what the selector shows; may name no item (a restored text)
};

// Appends the material when it belongs to `layer`.
void AddSelectorItem(MaterialSelector& selector, const MaterialRecord& material, MaterialLayer layer);

// The material of the chosen item; none without a selector, without a choice, or on the empty item.
const MaterialRecord* SelectedMaterial(const MaterialSelector* selector);

// Thrown when a dimension text is no whole number; the message is the user's.
class ConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The text without leading and trailing blanks (spaces and control characters) as a whole number;
// empty is 0. Throws ConversionError "'<trimmed>' is not a valid integer value".
int ReadDimension(const std::string& text);

struct RemoveBlanksResult {
    std::string text;
    bool changed = false;
};
// Deletes every space, wherever it stands.
RemoveBlanksResult RemoveBlanks(const std::string& text);

std::string Trim(const std::string& text);

// A text as the five-place millimetre edit holds it: a digit keeps its place, anything else in the
// first five places is an unfilled place (a blank), and unfilled places at the end stand as leading
// blanks ("1 2" is "  1 2", "abc" is "     ").
std::string MaskDimensionText(const std::string& text);

struct CalcInputs {
    std::array<MaterialSelector, kSelectorCount> selectors;
    std::array<std::string, kDimensionCount> dimensions;
    int numDoors = 0;
    std::array<bool, kOptionCount> options{};

    MaterialSelector& Selector(SelectorId id) { return selectors[static_cast<std::size_t>(id)]; }
    const MaterialSelector& Selector(SelectorId id) const { return selectors[static_cast<std::size_t>(id)]; }
    std::string& Dimension(DimensionId id) { return dimensions[static_cast<std::size_t>(id)]; }
    const std::string& Dimension(DimensionId id) const { return dimensions[static_cast<std::size_t>(id)]; }
    bool& Option(OptionId id) { return options[static_cast<std::size_t>(id)]; }
    bool Option(OptionId id) const { return options[static_cast<std::size_t>(id)]; }
};

struct BodyPartSlot {
    std::uint8_t partId;              // 0 hood, 1 roof, 2 trunk lid, 3 floor, 4 doors
    const std::string* lengthEdit;    // none for the doors
    const std::string* widthEdit;
    const MaterialSelector* vibroSelector;
    const MaterialSelector* noiseSelector;
    const MaterialSelector* heatSelector;
};
inline constexpr std::size_t kBodyPartCount = 5;

// Roof, hood, trunk lid, floor, doors: the order in which the calculation adds the parts.
std::array<BodyPartSlot, kBodyPartCount> MakeBodyPartSlots(const CalcInputs& inputs);

// Gives every selector its empty item and then the catalog's materials for its part and layer.
void FillSelectors(CalcInputs& inputs);

// Key filters of the window. Keys are Unicode code points.
// A dimension cannot start with a zero.
bool EdKeyPressAccepts(const std::string& editText, char32_t key);
// Nothing can be typed into a selector.
bool CbKeyPressAccepts(char32_t key);
// The Latin letters e and E never reach any control (no exponent in a price).
bool FormKeyPressAccepts(char32_t key);

} // namespace calc
