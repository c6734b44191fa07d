#include "shell/mes_form.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include "shell/artwork.h"
#include "shell/begin_form.h"
#include "shell/common.h"
#include "shell/ui_font.h"

int MesButtons = MesContinue;
quint8 MesDefaultButton = 0;
QPointer<TMesForm> MesForm;

void ResetMesSettings() {
    MesButtons = MesContinue;
    MesDefaultButton = 0;
}

namespace {

constexpr int kTextHeightBeforeFit = 145;

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, const QIcon& icon,
                        const QRect& place) {
    auto* button = new QPushButton(icon, caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(shell::UiFont(11, true));
    button->setIconSize(QSize(16, 16));
    // Enter is handled by the window, which presses the focused button as the desktop's dialogs do.
    button->setAutoDefault(false);
    button->setGeometry(place);
    return button;
}

} // namespace

QString TMesForm::DefaultCaption() {
    return QStringLiteral("Сообщение");
}

TMesForm::TMesForm(QWidget* owner, const QString& text, const QString& caption)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::WindowStaysOnTopHint),
      m_mesResult(MesCancel) {
    setObjectName(QStringLiteral("MesForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(shell::UiFont(11));
    setFixedSize(kClientWidth, kClientHeight);

    m_laMes = new QTextEdit(this);
    m_laMes->setObjectName(QStringLiteral("LaMes"));
    m_laMes->setFrameShape(QFrame::NoFrame);
    m_laMes->setReadOnly(true);
    m_laMes->setFocusPolicy(Qt::ClickFocus);
    m_laMes->setFont(shell::UiFont(13, true));
    m_laMes->setLineWrapMode(QTextEdit::WidgetWidth);
    m_laMes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_laMes->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette textPalette = m_laMes->palette();
    textPalette.setColor(QPalette::Base, textPalette.color(QPalette::Button));
    textPalette.setColor(QPalette::Text, QColor(0, 0, 128));
    m_laMes->setPalette(textPalette);
    m_laMes->setGeometry(0, 0, kClientWidth, kTextHeightBeforeFit);

    m_paButtons = new QWidget(this);
    m_paButtons->setObjectName(QStringLiteral("PaButtons"));
    m_paButtons->setGeometry(0, kClientHeight - kButtonsHeight, kClientWidth, kButtonsHeight);
    m_buContinue = MakeButton(m_paButtons, "BuContinue", QStringLiteral("Продолжить"),
                              shell::ContinueButtonIcon(), QRect(24, 13, 129, 25));
    m_buRetry = MakeButton(m_paButtons, "BuRetry", QStringLiteral("Повторить"), shell::RetryButtonIcon(),
                           QRect(176, 14, 129, 24));
    m_buCancel = MakeButton(m_paButtons, "BuCancel", QStringLiteral("Отмена"), shell::CancelButtonIcon(),
                            QRect(336, 13, 129, 25));
    connect(m_buContinue, &QPushButton::clicked, this, [this] { Answer(MesContinue); });
    connect(m_buRetry, &QPushButton::clicked, this, [this] { Answer(MesRetry); });
    connect(m_buCancel, &QPushButton::clicked, this, [this] { Answer(MesCancel); });
    setTabOrder(m_buContinue, m_buRetry);
    setTabOrder(m_buRetry, m_buCancel);

    MesForm = this;
    SetMessage(text, caption);
}

TMesForm::~TMesForm() = default;

void TMesForm::SetMessage(const QString& text, const QString& caption) {
    setWindowTitle(caption);
    m_buContinue->setVisible((MesButtons & MesContinue) != 0);
    m_buCancel->setVisible((MesButtons & MesCancel) != 0);
    m_buRetry->setVisible((MesButtons & MesRetry) != 0);
    PlaceButtons();

    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QTextOption option = m_laMes->document()->defaultTextOption();
    option.setAlignment(Qt::AlignHCenter);
    m_laMes->document()->setDefaultTextOption(option);
    m_laMes->setPlainText(lines);
    QTextCursor all(m_laMes->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
}

void TMesForm::PlaceButtons() {
    QPushButton* const order[] = {m_buContinue, m_buRetry, m_buCancel};
    int shown = 0;
    for (QPushButton* button : order)
        shown += button->isVisibleTo(this) ? 1 : 0;
    if (shown == 0)
        return;

    const int w = m_buContinue->width();
    const int gap = w / 4;
    const int total = shown * w + (shown - 1) * gap;
    // The frame belongs to the window manager and is only known once the window has been shown; while
    // the window is built its outer width is the width Qt knows.
    const int frameExtra = frameGeometry().width() - width();
    int outer = width() + frameExtra;
    if (outer < total + 2 * gap) {
        outer = total + 2 * gap;
        setFixedWidth(outer - frameExtra);
        m_laMes->resize(width(), m_laMes->height());
        m_paButtons->resize(width(), kButtonsHeight);
    }
    int left = outer / 2 - total / 2;
    for (QPushButton* button : order) {
        if (!button->isVisibleTo(this))
            continue;
        button->move(left, button->y());
        left += w + gap;
    }
}

void TMesForm::showEvent(QShowEvent* event) {
    FitToText();
    QDialog::showEvent(event);
}

void TMesForm::FitToText() {
    struct Candidate {
        QPushButton* button;
        int number;
    };
    bool focused = false;
    for (const Candidate& c :
         {Candidate{m_buContinue, 0}, Candidate{m_buRetry, 2}, Candidate{m_buCancel, 1}}) {
        const bool isDefault = c.button->isVisibleTo(this) && MesDefaultButton == c.number;
        c.button->setDefault(isDefault);
        if (isDefault) {
            c.button->setFocus();
            focused = true;
        }
    }
    if (!focused)
        m_laMes->setFocus(); // no button is default, and none has the focus

    const int lineHeight = QFontMetrics(m_laMes->font()).height(); // the height of "W": one line

    // Count the wrapped lines on a copy laid out at the box's width; an empty last line does not count.
    QTextDocument copy;
    copy.setDefaultFont(m_laMes->font());
    copy.setDocumentMargin(m_laMes->document()->documentMargin());
    copy.setDefaultTextOption(m_laMes->document()->defaultTextOption());
    copy.setPlainText(m_laMes->toPlainText());
    copy.setTextWidth(m_laMes->width() - 2 * m_laMes->frameWidth());
    copy.size(); // lays the whole text out
    int lines = 0;
    for (QTextBlock block = copy.begin(); block.isValid(); block = block.next()) {
        if (!block.next().isValid() && block.text().isEmpty())
            break;
        lines += block.layout() ? block.layout()->lineCount() : 1;
    }

    int textHeight = (lines + 1) * lineHeight;
    if (textHeight > kMaxTextHeight) {
        textHeight = kMaxTextHeight;
        m_laMes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
    m_laMes->setGeometry(0, 0, width(), textHeight + 2 * m_laMes->frameWidth());
    m_paButtons->setGeometry(0, m_laMes->height(), width(), kButtonsHeight);
    setFixedSize(width(), m_laMes->height() + kButtonsHeight);
    CentreOnMainForm();

    ResetMesSettings();
}

void TMesForm::CentreOnMainForm() {
    QRect around;
    if (BeginForm)
        around = BeginForm->geometry(); // its place counts even while it is hidden
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        around = screen->availableGeometry();
    else
        return;
    QRect place(QPoint(0, 0), size());
    place.moveCenter(around.center());
    move(place.topLeft() - (geometry().topLeft() - frameGeometry().topLeft()));
}

void TMesForm::keyPressEvent(QKeyEvent* event) {
    const bool plain = event->modifiers() == Qt::NoModifier ||
                       (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept(); // there is no cancel button: Esc does nothing
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && plain) {
        auto* target = qobject_cast<QPushButton*>(focusWidget());
        if (!target || !target->isVisible()) {
            target = nullptr;
            for (QPushButton* button : {m_buContinue, m_buRetry, m_buCancel})
                if (button->isDefault() && button->isVisible())
                    target = button;
        }
        if (target && target->isEnabled())
            target->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TMesForm::Answer(int code) {
    m_mesResult = code;
    done(code);
}

void TMesForm::reject() {
    done(m_mesResult);
}

void TMesForm::done(int) {
    ResetMesSettings();
    if (MesForm == this)
        MesForm = nullptr;
    QDialog::done(m_mesResult);
}
