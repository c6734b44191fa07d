#pragma once
// Unit Mesf: the message window TMesForm in which the program asks its questions — a caption, a centred
// bold text and up to three picture buttons (Продолжить, Повторить, Отмена), each answering with its
// code from common.h. The window centres the buttons it shows, fits its height to the text when shown,
// and frees itself when closed. Callers normally go through MesDialog (common.h).

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QtGlobal>

class QPushButton;
class QTextEdit;
class QWidget;

// One-shot settings for the next message window: which buttons it shows (a set of answer codes) and
// which visible button is its default and takes the focus (0 Продолжить, 1 Отмена, 2 Повторить). The
// window puts both back to their defaults once it has been shown and again when it closes.
extern int MesButtons;
extern quint8 MesDefaultButton;
void ResetMesSettings();

class TMesForm : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kClientWidth = 475;
    static constexpr int kClientHeight = 279;
    static constexpr int kButtonsHeight = 47; // PaButtons
    static constexpr int kMaxTextHeight = 500;

    // Builds the window for `text` under `caption` and points MesForm at it. Reads MesButtons.
    explicit TMesForm(QWidget* owner = nullptr, const QString& text = QString(),
                      const QString& caption = DefaultCaption());
    ~TMesForm() override;

    static QString DefaultCaption();
    // The answer the window gives: MesCancel until a button closes it.
    int MesResult() const { return m_mesResult; }

  public slots:
    // Every way of closing ends here (buttons, the close box, Alt+F4): the window answers MesResult.
    void done(int) override;
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void SetMessage(const QString& text, const QString& caption);
    void PlaceButtons();
    void FitToText();
    void CentreOnMainForm();
    void Answer(int code);

    QTextEdit* m_laMes = nullptr;
    QWidget* m_paButtons = nullptr;
    QPushButton* m_buContinue = nullptr;
    QPushButton* m_buRetry = nullptr;
    QPushButton* m_buCancel = nullptr;
    int m_mesResult;
    bool m_fitted = false;
};

// The message window built last, while it is open (empty once it closes).
extern QPointer<TMesForm> MesForm;
