#pragma once
// The calculation window's own input widgets: the five-place millimetre edit, the selector that
// cannot be typed into, and the grid's price editor.

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>

#include <string>

// A masked edit of five optional digit places. Unfilled places show as "_" while the edit has the
// focus. MaskedText() gives the text the way the calculation reads it: an unfilled place between
// digits is a blank, unfilled places at the end stand as leading blanks ("1_2__" is "  1 2").
class DimensionEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit DimensionEdit(QWidget* parent = nullptr);

    std::string MaskedText() const;
    void SetMaskedText(const std::string& text);

  signals:
    void entered(); // got the focus, or was clicked
    void exited();  // lost the focus

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void SetBlankShown(bool shown);
};

// A layer selector: a drop-down list that takes no typed characters and reports only the user's
// choices (activated). A text that names none of its items (a stored choice the list no longer has)
// shows in grey over the empty selection.
class SelectorBox : public QComboBox {
    Q_OBJECT
  public:
    explicit SelectorBox(QWidget* parent = nullptr);
    void ShowChoice(int index, const QString& text); // the model's choice, without a change event

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A group box whose caption stands on the frame's top line, the inside left to its controls (the
// controls are placed from the group's top-left corner). Drawn by hand: a style sheet would do the
// same at several times the cost of building the window.
class GroupFrame : public QGroupBox {
    Q_OBJECT
  public:
    GroupFrame(const QString& caption, QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// The grid with the Delete-key handling of the price cells.
class SheetGrid : public QTableView {
    Q_OBJECT
  public:
    explicit SheetGrid(QWidget* parent = nullptr);
    bool IsEditing() const { return state() == QAbstractItemView::EditingState; }

  signals:
    void deleteReleased(int column); // Delete released with no cell editor open
    void focusLeft();

  protected:
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

// The price editor: digits, the user's decimal separator, "+" and "-"; other characters are refused
// with a beep. A text that is no number is refused with the sheet's message, and the field keeps its
// value.
class PriceDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    PriceDelegate(char decimalSeparator, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

    // Commits the open editor, if any (before the window closes or prints).
    void CommitOpenEditor();

  signals:
    void refused(const QString& message) const;

  private:
    char m_separator;
    mutable QPointer<QLineEdit> m_editor;
};
