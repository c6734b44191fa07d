#include "calc/sheet.h"

#include <algorithm>

#include "calc/number_format.h"

namespace calc {

namespace {
// At most `limit` characters of a UTF-8 text, never cutting a character in two.
std::string Truncated(const std::string& text, std::size_t limit) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && chars++ == limit)
            return text.substr(0, i);
    }
    return text;
}
} // namespace

const char* FieldName(Field field) {
    static constexpr std::array<const char*, kFieldCount> names{
        "Name", "Size", "AmountS", "AmountN", "PriceS", "PriceN", "Summa", "Id", "Weight"};
    return names[static_cast<std::size_t>(field)];
}

std::optional<double>& SheetRow::Number(Field field) {
    switch (field) {
    case Field::AmountS:
        return AmountS;
    case Field::AmountN:
        return AmountN;
    case Field::PriceS:
        return PriceS;
    case Field::PriceN:
        return PriceN;
    case Field::Summa:
        return Summa;
    case Field::Weight:
        return Weight;
    default:
        throw std::invalid_argument(std::string("Field '") + FieldName(field) + "' is not a float field");
    }
}

const std::optional<double>& SheetRow::Number(Field field) const {
    return const_cast<SheetRow*>(this)->Number(field);
}

void DsMaterial::SeedSheet() {
    for (const MaterialRecord& material : MaterialCatalog) {
        SheetRow row;
        row.Name = Truncated(std::string(material.name), 80);
        row.Size = Truncated(std::string(material.sizeText), 30);
        row.Id = material.id;
        m_rows.push_back(std::move(row));
    }
    m_state = State::Browse;
    m_eof = false;
    SetCurrent(RecordCount() - 1); // appending leaves the cursor on the last row
}

template <class F> void DsMaterial::Notify(F&& f) {
    if (!m_viewEnabled)
        return;
    const auto observers = m_observers; // an observer may remove itself
    for (SheetObserver* o : observers)
        f(*o);
}

void DsMaterial::SetCurrent(int row) {
    if (row == m_current)
        return;
    m_current = row;
    Notify([row](SheetObserver& o) { o.CurrentRowChanged(row); });
}

void DsMaterial::First() {
    CheckBrowseMode();
    m_eof = m_rows.empty();
    if (!m_rows.empty())
        SetCurrent(0);
}

void DsMaterial::Next() {
    CheckBrowseMode();
    if (m_rows.empty() || m_current + 1 >= RecordCount()) {
        m_eof = true;
        return;
    }
    SetCurrent(m_current + 1);
}

void DsMaterial::MoveTo(int row) {
    if (row < 0 || row >= RecordCount())
        throw std::out_of_range("Row " + std::to_string(row) + " is not in the sheet");
    CheckBrowseMode();
    m_eof = false;
    SetCurrent(row);
}

bool DsMaterial::LocateMaterialRow(const MaterialRecord* material) {
    if (material == nullptr)
        return false;
    CheckBrowseMode();
    const auto it = std::find_if(m_rows.begin(), m_rows.end(),
                                 [material](const SheetRow& r) { return r.Id == material->id; });
    if (it == m_rows.end())
        return false;
    m_eof = false;
    SetCurrent(static_cast<int>(it - m_rows.begin()));
    return true;
}

void DsMaterial::GotoBookmark(Bookmark mark) {
    if (mark < 0 || mark >= RecordCount())
        return;
    CheckBrowseMode();
    m_eof = false;
    SetCurrent(mark);
}

void DsMaterial::Edit() {
    if (m_state == State::Edit)
        return;
    if (m_current < 0)
        throw std::logic_error("Cannot edit an empty sheet");
    if (BeforeEdit)
        BeforeEdit(*this);
    m_buffer = m_rows[static_cast<std::size_t>(m_current)];
    m_state = State::Edit;
    m_modified = false;
}

