// The start window: its buttons and keyboard, and the flow to the calculation window (modal, freed when
// closed, the start window hidden meanwhile) and to the help window (modal, a new one every time).
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "shell/begin_form.h"
#include "shell/help_form.h"
#include "shell/main_form.h"
#include "shell/picture_button.h"
#include "support/config_dir.h"
#include "support/modal.h"

namespace {

using testsupport::ModalAnswer;

class BeginFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_form));
    }

    TPictureButton* Button(const char* name) {
        return m_form.findChild<TPictureButton*>(QString::fromLatin1(name));
    }

    // Where the modal window came from, and whether the start window showed meanwhile.
    struct Visit {
        QPointer<QWidget> window;
        QString className;
        QWidget* owner = nullptr;
        bool startVisible = true;
    };
    // An answer that notes the modal window and closes it.
    ModalAnswer CloseNext(Visit& visit) {
        return ModalAnswer([this, &visit](QWidget* window) {
            visit.window = window;
            visit.className = QString::fromLatin1(window->metaObject()->className());
            visit.owner = window->parentWidget();
            visit.startVisible = m_form.isVisible();
            window->close();
        });
    }

    testsupport::ScopedConfigDir m_config; // the calculation window stores its inputs on closing
    TBeginForm m_form;
};

TEST_F(BeginFormTest, ButtonsStandOnTheirPlatesInAFixedWindow) {
    EXPECT_EQ(m_form.size(), QSize(797, 597));
    EXPECT_EQ(m_form.minimumSize(), m_form.maximumSize());
    EXPECT_TRUE(m_form.windowTitle().isEmpty());
    EXPECT_FALSE(m_form.windowIcon().isNull());
    EXPECT_EQ(Button("BuSpr")->geometry(), QRect(320, 232, 161, 49));
    EXPECT_EQ(Button("BuCalc")->geometry(), QRect(320, 312, 161, 49));
    EXPECT_EQ(Button("BuSpr")->Picture().size(), QSize(167, 59));
    EXPECT_EQ(Button("BuCalc")->Picture().size(), QSize(168, 61));
    EXPECT_EQ(m_form.Background().size(), QSize(800, 600));
}

TEST_F(BeginFormTest, TheButtonShowsThePlateOfTheBackgroundBehindIt) {
    // The window seen with and without the button's own painting differs little: the picture on the
    // button continues the plate drawn in the background.
    const QImage withButtons = m_form.grab().toImage();
    Button("BuCalc")->hide();
    const QImage background = m_form.grab().toImage();
    Button("BuCalc")->show();
    int differing = 0;
    for (int y = 312 + 4; y < 312 + 49 - 4; ++y)
        for (int x = 320 + 4; x < 320 + 161 - 4; ++x) {
            const QColor a = withButtons.pixelColor(x, y);
            const QColor b = background.pixelColor(x, y);
            if (std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                    std::abs(a.blue() - b.blue()) >
                90)
                ++differing;
        }
    EXPECT_LT(differing, 153 * 41 / 10) << "more than a tenth of the plate differs";
}

TEST_F(BeginFormTest, FocusStartsOnSpravkaAndTabMovesToRaschet) {
    EXPECT_EQ(m_form.focusWidget(), Button("BuSpr"));
    QTest::keyClick(Button("BuSpr"), Qt::Key_Tab);
    EXPECT_EQ(m_form.focusWidget(), Button("BuCalc"));
}

TEST_F(BeginFormTest, RaschetHidesTheStartWindowForAModalCalculationWindowThatFreesItself) {
    Visit visit;
    ModalAnswer answer = CloseNext(visit);
    QTest::mouseClick(Button("BuCalc"), Qt::LeftButton);
    ASSERT_TRUE(answer.Answered());
    EXPECT_EQ(visit.className, QStringLiteral("TMainForm"));
    EXPECT_EQ(visit.owner, &m_form);
    EXPECT_FALSE(visit.startVisible);
    EXPECT_TRUE(visit.window.isNull()) << "the calculation window is freed when it closes";
    EXPECT_TRUE(m_form.isVisible());
    EXPECT_TRUE(m_form.findChildren<TMainForm*>().isEmpty());
}

TEST_F(BeginFormTest, EnterOnTheFocusedRaschetOpensAFreshCalculationWindowEachTime) {
    QTest::keyClick(Button("BuSpr"), Qt::Key_Tab);
    for (int time = 0; time < 2; ++time) {
        SCOPED_TRACE(time);
        Visit visit;
        ModalAnswer answer = CloseNext(visit);
        QTest::keyClick(m_form.focusWidget(), Qt::Key_Return);
        ASSERT_TRUE(answer.Answered());
        EXPECT_EQ(visit.className, QStringLiteral("TMainForm"));
        EXPECT_TRUE(visit.window.isNull());
        EXPECT_TRUE(m_form.isVisible());
    }
}

TEST_F(BeginFormTest, SpravkaOpensANewModalHelpWindowOnEveryPress) {
    for (int time = 0; time < 2; ++time) {
        SCOPED_TRACE(time);
        Visit visit;
        bool blocked = false;
        ModalAnswer answer([&](QWidget* window) {
            visit.window = window;
            visit.owner = window->parentWidget();
            blocked = QApplication::activeModalWidget() == window && window->isModal();
            visit.startVisible = m_form.isVisible();
            window->close();
        });
        QTest::keyClick(Button("BuSpr"), Qt::Key_Space);
        ASSERT_TRUE(answer.Answered());
        EXPECT_EQ(visit.owner, &m_form);
        EXPECT_TRUE(blocked);
        EXPECT_TRUE(visit.startVisible);
        EXPECT_TRUE(visit.window.isNull()) << "the help window is destroyed when closed";
        EXPECT_TRUE(m_form.findChildren<THelpForm*>().isEmpty());
    }
}

TEST(BeginFormPicture, AnUnreadablePictureLeavesAWorkingWindowWithoutIt) {
    QTemporaryDir dir;
    QFile broken(dir.filePath(QStringLiteral("broken.jpg")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\xFF\xD8\xFF\xE0 not really a picture");
    broken.close();
    for (const QString& path : {dir.filePath(QStringLiteral("missing.jpg")), broken.fileName()}) {
        TBeginForm form(nullptr, path);
        EXPECT_TRUE(form.Background().isNull());
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        EXPECT_FALSE(form.grab().isNull());
        bool opened = false;
        ModalAnswer answer([&](QWidget* window) {
            opened = qobject_cast<THelpForm*>(window) != nullptr;
            window->close();
        });
        QTest::mouseClick(form.findChild<TPictureButton*>(QStringLiteral("BuSpr")), Qt::LeftButton);
        EXPECT_TRUE(opened);
    }
}

} // namespace
