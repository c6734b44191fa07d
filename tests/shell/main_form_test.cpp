// The calculation window driven through its real widgets: layout, key filters, the recalculation
// reaching the grid and the totals, prices typed into the grid, the saved state and Clear.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

#include "print/fprint_form.h"
#include "shell/main_form.h"
#include "shell/main_form_widgets.h"
#include "shell/mes_form.h"
#include "shell/sheet_table_model.h"
#include "support/config_dir.h"
#include "support/qt_print.h"

namespace {

using Col = SheetTableModel::Column;

// Rows of the sheet by catalog id - 1.
constexpr int kRowKdPlus16 = 0;
constexpr int kRowKdPlus2 = 1;
constexpr int kRowGv5 = 10;
constexpr int kRowTape = 17;

// Types any text, Cyrillic included (QTest::keyClicks takes ASCII only).
void TypeText(QWidget* target, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
    }
}

template <class T> T* Child(QWidget* form, const char* name) {
    T* w = form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// Answers the next modal window that comes up (a message window, an error box) from inside its loop.
void AnswerNextModal(std::function<void(QWidget*)> answer, QString* seenText = nullptr) {
    QTimer::singleShot(50, [answer, seenText] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr)
            return;
        if (seenText != nullptr) {
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                *seenText = box->text();
        }
        answer(modal);
    });
}

class MainFormTest : public ::testing::Test {
  protected:
    void SetUp() override { QLocale::setDefault(QLocale::c()); }
    void TearDown() override {
        if (m_form)
            delete m_form.data();
        QLocale::setDefault(QLocale::system());
    }

    // Opens a calculation window as the start window would and waits for its opening tick.
    TMainForm* Open() {
        m_form = new TMainForm;
        m_form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_form));
        EXPECT_TRUE(QTest::qWaitFor([this] { return m_form->Model().Ready(); }, 3000));
        return m_form;
    }
    void Close() {
        m_form->close();
        EXPECT_TRUE(QTest::qWaitFor([this] { return m_form.isNull(); }, 3000));
    }
    TMainForm* Reopen() {
        Close();
        return Open();
    }

    void TypeInto(const char* edit, const QString& text) {
        auto* e = Child<QLineEdit>(m_form, edit);
        e->setFocus();
        QApplication::processEvents();
        QTest::keyClicks(e, text);
    }
    void Choose(const char* selector, int steps) {
        auto* box = Child<QComboBox>(m_form, selector);
        box->setFocus();
        for (int i = 0; i < steps; ++i)
            QTest::keyClick(box, Qt::Key_Down);
    }
    // The roof of 1500 by 1200 mm in "КД plus 2": 1.8 m2, 4.5 sheets.
    void RoofExample() {
        TypeInto("EdRoofL", "1500");
        TypeInto("EdRoofW", "1200");
        Choose("CbRoofVibro", 2);
    }

    QAbstractItemModel* Table() const { return m_form->Grid()->model(); }
    QString Cell(int row, int column) const { return Table()->index(row, column).data().toString(); }
    QString Text(const char* label) const { return Child<QLabel>(m_form, label)->text(); }

    // Types `text` into a price cell; Tab moves on to the next cell of the row, Enter confirms the row.
    void TypePrice(int row, int column, const QString& text, Qt::Key finish = Qt::Key_Return) {
        SheetGrid* grid = m_form->Grid();
        grid->setFocus();
        if (grid->currentIndex() != Table()->index(row, column))
            grid->setCurrentIndex(Table()->index(row, column));
        if (!grid->IsEditing())
            grid->edit(Table()->index(row, column));
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, grid);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->selectAll();
        if (text.isEmpty())
            QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, finish);
        QApplication::processEvents(); // the editor commits from a queued call
    }

    QPointer<TMainForm> m_form;
    testsupport::ScopedConfigDir m_config;
};

