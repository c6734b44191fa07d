#pragma once
// The calculation window without widgets. It owns the calculation state (sheet, inputs, Ready,
// Calculating, TotalWeight, the two captions), the price rules with OldPriceN and the stored price
// list, and runs the window's sequences: opening (restored values in, then the Timer1 tick), closing
// (the stored price list) and clearing. The Qt window and the headless command both drive it.
//
// User changes come in through the setters, which store the value and recalculate as the control's
// change event would. Changes the model makes itself (restore, clear, removing blanks) are announced
// through InputsChanged so the widgets can show them without raising their own change events.

#include <functional>
#include <optional>
#include <string>

#include "calc/calculation.h"
#include "prices/form_storage.h"
#include "prices/price_rules.h"

namespace prices {

class MainFormModel {
  public:
    // decimalSeparator: the user's, with which the stored price list is written.
    explicit MainFormModel(char decimalSeparator = '.');
    MainFormModel(const MainFormModel&) = delete;
    MainFormModel& operator=(const MainFormModel&) = delete;

    calc::CalcState& State() { return m_state; }
    const calc::CalcState& State() const { return m_state; }
    calc::DsMaterial& Sheet() { return m_state.sheet; }
    const calc::CalcInputs& Inputs() const { return m_state.inputs; }
    bool Ready() const { return m_state.Ready; }
    double OldPriceN() const { return m_rules.OldPriceN; }
    const std::string& StSumma() const { return m_state.StSumma; }
    const std::string& StAllWeight() const { return m_state.StAllWeight; }
    const std::string& StStorePrice() const { return m_storePrice; }
    char DecimalSeparator() const { return m_decimalSeparator; }

    // --- the user's changes (each raises OnChange as its control would) ---
    void SetDimensionText(calc::DimensionId id, const std::string& text);
    void ChooseItem(calc::SelectorId id, int index);
    void SetNumDoors(int value); // brought into 0..5
    void SetOption(calc::OptionId id, bool checked);
    // EdExit: removes the blanks of the edit's text; true when that changed it (and recalculated).
    bool EdExit(calc::DimensionId id);

    // --- prices in the grid ---
    // Opens the row for the user's edit (BeforeEdit remembers OldPriceN) and writes one price.
    void EditPrice(int row, calc::Field field, std::optional<double> value);
    // Delete key released with `field` selected in the current row: empties a price when no row is in
    // edit. False when it did nothing.
    bool DeletePrice(calc::Field field);
    // Posts a row still in edit (or cancels an unchanged one).
    void PostPendingEdit() { m_state.sheet.CheckBrowseMode(); }

    // --- opening ---
    // What the storage restores when the window is shown: texts, ticks, door count, price list text.
    // Absent values keep their constructed values. Nothing recalculates: the window is not Ready yet.
    void Restore(const StoredValues& values);
    // The one-shot tick: selectors re-chosen by text, prices loaded, Ready, first recalculation.
    // A stored dimension that is no number ends the recalculation with calc::ConversionError.
    void Timer1Timer();
    bool TimerPending() const { return m_timerEnabled; }

    // --- closing ---
    // Builds the stored price list (posting a row still in edit first) and allows the close. Before the
    // opening tick the sheet holds no prices yet, and the restored list is kept as it is.
    bool FormCloseQuery();
    // The values the storage keeps, the price list among them.
    StoredValues StoredProperties() const;

    // --- clearing, after the user confirmed ---
    void ClearInputs();

    // Announced after the model itself changed inputs (restore, tick, clear, EdExit).
    std::function<void()> InputsChanged;

  private:
    void Recalculate(const calc::MaterialSelector* sender = nullptr) { calc::OnChange(m_state, sender); }
    void AnnounceInputs();

    calc::CalcState m_state;
    PriceRules m_rules{m_state};
    std::string m_storePrice = "StStorePrice";
    char m_decimalSeparator;
    bool m_timerEnabled = true;
};

} // namespace prices
