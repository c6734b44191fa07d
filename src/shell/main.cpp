// Расчет материалов: the program's entry. The start window, then the hidden message window, live for
// the whole run; the run ends when the start window is closed, always with exit code 0. The command
// line is not read.
#include <QApplication>

#include <memory>

#include "shell/artwork.h"
#include "shell/begin_form.h"
#include "shell/common.h"
#include "shell/first_show.h"
#include "shell/mes_form.h"
#include "shell/ui_font.h"

namespace {

void Run(QApplication& app) {
    // The windows of the whole run, in the order they are created; each is destroyed at the end.
    TBeginForm beginForm;
    QObject::connect(&beginForm, &TBeginForm::Closed, &app, &QCoreApplication::quit);
    const auto messageWindow = std::make_unique<TMesForm>(); // hidden; never shown by the program itself

    shell::ReportFirstShowWhenTimed(&beginForm);
    beginForm.show();
    app.exec();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle());
    QApplication::setWindowIcon(shell::CalculatorIcon());
    QApplication::setFont(shell::UiFont(11));
    // Hidden windows and modal calculation windows come and go; only closing the start window ends the
    // run.
    QApplication::setQuitOnLastWindowClosed(false);
    try {
        Run(app);
    } catch (...) {
        ShowExceptionBox(ExceptionMessage(std::current_exception()));
    }
    return 0;
}