TEST_F(MainFormTest, FirstRunOpensEmptyWithZeroTotalsAndTheLastRowCurrent) {
    Open();
    EXPECT_EQ(Text("StSumma"), "0.00");
    EXPECT_EQ(Text("StAllWeight"), "0.000");
    for (int row = 0; row < 18; ++row)
        for (int column = Col::ColAmountS; column <= Col::ColSumma; ++column)
            EXPECT_EQ(Cell(row, column), QString()) << row << ',' << column;
    EXPECT_EQ(m_form->Grid()->currentIndex().row(), kRowTape);
    EXPECT_EQ(Cell(0, Col::ColName), "Кордилат 'Тормель plus'");
    EXPECT_EQ(Cell(0, Col::ColSize), "530*750*1,6");
}

TEST_F(MainFormTest, TabWalksTheInputsInTheirOrderAndFocusStartsOnTheRoof) {
    Open();
    const QStringList expected = {
        "EdRoofL",      "EdRoofW",       "CbRoofVibro",    "CbRoofNoise",   "CbRoofHeat",     "EdHoodL",
        "EdHoodW",      "CbHoodVibro",   "CbHoodNoise",    "CbHoodHeat",    "EdTailGateL",    "EdTailGateW",
        "CbTailGateVibro", "CbTailGateNoise", "CbTailGateHeat", "EdFloorL", "EdFloorW",       "CbFloorVibro",
        "CbFloorNoise", "CbFloorHeat",   "CbDoorVibro",    "CbDoorNoise",   "CbDoorHeat",     "SpNumDoors",
        "ChTorpeda",    "ChParcelShelf", "ChSeal",         "BuPrint",       "BuHelp",         "BuClear",
        "GrMain"};
    QStringList walked;
    auto named = [this](QWidget* w) {
        while (w != nullptr && w != m_form && w->objectName().isEmpty())
            w = w->parentWidget();
        // an editable selector's focus sits in its line edit, a spin box's likewise
        while (w != nullptr && w->parentWidget() != nullptr &&
               (qobject_cast<QComboBox*>(w->parentWidget()) || qobject_cast<QSpinBox*>(w->parentWidget())))
            w = w->parentWidget();
        return w != nullptr ? w->objectName() : QString();
    };
    walked << named(QApplication::focusWidget());
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << named(QApplication::focusWidget());
    }
    EXPECT_EQ(walked, expected);
}

TEST_F(MainFormTest, TypedRoofReachesTheGridAndTheTotalsWithTheUsersSeparator) {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    Open();
    RoofExample();
    EXPECT_EQ(Cell(kRowKdPlus2, Col::ColAmountS), "1,8");
    EXPECT_EQ(Cell(kRowKdPlus2, Col::ColAmountN), "4,5");
    EXPECT_EQ(Text("StAllWeight"), "6.750"); // the totals are printed with a point
    EXPECT_EQ(Text("StSumma"), "0.00");
    // choosing the material made its row the current one
    EXPECT_EQ(m_form->Grid()->currentIndex().row(), kRowKdPlus2);
}

TEST_F(MainFormTest, DoorsOptionsAndSelectorsRecalculateAsTheyChange) {
    Open();
    auto* doors = Child<QSpinBox>(m_form, "SpNumDoors");
    doors->setFocus();
    QTest::keyClick(doors, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(doors, "4");
    Choose("CbDoorVibro", 1); // КД plus 1.6: 0.8 m2 a door
    EXPECT_EQ(Cell(kRowKdPlus16, Col::ColAmountS), "3.2");
    EXPECT_EQ(Cell(kRowKdPlus16, Col::ColAmountN), "8");
    Child<QCheckBox>(m_form, "ChSeal")->click();
    EXPECT_EQ(Cell(kRowTape, Col::ColAmountN), "0.16");
    Child<QCheckBox>(m_form, "ChSeal")->click();
    EXPECT_EQ(Cell(kRowTape, Col::ColAmountN), QString());
    EXPECT_EQ(Text("StAllWeight"), "8.800");
}

TEST_F(MainFormTest, DimensionEditsTakeFiveDigitsNoLettersAndNoLeadingZero) {
    Open();
    auto* edit = Child<DimensionEdit>(m_form, "EdHoodL");
    TypeInto("EdHoodL", "0");
    EXPECT_EQ(edit->MaskedText(), "     ");
    TypeInto("EdHoodL", "1a0x234567");
    EXPECT_EQ(edit->MaskedText(), "10234");
    EXPECT_EQ(m_form->Model().Inputs().Dimension(calc::DimensionId::HoodL), "10234");
}

TEST_F(MainFormTest, AClickIntoADimensionEditSelectsItsWholeText) {
    Open();
    TypeInto("EdHoodW", "1234");
    auto* edit = Child<QLineEdit>(m_form, "EdHoodW");
    ASSERT_TRUE(edit->hasFocus());
    edit->deselect();
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(5, edit->height() / 2));
    EXPECT_EQ(edit->selectedText(), edit->displayText()); // "1234_": every place
    QTest::keyClicks(edit, "77");
    EXPECT_EQ(m_form->Model().Inputs().Dimension(calc::DimensionId::HoodW), "   77");
}

