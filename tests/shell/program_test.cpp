// The program's run: the windows it keeps for the whole run, the calculation window's return to the
// start window, and the end of the run when the start window closes.
#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "print/fprint_form.h"
#include "shell/begin_form.h"
#include "shell/mes_form.h"
#include "shell/picture_button.h"
#include "shell/program.h"
#include "support/config_dir.h"
#include "support/modal.h"

namespace {

// Runs `step` inside the program's event loop once the start window is shown.
void OnceStarted(std::function<void()> step) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, step] {
        if (!BeginForm || !BeginForm->isVisible())
            return;
        poll->deleteLater();
        poll->stop();
        step();
    });
    poll->start(5);
}

TEST(Program, RunsUntilTheStartWindowClosesThroughACalculationVisit) {
    testsupport::ScopedConfigDir config;
    bool messageWindowHidden = false;
    bool previewHidden = false;
    bool startBackAfterCalculation = false;
    bool calculationOpened = false;
    QPointer<TMesForm> messageWindow;
    QPointer<TBeginForm> start;
    OnceStarted([&] {
        start = BeginForm;
        messageWindow = MesForm;
        messageWindowHidden = messageWindow && !messageWindow->isVisible();
        previewHidden = FPrintForm != nullptr && !FPrintForm->isVisible();
        testsupport::ModalAnswer answer([&](QWidget* window) {
            calculationOpened = QByteArray(window->metaObject()->className()) == "TMainForm";
            window->close();
        });
        QTest::mouseClick(start->findChild<TPictureButton*>(QStringLiteral("BuCalc")), Qt::LeftButton);
        // The loop goes on after the calculation window closed; closing the start window ends it.
        QTimer::singleShot(50, [&] {
            startBackAfterCalculation = start && start->isVisible();
            start->close();
        });
    });

    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(QApplication::applicationName(), QStringLiteral("Расчет материалов"));
    EXPECT_TRUE(messageWindowHidden);
    EXPECT_TRUE(previewHidden) << "the preview window is created at start and stays hidden";
    EXPECT_EQ(FPrintForm, nullptr) << "the preview window is destroyed at the end of the run";
    EXPECT_TRUE(calculationOpened);
    EXPECT_TRUE(startBackAfterCalculation);
    EXPECT_TRUE(start.isNull()) << "the start window is destroyed at the end of the run";
    EXPECT_TRUE(messageWindow.isNull()) << "the message window is destroyed at the end of the run";
}

} // namespace
