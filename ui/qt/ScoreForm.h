#pragma once
// The leaderboard: the record score and holder of each difficulty, and the button that wipes
// all three. A secondary window that never blocks the game; closing it only hides it.

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

namespace quenlow {

class Records;

class TScoreForm : public QWidget {
  Q_OBJECT

 public:
  // Wipes the records; true when they were wiped (a refused write leaves them as they were).
  using ResetAction = std::function<bool()>;

  TScoreForm(const Records& records, ResetAction reset, QWidget* mainWindow);

  // Refills the labels from the records in memory and brings the window to the front;
  // the first showing centres it on the main window.
  void Show();
  // Sets the six record labels from the records in memory.
  void FormCreate();

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* Label8 = nullptr;
  QLabel* Label9 = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Button1Click();
  void Button2Click() { close(); }

  const Records& records_;
  ResetAction reset_;
  QWidget* mainWindow_;
  bool placed_ = false;
};

}  // namespace quenlow