TEST_F(MainFormTest, ABlankBetweenDigitsIsAnErrorWhileTypingAndIsRemovedOnLeaving) {
    Open();
    Choose("CbRoofVibro", 2);
    TypeInto("EdRoofW", "1000");
    auto* edit = Child<DimensionEdit>(m_form, "EdRoofL");
    TypeInto("EdRoofL", "1");
    QString shown;
    AnswerNextModal([](QWidget* box) { static_cast<QDialog*>(box)->accept(); }, &shown);
    QTest::keyClick(edit, Qt::Key_Right); // skip a place
    QTest::keyClicks(edit, "2");
    EXPECT_EQ(shown, "'1 2' is not a valid integer value");
    EXPECT_FALSE(m_form->Model().State().Calculating);
    // leaving the edit closes the gap and recalculates with 12 mm
    Child<QLineEdit>(m_form, "EdRoofW")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(edit->MaskedText(), "   12");
    EXPECT_EQ(Cell(kRowKdPlus2, Col::ColAmountS), "0.012");
}

TEST_F(MainFormTest, SelectorsTakeNoTypedCharacters) {
    Open();
    auto* box = Child<QComboBox>(m_form, "CbRoofNoise");
    box->setFocus();
    TypeText(box, QStringLiteral("ГВ1"));
    QTest::keyClicks(box, "g");
    // the opening chose the empty first item; typing changed nothing
    EXPECT_EQ(box->currentIndex(), 0);
    EXPECT_EQ(box->currentText(), QString());
    EXPECT_EQ(m_form->Model().Inputs().Selector(calc::SelectorId::RoofNoise).itemIndex, 0);
}

TEST_F(MainFormTest, AStoredChoiceTheListNoLongerHasShowsWithNothingChosen) {
    {
        QSettings stored(m_config.IniFile(), QSettings::IniFormat);
        stored.setValue("CbRoofVibro.Text", QStringLiteral("КД plus 9"));
        stored.setValue("EdRoofL.Text", "1000");
        stored.setValue("EdRoofW.Text", "1000");
    }
    Open();
    auto* box = Child<QComboBox>(m_form, "CbRoofVibro");
    EXPECT_EQ(box->currentIndex(), -1);
    EXPECT_EQ(box->placeholderText(), QStringLiteral("КД plus 9"));
    EXPECT_EQ(Text("StAllWeight"), "0.000"); // the selector adds nothing
    Choose("CbRoofVibro", 2);
    EXPECT_EQ(box->currentText(), QStringLiteral("КД plus 1.6"));
    EXPECT_EQ(Cell(kRowKdPlus16, Col::ColAmountS), "1");
}

TEST_F(MainFormTest, LatinEIsDroppedEvenInAPriceCell) {
    Open();
    RoofExample();
    TypePrice(kRowKdPlus2, Col::ColPriceS, "1e0E0");
    EXPECT_EQ(Cell(kRowKdPlus2, Col::ColPriceS), "100");
    EXPECT_EQ(Cell(kRowKdPlus2, Col::ColSumma), "180");
    EXPECT_EQ(Text("StSumma"), "180.00");
}

// ---------------------------------------------------------------- prices in the grid

