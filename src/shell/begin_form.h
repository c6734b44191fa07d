#pragma once
// Unit Beginf: the start window TBeginForm, the program's main form. Two picture buttons on the
// background picture: справка opens a modal help window, расчет hides the start window for a modal
// calculation window and shows it again when that closes. Closing the start window ends the program
// (it emits Closed).

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

class TPictureButton;

class TBeginForm : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kClientWidth = 797;
    static constexpr int kClientHeight = 597;

    // `backgroundJpeg` is the picture's path (file or resource); an unreadable one leaves the window
    // without it. The first start window becomes BeginForm.
    explicit TBeginForm(QWidget* owner = nullptr, const QString& backgroundJpeg = DefaultBackground());
    ~TBeginForm() override;

    static QString DefaultBackground();
    const QImage& Background() const { return m_background; }

  public slots:
    void BuSprClick();
    void BuCalcClick();

  signals:
    void Closed();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QImage m_background;
    TPictureButton* m_buSpr = nullptr;
    TPictureButton* m_buCalc = nullptr;
};

// The application's main form: the start window, which the message windows centre on.
extern QPointer<TBeginForm> BeginForm;
