#pragma once
// The calculation sheet DsMaterial: a small cursor-based table with one row per catalog material.
//
// A row is changed by opening it (Edit), setting fields and storing it (Post); Edit and Post run the
// three hooks that the calculation window installs (price rules, totals). Numeric fields may be
// empty: empty shows blank and reads as 0. The view switch stands for the data link between the
// sheet and the grid: while it is off, observers hear nothing; switching it back on announces one
// change of all rows, so the grid redraws once per recalculation.

#include <array>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "calc/catalog.h"

namespace calc {

enum class Field { Name, Size, AmountS, AmountN, PriceS, PriceN, Summa, Id, Weight };
inline constexpr std::size_t kFieldCount = 9;

// The field's name as the sheet calls it ("PriceS"); used in messages and by the grid.
const char* FieldName(Field field);

struct SheetRow {
    std::string Name; // at most 80 characters
    std::string Size; // at most 30 characters
    std::optional<double> AmountS;
    std::optional<double> AmountN;
    std::optional<double> PriceS;
    std::optional<double> PriceN;
    std::optional<double> Summa;
    std::int32_t Id = 0;
    std::optional<double> Weight;

    std::optional<double>& Number(Field field);
    const std::optional<double>& Number(Field field) const;
    bool operator==(const SheetRow&) const = default;
};

// Notified while the view switch is on.
class SheetObserver {
  public:
    virtual ~SheetObserver() = default;
    virtual void RowChanged(int row) = 0;     // a row was posted (or its edit cancelled)
    virtual void AllRowsChanged() = 0;        // the view switch came back on
    virtual void CurrentRowChanged(int row) = 0;
};

class DsMaterial {
  public:
    enum class State { Browse, Edit };
    using Hook = std::function<void(DsMaterial&)>;
    using Bookmark = int;

    DsMaterial() = default;
    DsMaterial(const DsMaterial&) = delete;
    DsMaterial& operator=(const DsMaterial&) = delete;

    // Fills the empty sheet from the catalog: Name, Size, Id; everything else empty.
    void SeedSheet();

    // Cursor.
    int RecordCount() const { return static_cast<int>(m_rows.size()); }
    int RecNo() const { return m_current; } // 0-based current row, -1 on an empty sheet
    void First();
    void Next();
    bool Eof() const { return m_eof; }
    void MoveTo(int row); // makes `row` current (completing an open edit first)
    bool LocateMaterialRow(const MaterialRecord* material);

    // Edit cycle on the current row.
    State GetState() const { return m_state; }
    void Edit();
    void Post();
    void Cancel();
    // Completes an open edit: posts when a field was changed, cancels otherwise.
    void CheckBrowseMode();
    bool Modified() const { return m_modified; }

    // Field access on the current row. Reading an empty number gives 0.
    double AsFloat(Field field) const;
    bool IsNull(Field field) const;
    std::optional<double> Value(Field field) const;
    std::string AsText(Field field) const;
    void SetFloat(Field field, double value);
    void SetEmpty(Field field);
    void SetValue(Field field, std::optional<double> value);
    void SetText(Field field, const std::string& text);
    void SetInt(Field field, std::int32_t value);

    // Position marks; rows never move, so a mark is the row's number.
    Bookmark GetBookmark() const { return m_current; }
    void GotoBookmark(Bookmark mark);
    void FreeBookmark(Bookmark) {}

    // The data link's enabled switch.
    bool ViewEnabled() const { return m_viewEnabled; }
    void SetViewEnabled(bool enabled);

    // Rows as stored (an open edit's buffer is not included until posted).
    const SheetRow& Row(int row) const { return m_rows.at(static_cast<std::size_t>(row)); }
    // The current row as it is now, an open edit's changes included.
    const SheetRow& CurrentBuffer() const;

    void AddObserver(SheetObserver* observer);
    void RemoveObserver(SheetObserver* observer);

    Hook BeforeEdit;
    Hook BeforePost;
    Hook AfterPost;

  private:
    SheetRow& Writable();
    void CheckEditing() const;
    void SetCurrent(int row);
    template <class F> void Notify(F&& f);

    std::vector<SheetRow> m_rows;
    SheetRow m_buffer; // the open row while in edit
    int m_current = -1;
    bool m_eof = true;
    State m_state = State::Browse;
    bool m_modified = false;
    bool m_viewEnabled = true;
    std::vector<SheetObserver*> m_observers;
};

// Keeps the view switch off for a scope and gives it back its earlier value, even when the scope ends
// with an exception (walks may nest inside an outer walk that has the view off).
class ViewSuspension {
  public:
    explicit ViewSuspension(DsMaterial& sheet) : m_sheet(sheet), m_was(sheet.ViewEnabled()) {
        m_sheet.SetViewEnabled(false);
    }
    ~ViewSuspension() { m_sheet.SetViewEnabled(m_was); }
    ViewSuspension(const ViewSuspension&) = delete;
    ViewSuspension& operator=(const ViewSuspension&) = delete;
    bool WasEnabled() const { return m_was; }

  private:
    DsMaterial& m_sheet;
    bool m_was;
};

} // namespace calc
