#include "shell/program.h"

#include <QApplication>

#include <memory>

#include "print/fprint_form.h"
#include "shell/artwork.h"
#include "shell/begin_form.h"
#include "shell/common.h"
#include "shell/first_show.h"
#include "shell/mes_form.h"
#include "shell/ui_font.h"

namespace {

void RunWindows() {
    // The windows of the whole run, in the order they are created; each is destroyed at the end.
    TBeginForm beginForm; // the first: the application's main form
    QObject::connect(&beginForm, &TBeginForm::Closed, qApp, &QCoreApplication::quit);
    TFPrintForm printForm(&beginForm); // hidden; every preview of the run reuses it, centred on the start window
    const auto messageWindow = std::make_unique<TMesForm>(); // hidden; never shown by the program itself

    shell::ReportFirstShowWhenTimed(&beginForm);
    beginForm.show();
    QApplication::exec();
}

} // namespace

int RunProgram() {
    QApplication::setApplicationName(ApplicationTitle());
    QApplication::setWindowIcon(shell::CalculatorIcon());
    QApplication::setFont(shell::UiFont(11));
    // Hidden windows and modal calculation windows come and go; only closing the start window ends the
    // run.
    QApplication::setQuitOnLastWindowClosed(false);
    try {
        RunWindows();
    } catch (...) {
        ShowExceptionBox(ExceptionMessage(std::current_exception()));
    }
    return 0;
}
