#pragma once
// The calculation window TMainForm: inputs on the left, the sheet's grid, totals and notes on the right.
// Widgets only: every input is a view of one value of prices::MainFormModel, which recalculates. The
// controls carry their names as object names ("EdRoofL", "CbRoofVibro", "SpNumDoors", "ChSeal",
// "GrMain", "StSumma", "StAllWeight", "BuPrint", "BuHelp", "BuClear").

#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <array>
#include <functional>

#include "prices/main_form_model.h"
#include "shell/help_form.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class DimensionEdit;
class SelectorBox;
class SheetGrid;
class SheetTableModel;
class PriceDelegate;

class TMainForm : public QDialog {
    Q_OBJECT
  public:
    // Builds the window, seeds the sheet and wires the inputs; the stored inputs come back when it is
    // first shown, and the first tick of Timer1 applies them.
    explicit TMainForm(QWidget* owner = nullptr);
    ~TMainForm() override;

    prices::MainFormModel& Model() { return m_model; }
    SheetGrid* Grid() const { return m_grid; }

    // The help window BuHelp keeps open, if any.
    THelpForm* HelpForm() const { return m_helpForm.data(); }

  public slots:
    // Every way of closing ends here: the price list is built and the inputs are stored.
    void done(int result) override;
    void BuHelpClick();
    void BuClearClick();
    void BuPrintClick();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildLayout();
    void WireInputs();
    void Timer1Timer();
    bool FormCloseQuery();
    void RestoreStoredState();
    void StoreState();
    // Shows the model's inputs in the widgets without raising their change events.
    void ShowInputs();
    void ShowTotals();
    void FollowSheetRow(int row);
    // Runs a handler; an exception is shown in the application's error box and the window goes on.
    void Guarded(const std::function<void()>& handler);

    prices::MainFormModel m_model;
    std::array<DimensionEdit*, calc::kDimensionCount> m_edits{};
    std::array<SelectorBox*, calc::kSelectorCount> m_selectors{};
    std::array<QCheckBox*, calc::kOptionCount> m_options{};
    QSpinBox* m_doors = nullptr;
    SheetGrid* m_grid = nullptr;
    SheetTableModel* m_table = nullptr;
    PriceDelegate* m_delegate = nullptr;
    QLabel* m_stSumma = nullptr;
    QLabel* m_stAllWeight = nullptr;
    QPushButton* m_buHelp = nullptr;
    QPushButton* m_buClear = nullptr;
    QPushButton* m_buPrint = nullptr;
    QTimer m_timer1{this}; // a child, so it can be found by its name
    QPointer<THelpForm> m_helpForm;
    bool m_restored = false;
    bool m_stored = false;
    bool m_followingSheet = false;
};