struct PriceEdit {
    Col column;
    const char* text;
};

struct OutcomeCase {
    const char* name;
    std::vector<PriceEdit> before; // each confirmed on its own
    std::vector<PriceEdit> edit;   // typed in one row edit, confirmed together
    const char* priceS;
    const char* priceN;
    const char* summa;
};

void PrintTo(const OutcomeCase& c, std::ostream* out) { *out << c.name; }

class PriceOutcomeTest : public MainFormTest, public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(PriceOutcomeTest, TheNewPriceWinsAndTheOtherIsEmptied) {
    const OutcomeCase& c = GetParam();
    Open();
    RoofExample(); // 1.8 m2, 4.5 sheets
    for (const PriceEdit& e : c.before)
        TypePrice(kRowKdPlus2, e.column, QString::fromUtf8(e.text));
    for (std::size_t i = 0; i < c.edit.size(); ++i) {
        const bool last = i + 1 == c.edit.size();
        TypePrice(kRowKdPlus2, c.edit[i].column, QString::fromUtf8(c.edit[i].text),
                  last ? Qt::Key_Return : Qt::Key_Tab);
    }
    EXPECT_EQ(Cell(kRowKdPlus2, Col::ColPriceS), QString::fromUtf8(c.priceS));
    EXPECT_EQ(Cell(kRowKdPlus2, Col::ColPriceN), QString::fromUtf8(c.priceN));
    EXPECT_EQ(Cell(kRowKdPlus2, Col::ColSumma), QString::fromUtf8(c.summa));
    const double summa = QString::fromUtf8(c.summa).toDouble();
    EXPECT_EQ(Text("StSumma"), QString::number(summa, 'f', 2));
}

INSTANTIATE_TEST_SUITE_P(
    Grid, PriceOutcomeTest,
    ::testing::Values(
        OutcomeCase{"NoPriceEnteredPerSquareMetre", {}, {{Col::ColPriceS, "100"}}, "100", "", "180"},
        OutcomeCase{"NoPriceEnteredPerSheet", {}, {{Col::ColPriceN, "50"}}, "", "50", "225"},
        OutcomeCase{"NoPriceEnteredBoth", {}, {{Col::ColPriceS, "100"}, {Col::ColPriceN, "50"}}, "", "50", "225"},
        OutcomeCase{"PerSquareMetreChanged", {{Col::ColPriceS, "100"}}, {{Col::ColPriceS, "10"}}, "10", "", "18"},
        OutcomeCase{"PerSquareMetreEmptied", {{Col::ColPriceS, "100"}}, {{Col::ColPriceS, ""}}, "", "", ""},
        OutcomeCase{"PerSquareMetreThenPerSheet", {{Col::ColPriceS, "100"}}, {{Col::ColPriceN, "50"}}, "", "50",
                    "225"},
        OutcomeCase{"PerSheetChanged", {{Col::ColPriceN, "50"}}, {{Col::ColPriceN, "12.5"}}, "", "12.5",
                    "56.25"},
        OutcomeCase{"PerSheetEmptied", {{Col::ColPriceN, "50"}}, {{Col::ColPriceN, ""}}, "", "", ""},
        OutcomeCase{"PerSheetThenPerSquareMetre", {{Col::ColPriceN, "50"}}, {{Col::ColPriceS, "100"}}, "100", "",
                    "180"},
        OutcomeCase{"PerSheetThenBoth", {{Col::ColPriceN, "50"}}, {{Col::ColPriceS, "100"}, {Col::ColPriceN, "60"}},
                    "100", "", "180"}),
    [](const ::testing::TestParamInfo<OutcomeCase>& info) { return std::string(info.param.name); });

TEST_F(MainFormTest, DeleteEmptiesASelectedPriceCellOnly) {
    Open();
    RoofExample();
    TypePrice(kRowKdPlus2, Col::ColPriceN, "50");
    ASSERT_EQ(Text("StSumma"), "225.00");
    SheetGrid* grid = m_form->Grid();
    grid->setFocus();
    grid->setCurrentIndex(Table()->index(kRowKdPlus2, Col::ColName));
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(Cell(kRowKdPlus2, Col::ColPriceN), "50");
    grid->setCurrentIndex(Table()->index(kRowKdPlus2, Col::ColPriceN));
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(Cell(kRowKdPlus2, Col::ColPriceN), QString());
    EXPECT_EQ(Cell(kRowKdPlus2, Col::ColSumma), QString());
    EXPECT_EQ(Text("StSumma"), "0.00");
}

