#include "prices/main_form_model.h"

#include <algorithm>
#include <charconv>

#include "calc/number_format.h"
#include "prices/price_list.h"

namespace prices {

using calc::DimensionId;
using calc::Field;
using calc::OptionId;
using calc::SelectorId;

MainFormModel::MainFormModel(char decimalSeparator) : m_decimalSeparator(decimalSeparator) {
    m_rules.Install();
}

void MainFormModel::AnnounceInputs() {
    if (InputsChanged)
        InputsChanged();
}

void MainFormModel::SetDimensionText(DimensionId id, const std::string& text) {
    m_state.inputs.Dimension(id) = text;
    Recalculate();
}

void MainFormModel::ChooseItem(SelectorId id, int index) {
    calc::MaterialSelector& selector = m_state.inputs.Selector(id);
    if (index < -1 || index >= static_cast<int>(selector.items.size()))
        index = -1;
    selector.itemIndex = index;
    selector.text = index >= 0 ? selector.items[static_cast<std::size_t>(index)].text : std::string();
    Recalculate(&selector);
}

void MainFormModel::SetNumDoors(int value) {
    m_state.inputs.numDoors = std::clamp(value, calc::kMinDoors, calc::kMaxDoors);
    Recalculate();
}

void MainFormModel::SetOption(OptionId id, bool checked) {
    m_state.inputs.Option(id) = checked;
    Recalculate();
}

bool MainFormModel::EdExit(DimensionId id) {
    const auto result = calc::RemoveBlanks(m_state.inputs.Dimension(id));
    if (!result.changed)
        return false;
    m_state.inputs.Dimension(id) = result.text;
    AnnounceInputs();
    Recalculate();
    return true;
}

void MainFormModel::EditPrice(int row, Field field, std::optional<double> value) {
    if (field != Field::PriceS && field != Field::PriceN)
        throw std::invalid_argument(std::string("Field '") + calc::FieldName(field) + "' cannot be modified");
    calc::DsMaterial& ds = m_state.sheet;
    if (ds.RecNo() != row)
        ds.MoveTo(row);
    ds.Edit();
    ds.SetValue(field, value);
}

bool MainFormModel::DeletePrice(Field field) {
    calc::DsMaterial& ds = m_state.sheet;
    if (ds.GetState() != calc::DsMaterial::State::Browse)
        return false;
    if (field != Field::PriceS && field != Field::PriceN)
        return false;
    ds.Edit();
    ds.SetEmpty(field);
    ds.Post();
    return true;
}

void MainFormModel::Restore(const StoredValues& values) {
    auto find = [&values](const std::string& key) -> const std::string* {
        const auto it = values.find(key);
        return it == values.end() ? nullptr : &it->second;
    };
    for (std::size_t i = 0; i < calc::kDimensionCount; ++i) {
        const auto id = static_cast<DimensionId>(i);
        if (const std::string* v = find(std::string(calc::DimensionName(id)) + ".Text")) {
            // A text the five-digit edit could not hold (edited by hand) comes back as the edit would
            // show it; anything it could hold comes back unchanged.
            const bool holdable = v->size() <= 5 && v->find_first_not_of("0123456789 ") == std::string::npos;
            m_state.inputs.Dimension(id) = holdable ? *v : calc::MaskDimensionText(*v);
        }
    }
    for (std::size_t i = 0; i < calc::kSelectorCount; ++i) {
        const auto id = static_cast<SelectorId>(i);
        if (const std::string* v = find(std::string(calc::SelectorName(id)) + ".Text"))
            m_state.inputs.Selector(id).text = *v;
    }
    for (std::size_t i = 0; i < calc::kOptionCount; ++i) {
        const auto id = static_cast<OptionId>(i);
        if (const std::string* v = find(std::string(calc::OptionName(id)) + ".Checked"))
            m_state.inputs.Option(id) = *v == "true" || *v == "1" || *v == "True";
    }
    if (const std::string* v = find("SpNumDoors.Value")) {
        const std::string text = calc::Trim(*v);
        int doors = 0; // a count that is no whole number reads as the minimum
        if (std::from_chars(text.data(), text.data() + text.size(), doors).ptr != text.data() + text.size())
            doors = calc::kMinDoors;
        m_state.inputs.numDoors = std::clamp(doors, calc::kMinDoors, calc::kMaxDoors);
    }
    if (const std::string* v = find("StStorePrice.Caption"))
        m_storePrice = *v;
    AnnounceInputs();
    Recalculate(); // as the controls' change events: nothing happens before Ready
}

void MainFormModel::Timer1Timer() {
    if (!m_timerEnabled)
        return;
    m_timerEnabled = false;

    for (calc::MaterialSelector& selector : m_state.inputs.selectors) {
        const auto it = std::find_if(selector.items.begin(), selector.items.end(),
                                     [&selector](const calc::SelectorItem& item) { return item.text == selector.text; });
        if (it != selector.items.end())
            selector.itemIndex = static_cast<int>(it - selector.items.begin());
    }

    const std::vector<double> values = ReadStoredPriceList(m_storePrice);
    calc::DsMaterial& ds = m_state.sheet;
    {
        calc::ViewSuspension view(ds);
        std::size_t next = 0;
        auto take = [&values, &next]() { return next < values.size() ? values[next++] : 0.0; };
        for (ds.First(); !ds.Eof(); ds.Next()) {
            ds.Edit();
            const double priceS = take();
            const double priceN = take();
            if (priceS != 0)
                ds.SetFloat(Field::PriceS, priceS);
            if (priceN != 0)
                ds.SetFloat(Field::PriceN, priceN);
            ds.Post();
        }
        m_state.Ready = true;
    }
    AnnounceInputs();
    Recalculate();
}

bool MainFormModel::FormCloseQuery() {
    calc::DsMaterial& ds = m_state.sheet;
    ds.SetViewEnabled(false); // the window is closing: the grid need not follow any more
    if (m_timerEnabled) {
        // Closed before the opening tick: the stored prices never reached the sheet, and a list built
        // from it would lose them all. The list stays as it was restored.
        ds.CheckBrowseMode();
        return true;
    }
    m_storePrice.clear();
    std::string list;
    for (ds.First(); !ds.Eof(); ds.Next())
        list += PriceListEntry(ds.Row(ds.RecNo()), m_decimalSeparator);
    m_storePrice = list;
    return true;
}

StoredValues MainFormModel::StoredProperties() const {
    StoredValues values;
    const calc::CalcInputs& in = m_state.inputs;
    for (std::size_t i = 0; i < calc::kDimensionCount; ++i)
        values[std::string(calc::DimensionName(static_cast<DimensionId>(i))) + ".Text"] = in.dimensions[i];
    for (std::size_t i = 0; i < calc::kSelectorCount; ++i)
        values[std::string(calc::SelectorName(static_cast<SelectorId>(i))) + ".Text"] = in.selectors[i].text;
    for (std::size_t i = 0; i < calc::kOptionCount; ++i)
        values[std::string(calc::OptionName(static_cast<OptionId>(i))) + ".Checked"] =
            in.options[i] ? "true" : "false";
    values["SpNumDoors.Value"] = std::to_string(in.numDoors);
    values["StStorePrice.Caption"] = m_storePrice;
    return values;
}

void MainFormModel::ClearInputs() {
    const bool wasReady = m_state.Ready;
    m_state.Ready = false;
    calc::CalcInputs& in = m_state.inputs;
    for (calc::MaterialSelector& selector : in.selectors) {
        selector.itemIndex = selector.items.empty() ? -1 : 0;
        selector.text = selector.items.empty() ? std::string() : selector.items[0].text;
    }
    for (std::string& d : in.dimensions)
        d = calc::kEmptyDimensionText;
    in.options = {};
    in.numDoors = 0;
    calc::DsMaterial& ds = m_state.sheet;
    {
        calc::ViewSuspension view(ds);
        for (ds.First(); !ds.Eof(); ds.Next()) {
            ds.Edit();
            ds.SetEmpty(Field::PriceS);
            ds.SetEmpty(Field::PriceN);
            ds.Post();
        }
    }
    m_state.Ready = wasReady;
    AnnounceInputs();
    Recalculate();
}

} // namespace prices
