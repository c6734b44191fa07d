#pragma once
// Answering modal windows in GUI tests. A window shown with exec() blocks the test until it closes;
// a ModalAnswer, made before the action that opens the window, waits for the window inside that modal
// loop, hands it to the test (to look at it and close it), and reports whether one ever came.

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace testsupport {

class ModalAnswer {
  public:
    explicit ModalAnswer(std::function<void(QWidget*)> answer, int timeoutMs = 10000)
        : m_answer(std::move(answer)), m_deadline(timeoutMs), m_timer(std::make_unique<QTimer>()) {
        m_timer->setInterval(5);
        QObject::connect(m_timer.get(), &QTimer::timeout, [this] { Poll(); });
        m_timer->start();
    }
    ~ModalAnswer() = default;
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

    // True once a modal window came and was handed to the answer.
    bool Answered() const { return m_answered; }

  private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            m_timer->stop();
            m_answered = true;
            m_answer(modal);
        } else if (m_deadline.hasExpired()) {
            m_timer->stop();
        }
    }

    std::function<void(QWidget*)> m_answer;
    QDeadlineTimer m_deadline;
    std::unique_ptr<QTimer> m_timer;
    bool m_answered = false;
};

} // namespace testsupport