TEST_F(MainFormTest, ATextThatIsNoNumberIsRefusedAndThePriceKept) {
    Open();
    RoofExample();
    TypePrice(kRowKdPlus2, Col::ColPriceS, "100");
    QString shown;
    AnswerNextModal([](QWidget* box) { static_cast<QDialog*>(box)->accept(); }, &shown);
    TypePrice(kRowKdPlus2, Col::ColPriceS, "1-2");
    QTest::qWaitFor([&] { return !shown.isEmpty(); }, 2000);
    EXPECT_EQ(shown, "'1-2' is not a valid floating point value for field 'PriceS'");
    EXPECT_EQ(Cell(kRowKdPlus2, Col::ColPriceS), "100");
    EXPECT_EQ(Text("StSumma"), "180.00");
}

TEST_F(MainFormTest, CommaPricesUnderACommaLocale) {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    Open();
    RoofExample();
    TypePrice(kRowKdPlus2, Col::ColPriceN, "12,5");
    EXPECT_EQ(Cell(kRowKdPlus2, Col::ColPriceN), "12,5");
    EXPECT_EQ(Cell(kRowKdPlus2, Col::ColSumma), "56,25");
    EXPECT_EQ(Text("StSumma"), "56.25");
}

// ---------------------------------------------------------------- saved state

TEST_F(MainFormTest, EverythingComesBackAfterCloseAndReopen) {
    Open();
    RoofExample();
    TypeInto("EdHoodL", "900");
    TypeInto("EdHoodW", "1100");
    Choose("CbHoodNoise", 1);
    TypeInto("EdTailGateL", "800");
    TypeInto("EdTailGateW", "1000");
    Choose("CbTailGateHeat", 2);
    TypeInto("EdFloorL", "2000");
    TypeInto("EdFloorW", "1400");
    Choose("CbFloorVibro", 5);
    Choose("CbDoorVibro", 3);
    Choose("CbDoorNoise", 1);
    Choose("CbDoorHeat", 2);
    auto* doors = Child<QSpinBox>(m_form, "SpNumDoors");
    doors->setValue(5);
    Child<QCheckBox>(m_form, "ChTorpeda")->click();
    Child<QCheckBox>(m_form, "ChParcelShelf")->click();
    Child<QCheckBox>(m_form, "ChSeal")->click();
    TypePrice(kRowKdPlus2, Col::ColPriceS, "12.5");
    TypePrice(kRowGv5, Col::ColPriceN, "900");
    TypePrice(kRowTape, Col::ColPriceS, "0.75");

    std::vector<calc::SheetRow> before;
    for (int r = 0; r < 18; ++r)
        before.push_back(m_form->Model().State().sheet.Row(r));
    const calc::CalcInputs inputsBefore = [&] {
        calc::CalcInputs copy;
        const calc::CalcInputs& in = m_form->Model().Inputs();
        copy.dimensions = in.dimensions;
        copy.numDoors = in.numDoors;
        copy.options = in.options;
        for (std::size_t i = 0; i < calc::kSelectorCount; ++i) {
            copy.selectors[i].itemIndex = in.selectors[i].itemIndex;
            copy.selectors[i].text = in.selectors[i].text;
        }
        return copy;
    }();
    const QString sumBefore = Text("StSumma");
    const QString weightBefore = Text("StAllWeight");

    Reopen();
    const calc::CalcInputs& in = m_form->Model().Inputs();
    EXPECT_EQ(in.dimensions, inputsBefore.dimensions);
    EXPECT_EQ(in.numDoors, 5);
    EXPECT_EQ(in.options, inputsBefore.options);
    for (std::size_t i = 0; i < calc::kSelectorCount; ++i) {
        EXPECT_EQ(in.selectors[i].itemIndex, inputsBefore.selectors[i].itemIndex) << i;
        EXPECT_EQ(in.selectors[i].text, inputsBefore.selectors[i].text) << i;
    }
    for (int r = 0; r < 18; ++r)
        EXPECT_EQ(m_form->Model().State().sheet.Row(r), before[static_cast<std::size_t>(r)]) << "row " << r;
    EXPECT_EQ(Cell(kRowKdPlus2, Col::ColPriceS), "12.5");
    EXPECT_EQ(Child<QComboBox>(m_form, "CbDoorVibro")->currentText(), "КД duo-lam 2.7");
    EXPECT_EQ(Child<QLineEdit>(m_form, "EdFloorL")->text(), "2000");
    EXPECT_TRUE(Child<QCheckBox>(m_form, "ChParcelShelf")->isChecked());
    EXPECT_EQ(Child<QSpinBox>(m_form, "SpNumDoors")->value(), 5);
    EXPECT_EQ(Text("StSumma"), sumBefore);
    EXPECT_EQ(Text("StAllWeight"), weightBefore);
    EXPECT_EQ(m_form->Grid()->currentIndex().row(), kRowTape);
}

