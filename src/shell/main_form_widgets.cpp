#include "shell/main_form_widgets.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>

#include "calc/inputs.h"
#include "calc/number_format.h"
#include "calc/sheet.h"
#include "shell/sheet_table_model.h"

namespace {
constexpr int kDimensionPlaces = 5;
const QString kMaskShown = QStringLiteral("00000;_");
const QString kMaskHidden = QStringLiteral("00000; ");
} // namespace

// ---------------------------------------------------------------- DimensionEdit

DimensionEdit::DimensionEdit(QWidget* parent) : QLineEdit(parent) {
    setInputMask(kMaskHidden);
    setMaxLength(kDimensionPlaces);
}

std::string DimensionEdit::MaskedText() const {
    // Unfilled places show as the mask's blank character ("_" while editing).
    std::string shown;
    for (const QChar c : displayText())
        shown += c.isDigit() && c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : ' ';
    return calc::MaskDimensionText(shown);
}

void DimensionEdit::SetMaskedText(const std::string& text) {
    // Digits keep their places; anything else is an unfilled place.
    const QString places = QString::fromStdString(calc::MaskDimensionText(text));
    // setText leaves the cursor behind the last place, where nothing more can be typed.
    const int cursor = cursorPosition();
    setText(places);
    setCursorPosition(calc::Trim(text).empty() ? 0 : cursor);
}

void DimensionEdit::SetBlankShown(bool shown) {
    const std::string held = MaskedText();
    const QSignalBlocker block(this);
    setInputMask(shown ? kMaskShown : kMaskHidden);
    SetMaskedText(held);
}

void DimensionEdit::focusInEvent(QFocusEvent* event) {
    SetBlankShown(true);
    QLineEdit::focusInEvent(event);
    // After the mouse press has placed the cursor: select the whole text so typing replaces it.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus())
            emit entered();
    });
}

void DimensionEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    SetBlankShown(false);
    emit exited();
}

void DimensionEdit::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    emit entered();
}

void DimensionEdit::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    if (text.size() == 1 && !calc::EdKeyPressAccepts(MaskedText(), text.at(0).unicode())) {
        event->accept(); // a dimension cannot start with a zero
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// ---------------------------------------------------------------- SelectorBox

SelectorBox::SelectorBox(QWidget* parent) : QComboBox(parent) { setMaxVisibleItems(12); }

void SelectorBox::ShowChoice(int index, const QString& text) {
    const QSignalBlocker block(this);
    setCurrentIndex(index);
    setPlaceholderText(index < 0 ? text : QString());
}

void SelectorBox::keyPressEvent(QKeyEvent* event) {
    // Typed characters would choose an item by its first letters: nothing can be typed here.
    const QString text = event->text();
    if (!text.isEmpty() && !calc::CbKeyPressAccepts(text.at(0).unicode())) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

// ---------------------------------------------------------------- GroupFrame

GroupFrame::GroupFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

void GroupFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QFontMetrics metrics(font());
    const int lineY = metrics.height() / 2;
    // An etched frame: a dark line with a light one beside it.
    const QRect frame = rect().adjusted(0, lineY, -1, -1);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(frame.adjusted(0, 0, -1, -1));
    p.setPen(palette().color(QPalette::Light));
    p.drawRect(frame.adjusted(1, 1, 0, 0));
    // The caption on the top line, on the group's own background.
    const int left = 8;
    const QRect captionRect(left, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
    p.fillRect(captionRect, palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(captionRect, Qt::AlignCenter, title());
}

// ---------------------------------------------------------------- SheetGrid

SheetGrid::SheetGrid(QWidget* parent) : QTableView(parent) {}

void SheetGrid::keyReleaseEvent(QKeyEvent* event) {
    QTableView::keyReleaseEvent(event);
    if (event->key() == Qt::Key_Delete && !event->isAutoRepeat() && !IsEditing() && currentIndex().isValid())
        emit deleteReleased(currentIndex().column());
}

void SheetGrid::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    if (!IsEditing())
        emit focusLeft();
}

// ---------------------------------------------------------------- PriceDelegate

namespace {
class PriceEditor : public QLineEdit {
  public:
    PriceEditor(char separator, QWidget* parent) : QLineEdit(parent), m_separator(separator) {}

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        const QString text = event->text();
        if (text.size() == 1 && text.at(0).unicode() >= 0x20) {
            const QChar c = text.at(0);
            const bool allowed = c.isDigit() && c.unicode() < 0x80;
            if (!(allowed || c == QChar::fromLatin1(m_separator) || c == u'+' || c == u'-')) {
                QApplication::beep();
                event->accept();
                return;
            }
        }
        QLineEdit::keyPressEvent(event);
    }

  private:
    char m_separator;
};
} // namespace

PriceDelegate::PriceDelegate(char decimalSeparator, QObject* parent)
    : QStyledItemDelegate(parent), m_separator(decimalSeparator) {}

QWidget* PriceDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
    auto* editor = new PriceEditor(m_separator, parent); // owned by the view
    editor->setFont(index.data(Qt::FontRole).value<QFont>());
    editor->setFrame(false);
    m_editor = editor;
    return editor;
}

void PriceDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    const QString text = static_cast<QLineEdit*>(editor)->text();
    if (text.trimmed().isEmpty()) {
        model->setData(index, QVariant(), Qt::EditRole);
        return;
    }
    const auto value = calc::ParseNumber(text.toStdString(), m_separator);
    if (!value) {
        const char* field = calc::FieldName(SheetTableModel::FieldOf(index.column()));
        emit refused(QStringLiteral("'%1' is not a valid floating point value for field '%2'")
                         .arg(text, QString::fromLatin1(field)));
        return;
    }
    model->setData(index, *value, Qt::EditRole);
}

void PriceDelegate::CommitOpenEditor() {
    if (m_editor) {
        QLineEdit* editor = m_editor;
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}
