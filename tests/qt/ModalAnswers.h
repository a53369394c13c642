#pragma once
// Answers the modal boxes that a handler opens, from inside their own event loop.

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace quenlow::testing {

class ModalAnswers {
 public:
  // Called once for every modal window that comes to the top while this object lives.
  using Answer = std::function<void(QWidget* box)>;

  explicit ModalAnswers(Answer answer) : answer_(std::move(answer)) {
    QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
    poll_.start(5);
  }

  int Answered() const { return answered_; }

 private:
  void Poll() {
    QWidget* box = QApplication::activeModalWidget();
    if (box == nullptr || box == last_.data()) return;
    last_ = box;
    ++answered_;
    answer_(box);
  }

  Answer answer_;
  QTimer poll_;
  QPointer<QWidget> last_;
  int answered_ = 0;
};

}  // namespace quenlow::testing