TEST_F(MainFormTest, TheWindowComesBackWhereItWas) {
    Open();
    m_form->move(120, 130);
    QApplication::processEvents();
    const QPoint where = m_form->pos();
    Reopen();
    EXPECT_EQ(m_form->pos(), where);
}

TEST_F(MainFormTest, AFailureToStoreIsShownAndTheWindowStillCloses) {
    Open();
    RoofExample();
    // The settings file cannot be written where a folder of that name stands.
    ASSERT_TRUE(QDir().mkpath(m_config.IniFile()));
    QString shown;
    AnswerNextModal([](QWidget* box) { static_cast<QDialog*>(box)->accept(); }, &shown);
    Close();
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_TRUE(shown.contains("Brovalin.ini")) << shown.toStdString();
}

TEST_F(MainFormTest, APriceStillBeingTypedIsKeptWhenTheWindowCloses) {
    Open();
    RoofExample();
    SheetGrid* grid = m_form->Grid();
    grid->setFocus();
    grid->setCurrentIndex(Table()->index(kRowKdPlus2, Col::ColPriceN));
    grid->edit(Table()->index(kRowKdPlus2, Col::ColPriceN));
    QTest::keyClicks(QApplication::focusWidget(), "40");
    Reopen();
    EXPECT_EQ(Cell(kRowKdPlus2, Col::ColPriceN), "40");
    EXPECT_EQ(Cell(kRowKdPlus2, Col::ColSumma), "180");
}

TEST_F(MainFormTest, CommaLocaleRoundTripReopenedUnderAPointLocaleKeepsFractions) {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    Open();
    RoofExample();
    TypePrice(kRowKdPlus2, Col::ColPriceS, "12,5");
    Close();
    QSettings stored(m_config.IniFile(), QSettings::IniFormat);
    EXPECT_TRUE(stored.value("StStorePrice.Caption").toString().startsWith("0:0;12,5:0;"));

    QLocale::setDefault(QLocale::c());
    Open();
    EXPECT_EQ(Cell(kRowKdPlus2, Col::ColPriceS), "12.5");
    EXPECT_EQ(Cell(kRowKdPlus2, Col::ColSumma), "22.5");
}

struct StoredListCase {
    const char* name;
    const char* list;
    int row;
    const char* priceS;
    const char* priceN;
};

void PrintTo(const StoredListCase& c, std::ostream* out) { *out << c.name; }

class StoredListTest : public MainFormTest, public ::testing::WithParamInterface<StoredListCase> {};

