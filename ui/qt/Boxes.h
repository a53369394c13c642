#pragma once
// The game's modal boxes: the plain message, the yes/no question, the name entry and the
// error box. Each is built by a Make… function (so that its look can be checked without
// running it) and run by the matching function below. All of them open centred on the screen,
// and timer ticks go on while they wait for the player.

#include <QDialog>
#include <QMessageBox>
#include <memory>

class QLineEdit;
class QPushButton;

namespace quenlow {

// Longest name the name entry takes.
constexpr int kMaxNameLength = 255;

// Keeps a window centred on its screen whenever it is shown.
void CentreOnScreen(QWidget* window);

// Empty title, no icon, one "OK" that Enter and Escape press too.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& text);
// "Information", the information icon, "&Yes" (default) and "&No" (Escape, close box).
std::unique_ptr<QMessageBox> MakeQuestionBox(QWidget* parent, const QString& text);
// Empty title, the stop icon, one "OK".
std::unique_ptr<QMessageBox> MakeErrorBox(QWidget* parent, const QString& text);

class NameEntryBox : public QDialog {
  Q_OBJECT

 public:
  NameEntryBox(QWidget* parent, const QString& title, const QString& prompt);

  QLineEdit* Field() const { return field_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

 private:
  QLineEdit* field_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

void RunMessageBox(QWidget* parent, const QString& text);
// True when the player answered Yes.
bool RunQuestionBox(QWidget* parent, const QString& text);
// The name typed when the box was confirmed, an empty text when it was cancelled or closed.
QString RunNameEntryBox(QWidget* parent, const QString& title, const QString& prompt);
void RunErrorBox(QWidget* parent, const QString& text);

}  // namespace quenlow