void DsMaterial::Post() {
    if (m_state != State::Edit)
        return;
    if (BeforePost)
        BeforePost(*this); // may still change fields of the row being posted
    m_rows[static_cast<std::size_t>(m_current)] = m_buffer;
    m_state = State::Browse;
    m_modified = false;
    const int row = m_current;
    Notify([row](SheetObserver& o) { o.RowChanged(row); });
    if (AfterPost)
        AfterPost(*this);
}

void DsMaterial::Cancel() {
    if (m_state != State::Edit)
        return;
    m_state = State::Browse;
    m_modified = false;
    const int row = m_current;
    Notify([row](SheetObserver& o) { o.RowChanged(row); });
}

void DsMaterial::CheckBrowseMode() {
    if (m_state != State::Edit)
        return;
    if (m_modified)
        Post();
    else
        Cancel();
}

const SheetRow& DsMaterial::CurrentBuffer() const {
    if (m_state == State::Edit)
        return m_buffer;
    if (m_current < 0)
        throw std::logic_error("The sheet has no current row");
    return m_rows[static_cast<std::size_t>(m_current)];
}

double DsMaterial::AsFloat(Field field) const {
    if (field == Field::Id)
        return CurrentBuffer().Id;
    return CurrentBuffer().Number(field).value_or(0.0);
}

bool DsMaterial::IsNull(Field field) const {
    const SheetRow& row = CurrentBuffer();
    switch (field) {
    case Field::Name:
        return row.Name.empty();
    case Field::Size:
        return row.Size.empty();
    case Field::Id:
        return false;
    default:
        return !row.Number(field).has_value();
    }
}

std::optional<double> DsMaterial::Value(Field field) const {
    if (field == Field::Id)
        return CurrentBuffer().Id;
    return CurrentBuffer().Number(field);
}

std::string DsMaterial::AsText(Field field) const {
    const SheetRow& row = CurrentBuffer();
    switch (field) {
    case Field::Name:
        return row.Name;
    case Field::Size:
        return row.Size;
    case Field::Id:
        return std::to_string(row.Id);
    default: {
        const auto& v = row.Number(field);
        return v ? FormatGeneral(*v) : std::string();
    }
    }
}

void DsMaterial::CheckEditing() const {
    if (m_state != State::Edit)
        throw std::logic_error("Dataset not in edit or insert mode");
}

SheetRow& DsMaterial::Writable() {
    CheckEditing();
    m_modified = true;
    return m_buffer;
}

void DsMaterial::SetFloat(Field field, double value) { Writable().Number(field) = value; }

void DsMaterial::SetEmpty(Field field) {
    SheetRow& row = Writable();
    switch (field) {
    case Field::Name:
        row.Name.clear();
        break;
    case Field::Size:
        row.Size.clear();
        break;
    case Field::Id:
        row.Id = 0;
        break;
    default:
        row.Number(field).reset();
    }
}

void DsMaterial::SetValue(Field field, std::optional<double> value) { Writable().Number(field) = value; }

void DsMaterial::SetText(Field field, const std::string& text) {
    SheetRow& row = Writable();
    if (field == Field::Name)
        row.Name = Truncated(text, 80);
    else if (field == Field::Size)
        row.Size = Truncated(text, 30);
    else
        throw std::invalid_argument(std::string("Field '") + FieldName(field) + "' is not a text field");
}

void DsMaterial::SetInt(Field field, std::int32_t value) {
    if (field != Field::Id)
        throw std::invalid_argument(std::string("Field '") + FieldName(field) + "' is not an integer field");
    Writable().Id = value;
}

void DsMaterial::SetViewEnabled(bool enabled) {
    if (enabled == m_viewEnabled)
        return;
    m_viewEnabled = enabled;
    if (enabled) {
        const int row = m_current;
        Notify([row](SheetObserver& o) {
            o.AllRowsChanged();
            o.CurrentRowChanged(row);
        });
    }
}

void DsMaterial::AddObserver(SheetObserver* observer) {
    if (std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void DsMaterial::RemoveObserver(SheetObserver* observer) {
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

} // namespace calc
