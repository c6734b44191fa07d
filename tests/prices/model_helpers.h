#pragma once
// Small helpers shared by the tests that drive the calculation window's model.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "prices/main_form_model.h"

namespace testhelpers {

// Chooses the selector's item with the given text, as the user would.
inline void Choose(prices::MainFormModel& model, calc::SelectorId id, const std::string& text) {
    const calc::MaterialSelector& selector = model.Inputs().Selector(id);
    for (std::size_t i = 0; i < selector.items.size(); ++i) {
        if (selector.items[i].text == text) {
            model.ChooseItem(id, static_cast<int>(i));
            return;
        }
    }
    ADD_FAILURE() << "no item '" << text << "' in " << calc::SelectorName(id);
}

// Opens the window with nothing stored: restore, then the timer tick.
inline void OpenEmpty(prices::MainFormModel& model) {
    model.Restore({});
    model.Timer1Timer();
}

// Types a price into a row and confirms it.
inline void TypePrice(prices::MainFormModel& model, int row, calc::Field field, std::optional<double> value) {
    model.EditPrice(row, field, value);
    model.PostPendingEdit();
}

} // namespace testhelpers
