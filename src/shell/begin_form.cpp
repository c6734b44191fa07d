#include "shell/begin_form.h"

#include <QCloseEvent>
#include <QPainter>
#include <QScopeGuard>

#include "shell/artwork.h"
#include "shell/common.h"
#include "shell/help_form.h"
#include "shell/jpeg_picture.h"
#include "shell/main_form.h"
#include "shell/picture_button.h"
#include "shell/ui_font.h"

QPointer<TBeginForm> BeginForm;

QString TBeginForm::DefaultBackground() {
    return shell::ArtworkPath(shell::kBackgroundJpeg);
}

TBeginForm::TBeginForm(QWidget* owner, const QString& backgroundJpeg)
    : QWidget(owner, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_background(shell::LoadJpegFile(backgroundJpeg)) {
    setObjectName(QStringLiteral("BeginForm"));
    setWindowTitle(QString());
    setWindowIcon(shell::CalculatorIcon());
    setFont(shell::UiFont(11));
    setFixedSize(kClientWidth, kClientHeight);
    move(307, 105);

    m_buSpr = new TPictureButton(shell::ArtworkPixmap(shell::kHelpPlate), this);
    m_buSpr->setObjectName(QStringLiteral("BuSpr"));
    m_buSpr->setAccessibleName(QStringLiteral("справка"));
    m_buSpr->setGeometry(320, 232, 161, 49);
    m_buCalc = new TPictureButton(shell::ArtworkPixmap(shell::kCalcPlate), this);
    m_buCalc->setObjectName(QStringLiteral("BuCalc"));
    m_buCalc->setAccessibleName(QStringLiteral("расчет"));
    m_buCalc->setGeometry(320, 312, 161, 49);
    setTabOrder(m_buSpr, m_buCalc);
    m_buSpr->setFocus();

    connect(m_buSpr, &QAbstractButton::clicked, this, &TBeginForm::BuSprClick);
    connect(m_buCalc, &QAbstractButton::clicked, this, &TBeginForm::BuCalcClick);

    if (!BeginForm)
        BeginForm = this;
}

TBeginForm::~TBeginForm() = default;

void TBeginForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_background.isNull()) {
        painter.fillRect(rect(), palette().color(QPalette::Button));
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_background);
}

void TBeginForm::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit Closed();
}

void TBeginForm::BuSprClick() {
    RunGuarded([this] {
        auto* help = new THelpForm(this); // frees itself when closed
        help->exec();
    });
}

void TBeginForm::BuCalcClick() {
    RunGuarded([this] {
        hide();
        // The start window comes back however the calculation window ends, even if it failed to open.
        const auto showAgain = qScopeGuard([this] { show(); });
        auto* form = new TMainForm(this); // frees itself when closed
        form->exec();
    });
}
