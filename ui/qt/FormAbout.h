#pragma once
// The about window: icon, name, version, the home page and e-mail links and the rules.
// Made anew for every opening, so the links always start in their unvisited colour.

#include <QDialog>
#include <QPixmap>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace quenlow {

class UrlLabel;

class TFormAbout : public QDialog {
  Q_OBJECT

 public:
  static const QString kHomePage;
  static const QString kMailAddress;

  // The owner is the main window, on which the about window is centred.
  TFormAbout(QWidget* owner, const QPixmap& icon);

  QLabel* Icon = nullptr;
  QLabel* NameLabel = nullptr;
  QLabel* VersionLabel = nullptr;
  QLabel* HomePageCaption = nullptr;
  QLabel* MailCaption = nullptr;
  UrlLabel* HomePageLink = nullptr;
  UrlLabel* MailLink = nullptr;
  QPlainTextEdit* RulesText = nullptr;
  QPushButton* CloseButton = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CloseClick() { accept(); }
};

}  // namespace quenlow