TEST_P(StoredListTest, LoadsIntoTheGridWhenTheWindowOpens) {
    const StoredListCase& c = GetParam();
    {
        QSettings stored(m_config.IniFile(), QSettings::IniFormat);
        stored.setValue("StStorePrice.Caption", QString::fromUtf8(c.list));
    }
    Open();
    EXPECT_EQ(Cell(c.row, Col::ColPriceS), QString::fromUtf8(c.priceS));
    EXPECT_EQ(Cell(c.row, Col::ColPriceN), QString::fromUtf8(c.priceN));
    int priced = 0;
    for (int r = 0; r < 18; ++r)
        priced += !Cell(r, Col::ColPriceS).isEmpty() || !Cell(r, Col::ColPriceN).isEmpty();
    EXPECT_EQ(priced, c.priceS[0] || c.priceN[0] ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Opening, StoredListTest,
    ::testing::Values(StoredListCase{"SingleValue", "5", 0, "5", ""},
                      StoredListCase{"BothPricesBecomePerSheet", "0:0;7:8;", 1, "", "8"},
                      StoredListCase{"PerSheetEntry", "0:0;0:0;0:900;", 2, "", "900"},
                      StoredListCase{"NothingStoredYet", "StStorePrice", 0, "", ""}),
    [](const ::testing::TestParamInfo<StoredListCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- Clear

TEST_F(MainFormTest, ClearDeclinedChangesNothing) {
    Open();
    RoofExample();
    TypePrice(kRowKdPlus2, Col::ColPriceS, "100");
    bool cancelWasDefault = false;
    AnswerNextModal([&](QWidget* modal) {
        // Отмена holds the focus, so Enter answers it.
        auto* cancel = modal->findChild<QPushButton*>("BuCancel");
        cancelWasDefault = cancel != nullptr && cancel->hasFocus();
        QTest::keyClick(modal, Qt::Key_Return);
    });
    Child<QPushButton>(m_form, "BuClear")->click();
    EXPECT_TRUE(cancelWasDefault);
    EXPECT_EQ(Cell(kRowKdPlus2, Col::ColPriceS), "100");
    EXPECT_EQ(Text("StSumma"), "180.00");
    EXPECT_EQ(Child<QComboBox>(m_form, "CbRoofVibro")->currentText(), "КД plus 2");
}

TEST_F(MainFormTest, ClearConfirmedEmptiesEverythingAndStaysEmptyAfterReopening) {
    Open();
    RoofExample();
    Child<QCheckBox>(m_form, "ChSeal")->click();
    Child<QSpinBox>(m_form, "SpNumDoors")->setValue(3);
    TypePrice(kRowKdPlus2, Col::ColPriceS, "100");
    TypePrice(kRowGv5, Col::ColPriceN, "7"); // a material not in use loses its price too
    QString question;
    AnswerNextModal([&](QWidget* modal) {
        if (MesForm)
            question = MesForm->findChild<QWidget*>("LaMes")->property("plainText").toString();
        modal->findChild<QPushButton*>("BuContinue")->click();
    });
    Child<QPushButton>(m_form, "BuClear")->click();
    EXPECT_EQ(question, "\nВы действительно хотите очистить все введенные данные ?");
    for (int r = 0; r < 18; ++r)
        for (int column = Col::ColAmountS; column <= Col::ColSumma; ++column)
            EXPECT_EQ(Cell(r, column), QString()) << r << ',' << column;
    EXPECT_EQ(Text("StSumma"), "0.00");
    EXPECT_EQ(Text("StAllWeight"), "0.000");
    EXPECT_EQ(Child<QLineEdit>(m_form, "EdRoofL")->text(), QString());
    EXPECT_EQ(Child<QComboBox>(m_form, "CbRoofVibro")->currentIndex(), 0);
    EXPECT_FALSE(Child<QCheckBox>(m_form, "ChSeal")->isChecked());
    EXPECT_EQ(Child<QSpinBox>(m_form, "SpNumDoors")->value(), 0);
    EXPECT_EQ(m_form->Grid()->currentIndex().row(), kRowTape);

    Close();
    QString list;
    for (int r = 0; r < 18; ++r)
        list += "0:0;";
    EXPECT_EQ(QSettings(m_config.IniFile(), QSettings::IniFormat).value("StStorePrice.Caption").toString(), list);
    Open();
    EXPECT_EQ(Cell(kRowKdPlus2, Col::ColPriceS), QString());
    EXPECT_EQ(Child<QComboBox>(m_form, "CbRoofVibro")->currentText(), QString());
}

// ---------------------------------------------------------------- help

TEST_F(MainFormTest, HelpPressedThreeTimesLeavesOneHelpWindowThatGoesWithTheWindow) {
    Open();
    auto* help = Child<QPushButton>(m_form, "BuHelp");
    for (int i = 0; i < 3; ++i)
        help->click();
    const QList<THelpForm*> open = m_form->findChildren<THelpForm*>();
    ASSERT_EQ(open.size(), 1);
    QPointer<THelpForm> helpWindow = open.front();
    EXPECT_TRUE(helpWindow->isVisible());
    EXPECT_FALSE(helpWindow->isModal()); // the calculation goes on beside it
    TypeInto("EdRoofL", "1500");
    EXPECT_EQ(m_form->Model().Inputs().Dimension(calc::DimensionId::RoofL), " 1500");

    helpWindow->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return helpWindow.isNull(); }, 2000));
    help->click();
    ASSERT_NE(m_form->HelpForm(), nullptr);
    helpWindow = m_form->HelpForm();
    Close();
    EXPECT_TRUE(helpWindow.isNull()) << "the help window is destroyed with the calculation window";
}

