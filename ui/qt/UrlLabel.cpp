#include "ui/qt/UrlLabel.h"

#include <QDesktopServices>
#include <QMouseEvent>

#include "ui/qt/Fonts.h"

namespace quenlow {

const QColor UrlLabel::kLinkColor(60, 60, 120);
const QColor UrlLabel::kVisitedColor(130, 95, 70);

UrlLabel::UrlLabel(const QString& text, const QUrl& link, QWidget* parent)
    : QLabel(text, parent),
      link_(link),
      opener_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
  QFont font = VerdanaFont(11);
  font.setUnderline(true);
  setFont(font);
  setTextFormat(Qt::PlainText);
  setCursor(Qt::PointingHandCursor);
  SetTextColor(kLinkColor);
  adjustSize();
}

QColor UrlLabel::TextColor() const {
  return palette().color(QPalette::WindowText);
}

void UrlLabel::SetTextColor(const QColor& color) {
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, color);
  setPalette(colours);
}

void UrlLabel::Open() {
  // A refused link is passed over in silence and keeps the colour.
  if (opener_ && opener_(link_)) {
    visited_ = true;
    SetTextColor(kVisitedColor);
  }
}

void UrlLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
  event->accept();
}

void UrlLabel::mouseReleaseEvent(QMouseEvent* event) {
  // A click is a press and a release over the label, as with a button.
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click) Open();
}

}  // namespace quenlow
