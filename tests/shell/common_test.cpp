// ShowError and MesDialog texts (a caller's text is never taken for a format), the standard error box,
// and the guard that shows an exception from a handler instead of letting it reach the event loop.
#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <stdexcept>

#include "shell/common.h"
#include "shell/mes_form.h"
#include "support/modal.h"

namespace {

using testsupport::ModalAnswer;

struct Shown {
    QString caption;
    QString text;
};

// Replaces the error box for one test and records what it would show.
class ErrorBoxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_previous = SetErrorPresenter([this](const QString& caption, const QString& text) {
            m_shown.push_back({caption, text});
        });
    }
    void TearDown() override { SetErrorPresenter(m_previous); }

    std::vector<Shown> m_shown;

  private:
    ErrorPresenter m_previous;
};

TEST_F(ErrorBoxTest, ShowsThePlainTextBehindThePrefixUnderTheErrorCaption) {
    EXPECT_EQ(ShowError("Невозможно получить информацию о версии модуля."), 0);
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].caption, QStringLiteral("Ошибка"));
    EXPECT_EQ(m_shown[0].text, QStringLiteral("Ошибка: Невозможно получить информацию о версии модуля."));
}

TEST_F(ErrorBoxTest, FormatsPrintfArguments) {
    EXPECT_EQ(ShowError("Файл %s, строка %d, доля %.2f", "цены.ini", 12, 0.5), 0);
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].text, QStringLiteral("Ошибка: Файл цены.ini, строка 12, доля 0.50"));
}

TEST_F(ErrorBoxTest, AUsersTextIsShownAsItIsWithItsPercentSigns) {
    const QString typed = QStringLiteral("скидка 5% %s %d %n");
    EXPECT_EQ(ShowError(typed), 0);
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].text, QStringLiteral("Ошибка: ") + typed);
}

TEST(ErrorBox, IsAStandardBoxWithOneOkButtonAndNoIcon) {
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::Critical;
    qsizetype buttons = 0;
    ModalAnswer answer([&](QWidget* window) {
        auto* box = qobject_cast<QMessageBox*>(window);
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->buttons().size();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    EXPECT_EQ(ShowError(QStringLiteral("Нет данных")), 0);
    ASSERT_TRUE(answer.Answered());
    EXPECT_EQ(caption, QStringLiteral("Ошибка"));
    EXPECT_EQ(text, QStringLiteral("Ошибка: Нет данных"));
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(buttons, 1);
}

// The text a message window shows, answered with its close box.
QString AskedText(const std::function<int()>& ask) {
    QString text;
    QString caption;
    ModalAnswer answer([&](QWidget* window) {
        text = window->findChild<QTextEdit*>(QStringLiteral("LaMes"))->toPlainText();
        caption = window->windowTitle();
        window->close();
    });
    EXPECT_EQ(ask(), MesCancel);
    EXPECT_TRUE(answer.Answered());
    EXPECT_EQ(caption, QStringLiteral("Сообщение"));
    return text;
}

TEST(MesDialogText, FormatsPrintfArguments) {
    EXPECT_EQ(AskedText([] { return MesDialog(3, "Удалить %d строк из «%s»?", 18, "Лист"); }),
              QStringLiteral("Удалить 18 строк из «Лист»?"));
}

TEST(MesDialogText, AUsersTextIsShownAsItIs) {
    const QString typed = QStringLiteral("100% %s готово");
    EXPECT_EQ(AskedText([&] { return MesDialog(3, typed); }), typed);
}

TEST(ExceptionGuard, ShowsTheExceptionInACriticalBoxAndGoesOn) {
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    qsizetype buttons = 0;
    ModalAnswer answer([&](QWidget* window) {
        auto* box = qobject_cast<QMessageBox*>(window);
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->buttons().size();
        box->button(QMessageBox::Ok)->click();
    });
    bool after = false;
    RunGuarded([] { throw std::runtime_error("Сбой расчета"); });
    after = true;
    ASSERT_TRUE(answer.Answered());
    EXPECT_TRUE(after);
    EXPECT_EQ(caption, QStringLiteral("Расчет материалов"));
    EXPECT_EQ(text, QStringLiteral("Сбой расчета"));
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(buttons, 1);
}

TEST(ExceptionGuard, NamesAnExceptionOfUnknownKind) {
    EXPECT_EQ(ExceptionMessage(std::make_exception_ptr(42)), QStringLiteral("Неизвестная ошибка."));
    EXPECT_EQ(ExceptionMessage(std::make_exception_ptr(std::bad_alloc())),
              QStringLiteral("Недостаточно памяти."));
}

} // namespace
