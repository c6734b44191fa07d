// The help window: a fixed window of instructions that Esc does not close, and the calculation
// window's side, which keeps at most one modeless help window.
#include <QApplication>
#include <QTest>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "shell/help_form.h"

namespace {

void ProcessDeletions() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(HelpForm, IsAFixedWindowAtItsPlace) {
    QWidget owner;
    auto* help = new THelpForm(&owner);
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Помощь"));
    EXPECT_EQ(help->size(), QSize(753, 568));
    EXPECT_EQ(help->minimumSize(), help->maximumSize());
    EXPECT_EQ(help->pos(), QPoint(324, 26));
    EXPECT_TRUE(help->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_FALSE(help->windowIcon().isNull());
    EXPECT_FALSE(help->windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST(HelpForm, TheInstructionsFitTheWindowInTheirOrder) {
    QWidget owner;
    auto* help = new THelpForm(&owner);
    EXPECT_LE(help->Page().size().height(), 568) << "the last lines would be cut off";
    const QString text = help->Page().toPlainText();
    qsizetype at = 0;
    for (const char* topic :
         {"Как рассчитать", "следующие размеры", "передней двери", "ширину кузова", "крыши", "капота",
          "крышки багажника", "МИЛЛИМЕТРАХ", "ячейки", "количество дверей", "материала", "опции",
          "квадратных метрах", "цены", "пустыми", "автоматически"}) {
        const qsizetype found = text.indexOf(QString::fromUtf8(topic), at);
        EXPECT_GE(found, at) << topic;
        at = std::max(at, found);
    }
}

TEST(HelpForm, DrawsTheInstructionsOnWhite) {
    QWidget owner;
    auto* help = new THelpForm(&owner);
    const QImage image = help->grab().toImage();
    EXPECT_EQ(image.pixelColor(750, 565), QColor(Qt::white));
    int heading = 0; // blue of the heading in the top rows
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 700; ++x) {
            const QColor c = image.pixelColor(x, y);
            heading += c.blue() > 150 && c.red() < 100 ? 1 : 0;
        }
    EXPECT_GT(heading, 500);
}

TEST(HelpForm, EscapeDoesNotCloseIt) {
    QWidget owner;
    QPointer<THelpForm> help = new THelpForm(&owner);
    help->show();
    QTest::keyClick(help, Qt::Key_Escape);
    ProcessDeletions();
    ASSERT_FALSE(help.isNull());
    EXPECT_TRUE(help->isVisible());
}

class HelpModeless : public ::testing::Test {
  protected:
    std::unique_ptr<QWidget> m_main = std::make_unique<QWidget>();
    QPointer<THelpForm> m_help;
};

TEST_F(HelpModeless, PressedThreeTimesLeavesOneWindowInFront) {
    m_main->show();
    ShowHelpModeless(m_main.get(), m_help);
    const THelpForm* first = m_help.data();
    ShowHelpModeless(m_main.get(), m_help);
    ShowHelpModeless(m_main.get(), m_help);
    EXPECT_EQ(m_main->findChildren<THelpForm*>().size(), 1);
    EXPECT_EQ(m_help.data(), first);
    ASSERT_NE(m_help, nullptr);
    EXPECT_TRUE(m_help->isVisible());
    EXPECT_FALSE(m_help->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(m_help->parentWidget(), m_main.get());
}

TEST_F(HelpModeless, AfterClosingItTheNextPressOpensANewOne) {
    ShowHelpModeless(m_main.get(), m_help);
    m_help->close();
    ProcessDeletions();
    EXPECT_TRUE(m_help.isNull());
    EXPECT_TRUE(m_main->findChildren<THelpForm*>().isEmpty());
    ShowHelpModeless(m_main.get(), m_help);
    ASSERT_FALSE(m_help.isNull());
    EXPECT_TRUE(m_help->isVisible());
}

TEST_F(HelpModeless, DestroyingTheMainWindowDestroysItsHelpWindow) {
    ShowHelpModeless(m_main.get(), m_help);
    ASSERT_FALSE(m_help.isNull());
    m_main.reset();
    EXPECT_TRUE(m_help.isNull());
    const QWidgetList windows = QApplication::topLevelWidgets();
    EXPECT_TRUE(
        std::none_of(windows.begin(), windows.end(), [](QWidget* w) { return qobject_cast<THelpForm*>(w); }));
}

} // namespace
