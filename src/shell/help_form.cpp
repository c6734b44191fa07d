#include "shell/help_form.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QTextDocument>

#include "shell/artwork.h"
#include "shell/ui_font.h"

namespace {

// The steps in bold serif, the rest in the window's sans; Liberation fonts stand in for the desktop's.
const char* const kInstructions = R"(
<div style="font-family:'Liberation Sans'; font-size:26px; font-weight:bold; color:#0000c8;">
Как рассчитать необходимое количество материалов</div>
<p style="font-family:'Liberation Sans'; font-size:17px; margin-top:12px; margin-bottom:4px;">
Чтобы выполнить расчет, снимите с автомобиля следующие размеры:</p>
<ol style="font-family:'Liberation Serif'; font-size:17px; font-weight:bold; color:#000000; line-height:115%;
           margin-top:0px; margin-bottom:0px; -qt-list-indent:1;">
<li>длину автомобиля от передней двери до задней стенки багажника;</li>
<li>ширину кузова;</li>
<li>длину и ширину крыши;</li>
<li>длину и ширину капота;</li>
<li>длину и ширину крышки багажника (кроме автомобилей с кузовом хэтчбек).<br>
Все размеры записываются в <span style="color:#e00000;">МИЛЛИМЕТРАХ</span>.</li>
<li>Введите полученные значения в соответствующие ячейки.</li>
<li>Выберите количество дверей.</li>
<li>Выберите вид и тип материала для каждой детали кузова.</li>
<li>Отметьте галочкой нужные дополнительные опции.</li>
</ol>
<p style="font-family:'Liberation Sans'; font-size:16px; margin-top:14px;">
В таблице показываются выбранные материалы в квадратных метрах и в листах. Если ввести цены в свободные
ячейки рядом с каждым материалом, программа покажет полную стоимость материалов на автомобиль и общий
вес. Чтобы рассчитать одну деталь кузова, заполните только ее ячейки, а остальные оставьте пустыми.</p>
<p style="font-family:'Liberation Sans'; font-size:17px; font-weight:bold; margin-top:10px;">
Расчет выполняется автоматически.</p>
<p style="font-family:'Liberation Sans'; font-size:12px; color:#404040; margin-top:22px;">
Цены материалов вводятся в таблицу один раз: программа запоминает их вместе с последними размерами и
выбранными материалами до следующего запуска.</p>
<p style="font-family:'Liberation Sans'; font-size:17px; font-weight:bold; color:#0000c8; margin-top:8px;">
Расчет материалов — шумо-, вибро- и теплоизоляция вашего автомобиля.</p>
)";

} // namespace

THelpForm::THelpForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_page(new QTextDocument(this)) {
    setObjectName(QStringLiteral("HelpForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Помощь"));
    setWindowIcon(shell::HelpBookIcon());
    setFont(shell::UiFont(11));
    setFixedSize(kClientWidth, kClientHeight);
    move(324, 26);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    m_page->setDocumentMargin(16);
    m_page->setDefaultFont(shell::UiFont(15));
    m_page->setHtml(QString::fromUtf8(kInstructions));
    m_page->setTextWidth(kPageWidth);
}

THelpForm::~THelpForm() = default;

void THelpForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    m_page->drawContents(&painter, QRectF(0, 0, kPageWidth, height()));
}

void THelpForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept(); // the window has no key of its own for closing
        return;
    }
    QDialog::keyPressEvent(event);
}

void ShowHelpModeless(QWidget* mainWindow, QPointer<THelpForm>& helpForm) {
    if (helpForm) {
        helpForm->raise();
        helpForm->activateWindow();
        return;
    }
    helpForm = new THelpForm(mainWindow); // owned by the calculation window, frees itself on close
    helpForm->show();
}
