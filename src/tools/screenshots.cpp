// raschet-screenshots: draws the program's windows as a user sees them into PNG files (scripts/screenshots
// runs it headless): the start window, the clear-inputs question, the help window, the calculation
// window with an example filled in through its own controls, and the print preview of that example. Each picture gets a plain title strip
// carrying the window's caption, since the headless platform draws no window frames.
//
// The calculation window stores its inputs when it closes: settings go to a private temporary folder,
// never the user's.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>

#include "print/fprint_form.h"
#include "shell/artwork.h"
#include "shell/begin_form.h"
#include "shell/common.h"
#include "shell/help_form.h"
#include "shell/main_form.h"
#include "shell/main_form_widgets.h"
#include "shell/sheet_table_model.h"
#include "shell/mes_form.h"
#include "shell/ui_font.h"

namespace {

constexpr int kTitleHeight = 24;

QImage Framed(QWidget* window) {
    const QImage client = window->grab().toImage();
    QImage image(client.width(), client.height() + kTitleHeight, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 128));
    QPainter p(&image);
    const QIcon icon = window->windowIcon();
    int textLeft = 6;
    if (!icon.isNull()) {
        p.drawPixmap(4, 4, icon.pixmap(16, 16));
        textLeft = 26;
    }
    p.setPen(Qt::white);
    p.setFont(shell::UiFont(12, true));
    p.drawText(QRect(textLeft, 0, image.width() - textLeft - 24, kTitleHeight),
               Qt::AlignVCenter | Qt::AlignLeft, window->windowTitle());
    p.drawText(QRect(image.width() - 22, 0, 18, kTitleHeight), Qt::AlignCenter, QStringLiteral("×"));
    p.drawImage(0, kTitleHeight, client);
    return image;
}

bool Save(QWidget* window, const QDir& out, const char* name) {
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        std::fprintf(stderr, "warning: %s was not exposed\n", name);
    QTest::qWait(50);
    const QString path = out.filePath(QString::fromLatin1(name));
    if (!Framed(window).save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

template <typename T> T* Control(QWidget* window, const char* name) {
    T* control = window->findChild<T*>(QString::fromLatin1(name));
    if (!control)
        std::fprintf(stderr, "warning: the calculation window has no %s yet\n", name);
    return control;
}

void Type(QWidget* window, const char* name, const QString& text) {
    if (auto* edit = Control<QLineEdit>(window, name)) {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
}

void Choose(QWidget* window, const char* name, int index) {
    auto* box = Control<QComboBox>(window, name);
    if (!box || index >= box->count())
        return;
    box->setFocus();
    for (int step = 0; step < 2 * box->count() && box->currentIndex() != index; ++step)
        QTest::keyClick(box, box->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
}

void SetNumber(QWidget* window, const char* name, int value) {
    if (auto* spin = Control<QSpinBox>(window, name)) {
        spin->setFocus();
        QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(spin, QString::number(value));
        QTest::keyClick(spin, Qt::Key_Tab);
    }
}

void Tick(QWidget* window, const char* name) {
    if (auto* box = Control<QCheckBox>(window, name))
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
}

// Types a price into a cell of the grid and confirms it.
void Price(TMainForm* window, int row, int column, const QString& text) {
    SheetGrid* grid = window->Grid();
    const QModelIndex cell = grid->model()->index(row, column);
    grid->setFocus();
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    if (QWidget* editor = QApplication::focusWidget(); editor != nullptr && editor != grid) {
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(); // the editor commits from a queued call
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());

    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle());
    QApplication::setWindowIcon(shell::CalculatorIcon());
    QApplication::setFont(shell::UiFont(11));

    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots"));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(out.path()));
        return 1;
    }
    bool ok = true;

    TBeginForm begin;
    TFPrintForm preview(&begin);
    ok &= Save(&begin, out, "start_window.png");

    {
        MesButtons = 3;
        MesDefaultButton = 1;
        QPointer<TMesForm> question =
            new TMesForm(nullptr, QStringLiteral("\nВы действительно хотите очистить все введенные данные ?"),
                         TMesForm::DefaultCaption()); // frees itself when closed
        ok &= Save(question, out, "message_window.png");
        question->close();
    }

    {
        QPointer<THelpForm> help = new THelpForm(&begin);
        ok &= Save(help, out, "help_window.png");
        help->close();
    }

    {
        QPointer<TMainForm> calculation = new TMainForm(&begin);
        calculation->show();
        if (!QTest::qWaitForWindowExposed(calculation))
            std::fprintf(stderr, "warning: the calculation window was not exposed\n");
        QTest::qWait(300); // Timer1's first tick makes the window ready
        Type(calculation, "EdRoofL", QStringLiteral("1500"));
        Type(calculation, "EdRoofW", QStringLiteral("1200"));
        Choose(calculation, "CbRoofVibro", 2);
        SetNumber(calculation, "SpNumDoors", 4);
        Choose(calculation, "CbDoorVibro", 1);
        Tick(calculation, "ChSeal");
        Price(calculation, 1, SheetTableModel::ColPriceN, QStringLiteral("420"));
        Price(calculation, 0, SheetTableModel::ColPriceS, QStringLiteral("300"));
        Price(calculation, 17, SheetTableModel::ColPriceS, QStringLiteral("45.5"));
        QTest::qWait(50);
        ok &= Save(calculation, out, "calculation_window.png");

        // The print button shows the preview modally: picture it from inside its loop.
        QTimer::singleShot(300, [&] {
            ok &= Save(&preview, out, "preview.png");
            preview.close();
        });
        if (auto* print = Control<QPushButton>(calculation, "BuPrint"))
            print->click();
        if (calculation)
            calculation->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return ok ? 0 : 1;
}
