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
  void RefillLabels();

  QLabel* EasyTitle = nullptr;
  QLabel* NormalTitle = nullptr;
  QLabel* HardTitle = nullptr;
  QLabel* EasyScore = nullptr;
  QLabel* NormalScore = nullptr;
  QLabel* HardScore = nullptr;
  QLabel* EasyName = nullptr;
  QLabel* NormalName = nullptr;
  QLabel* HardName = nullptr;
  QPushButton* ResetButton = nullptr;
  QPushButton* CloseButton = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ResetClick();
  void CloseClick() { close(); }

  const Records& records_;
  ResetAction reset_;
  QWidget* mainWindow_;
  bool placed_ = false;
};

}  // namespace quenlow
