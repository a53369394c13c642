#include "ui/qt/Boxes.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt/WindowPlacement.h"

namespace quenlow {

namespace {

std::unique_ptr<QMessageBox> MakeBox(QWidget* parent, const QString& title, QMessageBox::Icon icon,
                                     const QString& text) {
  auto box = std::make_unique<QMessageBox>(parent);
  box->setWindowTitle(title);
  box->setIcon(icon);
  box->setText(text);
  box->setTextFormat(Qt::PlainText);
  CentreOnScreen(box.get());
  return box;
}

// A box without an icon keeps no room for one: Qt indents the text as if an icon stood there.
// The text gets even margins, and the one button stands in the middle under it.
void LayOutWithoutIcon(QMessageBox& box) {
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    for (int i = grid->count() - 1; i >= 0; --i) {
      QLayoutItem* item = grid->itemAt(i);
      if (item->spacerItem() != nullptr) delete grid->takeAt(i);
    }
    // The emptied icon column takes no share of the width; the text's column takes it all.
    for (int column = 0; column < grid->columnCount(); ++column) {
      bool holdsText = false;
      for (int row = 0; row < grid->rowCount(); ++row) {
        QLayoutItem* item = grid->itemAtPosition(row, column);
        holdsText = holdsText || (item != nullptr && qobject_cast<QLabel*>(item->widget()));
      }
      grid->setColumnStretch(column, holdsText ? 1 : 0);
    }
  }
  if (auto* buttons = box.findChild<QDialogButtonBox*>()) buttons->setCenterButtons(true);
}

std::unique_ptr<QMessageBox> MakeOkBox(QWidget* parent, QMessageBox::Icon icon,
                                       const QString& text) {
  // The plain boxes carry the application's title, which the game leaves empty.
  auto box = MakeBox(parent, QGuiApplication::applicationDisplayName(), icon, text);
  QPushButton* ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  box->setDefaultButton(ok);
  box->setEscapeButton(ok);
  KeepEmptyTitle(box.get());
  if (icon == QMessageBox::NoIcon) LayOutWithoutIcon(*box);
  return box;
}

}  // namespace

void CentreOnScreen(QWidget* window) {
  KeepCentredOnScreen(window);
}

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& text) {
  return MakeOkBox(parent, QMessageBox::NoIcon, text);
}

std::unique_ptr<QMessageBox> MakeErrorBox(QWidget* parent, const QString& text) {
  auto box = MakeOkBox(parent, QMessageBox::Critical, text);
  box->setWindowTitle(QString());
  return box;
}

std::unique_ptr<QMessageBox> MakeQuestionBox(QWidget* parent, const QString& text) {
  auto box = MakeBox(parent, QStringLiteral("Information"), QMessageBox::Information, text);
  QPushButton* yes = box->addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
  QPushButton* no = box->addButton(QStringLiteral("&No"), QMessageBox::NoRole);
  box->setDefaultButton(yes);
  box->setEscapeButton(no);
  return box;
}

NameEntryBox::NameEntryBox(QWidget* parent, const QString& title, const QString& prompt)
    : QDialog(parent) {
  setWindowTitle(title);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  auto* label = new QLabel(prompt, this);
  label->setObjectName(QStringLiteral("Prompt"));
  field_ = new QLineEdit(this);
  field_->setObjectName(QStringLiteral("Name"));
  field_->setMaxLength(kMaxNameLength);
  field_->setMinimumWidth(280);
  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  cancel_ = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  ok_->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(field_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  field_->setFocus();
  CentreOnScreen(this);
}

void RunMessageBox(QWidget* parent, const QString& text) {
  MakeMessageBox(parent, text)->exec();
}

bool RunQuestionBox(QWidget* parent, const QString& text) {
  auto box = MakeQuestionBox(parent, text);
  box->exec();
  return box->clickedButton() == box->defaultButton();
}

QString RunNameEntryBox(QWidget* parent, const QString& title, const QString& prompt) {
  NameEntryBox box(parent, title, prompt);
  if (box.exec() != QDialog::Accepted) return QString();
  return box.Field()->text();
}

void RunErrorBox(QWidget* parent, const QString& text) {
  MakeErrorBox(parent, text)->exec();
}

}  // namespace quenlow
