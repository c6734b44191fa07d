#include "shell/sheet_table_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>

#include "calc/number_format.h"
#include "shell/ui_font.h"
#include "shell/ui_style.h"

namespace {
constexpr calc::Field kFields[] = {calc::Field::Name,   calc::Field::Size,   calc::Field::AmountS,
                                   calc::Field::AmountN, calc::Field::PriceS, calc::Field::PriceN,
                                   calc::Field::Summa};
constexpr int kWidths[] = {162, 85, 57, 54, 74, 79, 88};
const char* const kTitles[] = {"НАИМЕНОВАНИЕ", "Размер", "Кол. м2", "Кол. лист", "ЦЕНА за м2", "ЦЕНА за лист",
                               "СУММА"};
} // namespace

SheetTableModel::SheetTableModel(prices::MainFormModel& model, char decimalSeparator, QObject* parent)
    : QAbstractTableModel(parent), m_model(model), m_separator(decimalSeparator), m_cellFont(shell::UiFont(11)),
      m_nameFont(shell::UiFont(11, true)), m_strongTitleFont(shell::UiFont(13, true)),
      m_indicatorFont(shell::UiFont(8)) {
    m_model.Sheet().AddObserver(this);
    m_currentRow = m_model.Sheet().RecNo();
}

SheetTableModel::~SheetTableModel() { m_model.Sheet().RemoveObserver(this); }

calc::Field SheetTableModel::FieldOf(int column) { return kFields[column]; }

int SheetTableModel::ColumnWidth(int column) { return kWidths[column]; }

int SheetTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_model.State().sheet.RecordCount();
}

int SheetTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

const calc::SheetRow& SheetTableModel::RowAt(int row) const {
    const calc::DsMaterial& ds = m_model.State().sheet;
    if (row == ds.RecNo() && ds.GetState() == calc::DsMaterial::State::Edit)
        return ds.CurrentBuffer(); // the row being edited shows what was typed
    return ds.Row(row);
}

QVariant SheetTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
        const calc::SheetRow& row = RowAt(index.row());
        if (column == ColName)
            return QString::fromStdString(row.Name);
        if (column == ColSize)
            return QString::fromStdString(row.Size);
        const auto& value = row.Number(FieldOf(column));
        return value ? QString::fromStdString(calc::FormatGeneral(*value, m_separator)) : QString();
    }
    case Qt::FontRole:
        return column == ColName ? m_nameFont : m_cellFont;
    case Qt::BackgroundRole:
        if (column == ColName || column == ColSumma)
            return QBrush(uistyle::kLightCyan);
        return QBrush(QGuiApplication::palette().color(QPalette::Base));
    case Qt::ForegroundRole:
        return QBrush(QGuiApplication::palette().color(column == ColAmountN ? QPalette::WindowText : QPalette::Text));
    case Qt::TextAlignmentRole:
        if (column == ColName || column == ColSize)
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        return int(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant SheetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        // The row indicator: a marker on the current row.
        if (role == Qt::DisplayRole)
            return section == m_currentRow ? QStringLiteral("▶") : QString();
        if (role == Qt::FontRole)
            return m_indicatorFont;
        return {};
    }
    if (section < 0 || section >= ColumnCount)
        return {};
    const bool strong = section == ColName || section == ColSumma;
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromUtf8(kTitles[section]);
    case Qt::FontRole:
        return strong ? m_strongTitleFont : m_cellFont;
    case Qt::ForegroundRole:
        return QBrush(strong ? uistyle::kNavy : uistyle::kBlue);
    default:
        return {};
    }
}

Qt::ItemFlags SheetTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == ColPriceS || index.column() == ColPriceN)
        f |= Qt::ItemIsEditable;
    return f;
}

bool SheetTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    std::optional<double> price;
    if (value.isValid() && !value.isNull())
        price = value.toDouble();
    m_model.EditPrice(index.row(), FieldOf(index.column()), price);
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
    return true;
}

void SheetTableModel::RowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    emit sheetChanged();
}

void SheetTableModel::AllRowsChanged() {
    emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    emit sheetChanged();
}

void SheetTableModel::CurrentRowChanged(int row) {
    const int old = m_currentRow;
    m_currentRow = row;
    if (old != row) {
        if (old >= 0)
            emit headerDataChanged(Qt::Vertical, old, old);
        if (row >= 0)
            emit headerDataChanged(Qt::Vertical, row, row);
    }
    emit currentRowMoved(row);
}