// ---------------------------------------------------------------- print

TEST_F(MainFormTest, PrintPostsTheOpenRowAndShowsThePreviewOfTheSheetAsItIsNow) {
    TFPrintForm preview;
    Open();
    RoofExample();
    SheetGrid* grid = m_form->Grid();
    grid->setFocus();
    grid->setCurrentIndex(Table()->index(kRowKdPlus2, Col::ColPriceS));
    grid->edit(Table()->index(kRowKdPlus2, Col::ColPriceS));
    QTest::keyClicks(QApplication::focusWidget(), "100"); // typed, not yet confirmed
    bool previewShown = false;
    QTimer::singleShot(100, [&] {
        previewShown = preview.isVisible();
        preview.close();
    });
    Child<QPushButton>(m_form, "BuPrint")->click();
    EXPECT_TRUE(previewShown);
    EXPECT_EQ(Cell(kRowKdPlus2, Col::ColSumma), "180");
    EXPECT_EQ(Text("StSumma"), "180.00");
    EXPECT_EQ(m_form->Grid()->currentIndex().row(), kRowTape);
    EXPECT_EQ(m_form->Model().Sheet().GetState(), calc::DsMaterial::State::Browse);
}

// ---------------------------------------------------------------- the headless command agrees

TEST_F(MainFormTest, TheHeadlessCommandPrintsTheSheetTheWindowShowedWhenItClosed) {
    Open();
    RoofExample();
    Choose("CbDoorVibro", 1);
    Child<QSpinBox>(m_form, "SpNumDoors")->setValue(4);
    TypePrice(kRowKdPlus2, Col::ColPriceN, "12.5");
    std::vector<calc::SheetRow> shown;
    for (int r = 0; r < 18; ++r)
        shown.push_back(m_form->Model().State().sheet.Row(r));
    const QString sum = Text("StSumma");
    const QString weight = Text("StAllWeight");
    Close();

    QProcess sheet;
    sheet.start(QStringLiteral(RASCHET_BINARY_DIR "/src/tools/raschet-sheet"),
                {"--settings", m_config.IniFile()});
    ASSERT_TRUE(sheet.waitForFinished(10000));
    ASSERT_EQ(sheet.exitCode(), 0) << sheet.readAllStandardError().toStdString();
    const QStringList lines = QString::fromUtf8(sheet.readAllStandardOutput()).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 20);
    EXPECT_EQ(lines[2], "2,Кордилат 'Тормель plus',530*750*2,1.8,4.5,,12.5,56.25,6.75");
    EXPECT_EQ(lines[1], "1,Кордилат 'Тормель plus',\"530*750*1,6\",3.2,8,,,,8.8");
    EXPECT_EQ(lines[19], QStringLiteral(",Итого,,,,,,%1,%2").arg(sum, weight));
}

} // namespace
