// The message window: which buttons show and where, the default button and focus, the answers of the
// buttons, Enter and the close box, the one-shot settings, and the height fitted to the text.
#include <QApplication>
#include <QFontMetrics>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <ostream>

#include <memory>

#include "shell/begin_form.h"
#include "shell/common.h"
#include "shell/mes_form.h"
#include "support/modal.h"

namespace {

using testsupport::ModalAnswer;

class MesFormTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetMesSettings(); }
    void TearDown() override {
        ResetMesSettings();
        delete m_form.data();
    }

    // Builds a message window the way MesDialog does and shows it without a modal loop.
    TMesForm* Show(int buttons, const QString& text = QStringLiteral("Текст")) {
        MesButtons = buttons;
        m_form = new TMesForm(nullptr, text, TMesForm::DefaultCaption());
        m_form->show();
        return m_form.data();
    }

    QPushButton* Button(const char* name) const {
        return m_form->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    QTextEdit* Text() const { return m_form->findChild<QTextEdit*>(QStringLiteral("LaMes")); }
    int LineHeight() const { return QFontMetrics(Text()->font()).height(); }

    QPointer<TMesForm> m_form;
};

// --- button layout ---

struct LayoutCase {
    const char* name;
    int buttons;
    int width;        // client width after layout
    int continueLeft; // -1: hidden
    int retryLeft;
    int cancelLeft;
};
void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

