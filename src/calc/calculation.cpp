#include "calc/calculation.h"

#include "calc/number_format.h"

namespace calc {

namespace {
constexpr double kMillimetre = 0.001;
constexpr double kSealArea = 0.2;
constexpr int kAmountDecimals = 3;
constexpr int kSumDecimals = 2;

class CalculatingScope {
  public:
    explicit CalculatingScope(CalcState& state) : m_state(state) { m_state.Calculating = true; }
    ~CalculatingScope() { m_state.Calculating = false; }
    CalculatingScope(const CalculatingScope&) = delete;
    CalculatingScope& operator=(const CalculatingScope&) = delete;

  private:
    CalcState& m_state;
};
} // namespace

CalcState::CalcState() {
    sheet.SeedSheet();
    for (std::string& d : inputs.dimensions)
        d = kEmptyDimensionText;
    FillSelectors(inputs);
    BodyPartSlots = MakeBodyPartSlots(inputs);
}

double DoorFactor(MaterialLayer layer) {
    switch (layer) {
    case MaterialLayer::Vibro:
        return 800;
    case MaterialLayer::Noise:
    case MaterialLayer::Heat:
        return 400;
    default:
        return 0;
    }
}

void AddConsumption(CalcState& state, const MaterialRecord* material, double area) {
    if (material == nullptr)
        return;
    state.TotalWeight += area * material->weightPerM2;
    DsMaterial& ds = state.sheet;
    if (!ds.LocateMaterialRow(material))
        return;
    ds.Edit();
    ds.SetFloat(Field::Weight, ds.AsFloat(Field::Weight) + area * material->weightPerM2);
    const double s = ds.AsFloat(Field::AmountS) + area;
    ds.SetFloat(Field::AmountS, RoundTo(s, kAmountDecimals));
    ds.SetFloat(Field::AmountN, RoundTo(s / material->sheetArea, kAmountDecimals));
    ds.Post();
}

void AddLayerConsumption(CalcState& state, const BodyPartSlot& slot, const MaterialSelector* selector) {
    const MaterialRecord* material = SelectedMaterial(selector);
    if (material == nullptr)
        return;
    double length = 0;
    double width = 0;
    if (slot.lengthEdit != nullptr && slot.widthEdit != nullptr) {
        length = ReadDimension(*slot.lengthEdit) * kMillimetre;
        width = ReadDimension(*slot.widthEdit) * kMillimetre;
    } else {
        length = state.inputs.numDoors * kMillimetre;
        width = DoorFactor(material->layer);
    }
    AddConsumption(state, material, length * width);
}

void AddPartConsumption(CalcState& state, const BodyPartSlot& slot) {
    AddLayerConsumption(state, slot, slot.vibroSelector);
    AddLayerConsumption(state, slot, slot.noiseSelector);
    AddLayerConsumption(state, slot, slot.heatSelector);
}

void UpdateTotalSumma(CalcState& state) {
    DsMaterial& ds = state.sheet;
    const auto mark = ds.GetBookmark();
    {
        ViewSuspension view(ds);
        double total = 0;
        for (ds.First(); !ds.Eof(); ds.Next())
            total += ds.AsFloat(Field::Summa);
        state.StSumma = FormatFixed(total, kSumDecimals);
        ds.GotoBookmark(mark);
        ds.FreeBookmark(mark);
    }
}

void OnChange(CalcState& state, const MaterialSelector* sender) {
    if (!state.Ready)
        return;
    CalculatingScope calculating(state);
    const MaterialSelector* changing = nullptr;
    for (const MaterialSelector& s : state.inputs.selectors)
        if (&s == sender)
            changing = sender;

    DsMaterial& ds = state.sheet;
    const auto mark = ds.GetBookmark();
    ViewSuspension view(ds);

    for (ds.First(); !ds.Eof(); ds.Next()) {
        ds.Edit();
        ds.SetEmpty(Field::AmountS);
        ds.SetEmpty(Field::AmountN);
        ds.SetEmpty(Field::Weight);
        ds.Post();
    }
    state.TotalWeight = 0;

    for (const BodyPartSlot& slot : state.BodyPartSlots)
        AddPartConsumption(state, slot);

    const auto& in = state.inputs;
    if (in.Option(OptionId::Torpeda))
        for (const MaterialRecord& m : MaterialCatalog)
            if (m.torpedaSheets != 0)
                AddConsumption(state, &m, m.torpedaSheets * m.sheetArea);
    if (in.Option(OptionId::ParcelShelf))
        for (const MaterialRecord& m : MaterialCatalog)
            if (m.parcelShelfSheets != 0)
                AddConsumption(state, &m, m.parcelShelfSheets * m.sheetArea);
    if (in.Option(OptionId::Seal))
        for (const MaterialRecord& m : MaterialCatalog)
            if (m.onSeal != 0)
                AddConsumption(state, &m, kSealArea);

    UpdateTotalSumma(state);

    const MaterialRecord* chosen = SelectedMaterial(changing);
    if (chosen != nullptr)
        ds.LocateMaterialRow(chosen);
    else
        ds.GotoBookmark(mark);
    ds.FreeBookmark(mark);

    state.StAllWeight = FormatFixed(state.TotalWeight, kAmountDecimals);
    // the view switch comes back with `view`, then Calculating is cleared
}

} // namespace calc
