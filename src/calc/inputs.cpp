#include "calc/inputs.h"

#include <limits>

namespace calc {

const char* SelectorName(SelectorId id) {
    static constexpr std::array<const char*, kSelectorCount> names{
        "CbRoofVibro",     "CbRoofNoise",  "CbRoofHeat",  "CbHoodVibro",  "CbHoodNoise",
        "CbHoodHeat",      "CbTailGateVibro", "CbTailGateNoise", "CbTailGateHeat", "CbFloorVibro",
        "CbFloorNoise",    "CbFloorHeat",  "CbDoorVibro", "CbDoorNoise",  "CbDoorHeat"};
    return names[static_cast<std::size_t>(id)];
}

const char* DimensionName(DimensionId id) {
    static constexpr std::array<const char*, kDimensionCount> names{
        "EdHoodL", "EdHoodW", "EdRoofL", "EdRoofW", "EdTailGateL", "EdTailGateW", "EdFloorL", "EdFloorW"};
    return names[static_cast<std::size_t>(id)];
}

const char* OptionName(OptionId id) {
    static constexpr std::array<const char*, kOptionCount> names{"ChTorpeda", "ChParcelShelf", "ChSeal"};
    return names[static_cast<std::size_t>(id)];
}

void AddSelectorItem(MaterialSelector& selector, const MaterialRecord& material, MaterialLayer layer) {
    if (material.layer == layer)
        selector.items.push_back({std::string(material.shortName), &material});
}

const MaterialRecord* SelectedMaterial(const MaterialSelector* selector) {
    if (selector == nullptr || selector->itemIndex < 0 ||
        selector->itemIndex >= static_cast<int>(selector->items.size()))
        return nullptr;
    return selector->items[static_cast<std::size_t>(selector->itemIndex)].material;
}

std::string Trim(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ')
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ')
        --last;
    return text.substr(first, last - first);
}

std::string MaskDimensionText(const std::string& text) {
    constexpr std::size_t kPlaces = 5;
    std::string places;
    for (std::size_t i = 0; i < text.size() && i < kPlaces; ++i)
        places += (text[i] >= '0' && text[i] <= '9') ? text[i] : ' ';
    while (!places.empty() && places.back() == ' ')
        places.pop_back();
    return std::string(kPlaces - places.size(), ' ') + places;
}

int ReadDimension(const std::string& text) {
    const std::string trimmed = Trim(text);
    if (trimmed.empty())
        return 0;
    auto fail = [&trimmed]() { return ConversionError("'" + trimmed + "' is not a valid integer value"); };
    std::size_t i = 0;
    const bool negative = trimmed[0] == '-';
    if (trimmed[0] == '+' || trimmed[0] == '-')
        i = 1;
    if (i == trimmed.size())
        throw fail();
    long long value = 0;
    const long long limit = static_cast<long long>(std::numeric_limits<int>::max()) + (negative ? 1 : 0);
    for (; i < trimmed.size(); ++i) {
        const char c = trimmed[i];
        if (c < '0' || c > '9')
            throw fail();
        value = value * 10 + (c - '0');
        if (value > limit)
            throw fail();
    }
    return static_cast<int>(negative ? -value : value);
}

RemoveBlanksResult RemoveBlanks(const std::string& text) {
    RemoveBlanksResult result{text, false};
    for (auto pos = result.text.find(' '); pos != std::string::npos; pos = result.text.find(' ')) {
        result.text.erase(pos, 1);
        result.changed = true;
    }
    return result;
}

std::array<BodyPartSlot, kBodyPartCount> MakeBodyPartSlots(const CalcInputs& in) {
    auto dim = [&in](DimensionId id) { return &in.Dimension(id); };
    auto sel = [&in](SelectorId id) { return &in.Selector(id); };
    using D = DimensionId;
    using S = SelectorId;
    return {{
        {1, dim(D::RoofL), dim(D::RoofW), sel(S::RoofVibro), sel(S::RoofNoise), sel(S::RoofHeat)},
        {0, dim(D::HoodL), dim(D::HoodW), sel(S::HoodVibro), sel(S::HoodNoise), sel(S::HoodHeat)},
        {2, dim(D::TailGateL), dim(D::TailGateW), sel(S::TailGateVibro), sel(S::TailGateNoise),
         sel(S::TailGateHeat)},
        {3, dim(D::FloorL), dim(D::FloorW), sel(S::FloorVibro), sel(S::FloorNoise), sel(S::FloorHeat)},
        {4, nullptr, nullptr, sel(S::DoorVibro), sel(S::DoorNoise), sel(S::DoorHeat)},
    }};
}

void FillSelectors(CalcInputs& in) {
    for (MaterialSelector& selector : in.selectors) {
        selector.text.clear();
        selector.items.clear();
        selector.items.push_back({});
        selector.itemIndex = -1;
    }
    auto addPart = [&in](const MaterialRecord& m, SelectorId vibro, SelectorId noise, SelectorId heat) {
        AddSelectorItem(in.Selector(vibro), m, MaterialLayer::Vibro);
        AddSelectorItem(in.Selector(noise), m, MaterialLayer::Noise);
        AddSelectorItem(in.Selector(heat), m, MaterialLayer::Heat);
    };
    using S = SelectorId;
    for (const MaterialRecord& m : MaterialCatalog) {
        if (m.onRoof)
            addPart(m, S::RoofVibro, S::RoofNoise, S::RoofHeat);
        if (m.onHood)
            addPart(m, S::HoodVibro, S::HoodNoise, S::HoodHeat);
        if (m.onTailGate)
            addPart(m, S::TailGateVibro, S::TailGateNoise, S::TailGateHeat);
        if (m.onFloor)
            addPart(m, S::FloorVibro, S::FloorNoise, S::FloorHeat);
        if (m.onDoors)
            addPart(m, S::DoorVibro, S::DoorNoise, S::DoorHeat);
    }
}

bool EdKeyPressAccepts(const std::string& editText, char32_t key) {
    return !(key == U'0' && Trim(editText).empty());
}

bool CbKeyPressAccepts(char32_t key) {
    // Printable characters and Backspace are refused; the arrows and the drop-down are no characters,
    // and Tab, Enter and Esc keep their usual work.
    return key < 0x20 && key != 0x08;
}

bool FormKeyPressAccepts(char32_t key) { return key != U'e' && key != U'E'; }

} // namespace calc