class MesFormLayout : public MesFormTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(MesFormLayout, ShowsTheChosenButtonsCentredInTheirOrder) {
    const LayoutCase& c = GetParam();
    Show(c.buttons);
    EXPECT_EQ(m_form->width(), c.width);
    const struct {
        const char* name;
        int left;
        int top;
    } expected[] = {
        {"BuContinue", c.continueLeft, 13}, {"BuRetry", c.retryLeft, 14}, {"BuCancel", c.cancelLeft, 13}};
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        QPushButton* button = Button(e.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->isVisible(), e.left >= 0);
        if (e.left >= 0) {
            EXPECT_EQ(button->x(), e.left);
            EXPECT_EQ(button->y(), e.top);
            EXPECT_EQ(button->width(), 129);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ButtonSets, MesFormLayout,
                         ::testing::Values(
                             // one button: 475 / 2 - 129 / 2 = 237 - 64
                             LayoutCase{"ContinueOnly", 1, 475, 173, -1, -1},
                             LayoutCase{"CancelOnly", 2, 475, -1, -1, 173},
                             LayoutCase{"RetryOnly", 4, 475, -1, 173, -1},
                             // two buttons 32 apart: total 290, 237 - 145 = 92
                             LayoutCase{"ContinueCancel", 3, 475, 92, -1, 253},
                             LayoutCase{"ContinueRetry", 5, 475, 92, 253, -1},
                             LayoutCase{"RetryCancel", 6, 475, -1, 92, 253},
                             // three: 3 * 129 + 2 * 32 + 2 * 32 = 515 wide, 257 - 225 = 32
                             LayoutCase{"AllThree", 7, 515, 32, 193, 354}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MesFormTest, NoButtonsLeavesEveryButtonHiddenAndUnmoved) {
    Show(0);
    EXPECT_EQ(m_form->width(), 475);
    for (const char* name : {"BuContinue", "BuRetry", "BuCancel"})
        EXPECT_FALSE(Button(name)->isVisible()) << name;
    EXPECT_EQ(Button("BuContinue")->x(), 24);
    EXPECT_EQ(Button("BuRetry")->x(), 176);
    EXPECT_EQ(Button("BuCancel")->x(), 336);
}

TEST_F(MesFormTest, ShowsCaptionTextAndButtonCaptions) {
    Show(7, QStringLiteral("Первая строка\r\nвторая\rтретья"));
    EXPECT_EQ(m_form->windowTitle(), QStringLiteral("Сообщение"));
    EXPECT_EQ(Text()->toPlainText(), QStringLiteral("Первая строка\nвторая\nтретья"));
    for (QTextBlock block = Text()->document()->begin(); block.isValid(); block = block.next())
        EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(Button("BuContinue")->text(), QStringLiteral("Продолжить"));
    EXPECT_EQ(Button("BuRetry")->text(), QStringLiteral("Повторить"));
    EXPECT_EQ(Button("BuCancel")->text(), QStringLiteral("Отмена"));
    EXPECT_FALSE(Button("BuContinue")->icon().isNull());
    EXPECT_TRUE(m_form->windowFlags() & Qt::WindowStaysOnTopHint);
}

// --- default button and focus ---

struct DefaultCase {
    const char* name;
    int buttons;
    int defaultButton;
    const char* expected; // nullptr: no default, no button focused
};
void PrintTo(const DefaultCase& c, std::ostream* os) {
    *os << c.name;
}

class MesFormDefault : public MesFormTest, public ::testing::WithParamInterface<DefaultCase> {};

TEST_P(MesFormDefault, MakesTheNamedVisibleButtonDefaultAndFocused) {
    const DefaultCase& c = GetParam();
    MesDefaultButton = quint8(c.defaultButton);
    Show(c.buttons);
    for (const char* name : {"BuContinue", "BuRetry", "BuCancel"}) {
        const bool chosen = c.expected && QByteArray(name) == c.expected;
        EXPECT_EQ(Button(name)->isDefault(), chosen) << name;
        EXPECT_EQ(m_form->focusWidget() == Button(name), chosen) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Settings, MesFormDefault,
                         ::testing::Values(DefaultCase{"ContinueByDefault", 3, 0, "BuContinue"},
                                           DefaultCase{"Cancel", 3, 1, "BuCancel"},
                                           DefaultCase{"Retry", 7, 2, "BuRetry"},
                                           DefaultCase{"HiddenRetry", 3, 2, nullptr},
                                           DefaultCase{"HiddenContinue", 6, 0, nullptr}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- answers, through MesDialog as callers ask ---

// Presses Enter where the user's keyboard focus is.
void PressEnter(QWidget* window) {
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, Qt::Key_Return);
}

TEST_F(MesFormTest, EnterAnswersContinueWithTheDefaults) {
    ModalAnswer answer(PressEnter);
    EXPECT_EQ(MesDialog(3, "\nВы действительно хотите очистить все введенные данные ?"), MesContinue);
    EXPECT_TRUE(answer.Answered());
}

TEST_F(MesFormTest, EnterAnswersCancelWhenCancelIsTheDefault) {
    QString focused;
    ModalAnswer answer([&](QWidget* window) {
        focused = window->focusWidget() ? window->focusWidget()->objectName() : QString();
        PressEnter(window);
    });
    MesDefaultButton = 1;
    EXPECT_EQ(MesDialog(3, "\nВы действительно хотите очистить все введенные данные ?"), MesCancel);
    EXPECT_TRUE(answer.Answered());
    EXPECT_EQ(focused, QStringLiteral("BuCancel"));
}

TEST_F(MesFormTest, EnterPressesTheButtonTheUserMovedTo) {
    ModalAnswer answer([](QWidget* window) {
        QTest::keyClick(window->focusWidget(), Qt::Key_Tab); // Продолжить -> Повторить
        PressEnter(window);
    });
    EXPECT_EQ(MesDialog(7, QStringLiteral("Повторить?")), MesRetry);
    EXPECT_TRUE(answer.Answered());
}

struct ClickCase {
    const char* name;
    const char* button;
    int answer;
};
void PrintTo(const ClickCase& c, std::ostream* os) {
    *os << c.name;
}

class MesFormClick : public MesFormTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(MesFormClick, EachButtonAnswersItsCode) {
    ModalAnswer answer([&](QWidget* window) {
        QTest::mouseClick(window->findChild<QPushButton*>(QString::fromLatin1(GetParam().button)),
                          Qt::LeftButton);
    });
    EXPECT_EQ(MesDialog(7, QStringLiteral("Вопрос")), GetParam().answer);
    EXPECT_TRUE(answer.Answered());
}

INSTANTIATE_TEST_SUITE_P(Buttons, MesFormClick,
                         ::testing::Values(ClickCase{"Continue", "BuContinue", MesContinue},
                                           ClickCase{"Retry", "BuRetry", MesRetry},
                                           ClickCase{"Cancel", "BuCancel", MesCancel}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MesFormTest, CloseBoxAnswersCancelEvenWithoutACancelButton) {
    QPointer<QWidget> window;
    ModalAnswer answer([&](QWidget* w) {
        window = w;
        w->close();
    });
    EXPECT_EQ(MesDialog(1, QStringLiteral("Только продолжить")), MesCancel);
    EXPECT_TRUE(answer.Answered());
    EXPECT_TRUE(window.isNull()) << "the window frees itself when closed";
    EXPECT_TRUE(MesForm.isNull());
}

TEST_F(MesFormTest, EscapeDoesNotCloseTheWindow) {
    bool stillOpen = false;
    ModalAnswer answer([&](QWidget* w) {
        QTest::keyClick(w->focusWidget(), Qt::Key_Escape);
        stillOpen = w->isVisible();
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("BuContinue")), Qt::LeftButton);
    });
    EXPECT_EQ(MesDialog(3, QStringLiteral("Вопрос")), MesContinue);
    EXPECT_TRUE(stillOpen);
}

TEST_F(MesFormTest, NoButtonsOnlyTheCloseBoxEndsItWithCancel) {
    bool enterClosed = true;
    ModalAnswer answer([&](QWidget* w) {
        PressEnter(w);
        enterClosed = !w->isVisible();
        w->close();
    });
    EXPECT_EQ(MesDialog(0, QStringLiteral("Без кнопок")), MesCancel);
    EXPECT_FALSE(enterClosed);
}

// --- one-shot settings ---

TEST_F(MesFormTest, SettingsGoBackToDefaultsOnceTheWindowIsShown) {
    MesDefaultButton = 1;
    Show(3);
    EXPECT_EQ(MesButtons, 1);
    EXPECT_EQ(MesDefaultButton, 0);
    EXPECT_EQ(MesForm.data(), m_form.data());
}

TEST_F(MesFormTest, SettingsGoBackToDefaultsWhenTheWindowCloses) {
    Show(3);
    MesButtons = 7;
    MesDefaultButton = 2;
    m_form->close();
    EXPECT_EQ(MesButtons, 1);
    EXPECT_EQ(MesDefaultButton, 0);
    EXPECT_TRUE(MesForm.isNull());
}

TEST_F(MesFormTest, ASettingAppliesToTheNextWindowOnly) {
    MesDefaultButton = 1;
    ModalAnswer first(PressEnter);
    EXPECT_EQ(MesDialog(3, QStringLiteral("Первый")), MesCancel);
    ModalAnswer second(PressEnter);
    EXPECT_EQ(MesDialog(3, QStringLiteral("Второй")), MesContinue);
    EXPECT_TRUE(second.Answered());
}

// --- height fitted to the text ---

struct HeightCase {
    const char* name;
    const char* text;
    int lines;
};
void PrintTo(const HeightCase& c, std::ostream* os) {
    *os << c.name;
}

class MesFormHeight : public MesFormTest, public ::testing::WithParamInterface<HeightCase> {};

TEST_P(MesFormHeight, TextBoxIsOneLineTallerThanItsLines) {
    Show(1, QString::fromUtf8(GetParam().text));
    const int expected = (GetParam().lines + 1) * LineHeight();
    EXPECT_EQ(Text()->height(), expected);
    EXPECT_EQ(m_form->height(), expected + 47);
    EXPECT_FALSE(Text()->verticalScrollBar()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MesFormHeight,
    ::testing::Values(HeightCase{"OneLine", "Короткий текст", 1},
                      HeightCase{"LeadingBreak", "\nВы действительно хотите очистить все введенные данные ?",
                                 2},
                      HeightCase{"EveryLineEnd", "раз\r\nдва\rтри\nчетыре", 4},
                      HeightCase{"EmptyLastLineNotCounted", "раз\nдва\n", 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MesFormTest, ALineWiderThanTheBoxWrapsOntoTheNext) {
    // Words that fill about one and a half widths of the box, measured in its own font.
    MesButtons = 1;
    auto probe = std::make_unique<TMesForm>();
    const QFontMetrics metrics(probe->findChild<QTextEdit*>(QStringLiteral("LaMes"))->font());
    QString text;
    while (metrics.horizontalAdvance(text) < 475 * 3 / 2)
        text += QStringLiteral("изоляция ");
    Show(1, text.trimmed());
    EXPECT_EQ(Text()->height(), 3 * LineHeight());
}

TEST_F(MesFormTest, AVeryLongTextGetsA500PixelBoxWithAScrollBar) {
    QString text;
    for (int i = 0; i < 60; ++i)
        text += QStringLiteral("Строка %1\n").arg(i);
    Show(1, text);
    EXPECT_EQ(Text()->height(), 500);
    EXPECT_EQ(m_form->height(), 547);
    EXPECT_TRUE(Text()->verticalScrollBar()->isVisible());
    EXPECT_GT(Text()->verticalScrollBar()->maximum(), 0) << "the rest of the text is reached by scrolling";
}

// --- position ---

TEST_F(MesFormTest, IsCentredOnTheStartWindowEvenWhileItIsHidden) {
    TBeginForm start; // hidden, at its designed place
    ASSERT_EQ(BeginForm.data(), &start);
    Show(3);
    EXPECT_LE((m_form->geometry().center() - start.geometry().center()).manhattanLength(), 1);
}

} // namespace
