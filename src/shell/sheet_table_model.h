#pragma once
// The grid's view of the calculation sheet: one QAbstractTableModel adapter over calc::DsMaterial.
//
// The adapter listens to the sheet. While the sheet's view switch is off it hears nothing; when the
// switch comes back on it announces one change of all rows, so the grid redraws once per
// recalculation. Numbers show in the general format with the user's decimal separator, empty fields
// blank. Only the two price columns are editable.

#include <QAbstractTableModel>
#include <QFont>
#include <QLocale>

#include "prices/main_form_model.h"

class SheetTableModel : public QAbstractTableModel, private calc::SheetObserver {
    Q_OBJECT
  public:
    enum Column { ColName, ColSize, ColAmountS, ColAmountN, ColPriceS, ColPriceN, ColSumma, ColumnCount };

    SheetTableModel(prices::MainFormModel& model, char decimalSeparator, QObject* parent = nullptr);
    ~SheetTableModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Takes a double or an invalid QVariant (empty) for a price cell and opens the row for the edit.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    static calc::Field FieldOf(int column);
    static int ColumnWidth(int column);
    char DecimalSeparator() const { return m_separator; }

  signals:
    // The sheet's current row moved while the view was on (or came back on).
    void currentRowMoved(int row);
    // Rows changed; the totals may have changed with them.
    void sheetChanged();

  private:
    void RowChanged(int row) override;
    void AllRowsChanged() override;
    void CurrentRowChanged(int row) override;
    const calc::SheetRow& RowAt(int row) const;

    prices::MainFormModel& m_model;
    char m_separator;
    // Asked for every cell on every paint: made once.
    const QFont m_cellFont;
    const QFont m_nameFont;
    const QFont m_strongTitleFont;
    const QFont m_indicatorFont;
    int m_currentRow = -1; // drawn with the row indicator
};
