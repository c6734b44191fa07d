#pragma once
// The calculation window TMainForm: inputs on the left, the sheet's grid, totals and notes on the right.
// Widgets only; the window's logic is prices::MainFormModel. Controls carry their names as object
// names ("EdRoofL", "CbRoofVibro", "SpNumDoors", "ChSeal", "GrMain", "StSumma", "BuPrint", ...).

#include <QDialog>

#include <memory>

#include "prices/main_form_model.h"

class TMainForm : public QDialog {
    Q_OBJECT
  public:
    // Builds the window, seeds the sheet and wires the inputs; the stored inputs come back when it is
    // shown, and the first tick of Timer1 applies them.
    explicit TMainForm(QWidget* owner = nullptr);
    ~TMainForm() override;

    prices::MainFormModel& Model() { return m_model; }

  private:
    prices::MainFormModel m_model;
};
