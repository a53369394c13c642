#include "ui/qt/PictureView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "ui/BoardPicture.h"
#include "ui/qt/PictureImage.h"

namespace quenlow {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::SetImage(const QImage& image) {
  image_ = image;
  update();
}

void PictureView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(rect(), image_);
}

void PictureView::mousePressEvent(QMouseEvent* event) {
  event->accept();
}

BoardView::BoardView(BoardPicture& picture, QWidget* parent)
    : PictureView(parent), picture_(picture), shown_(picture.Version()) {
  image_ = QImage(BoardPicture::kWidth, BoardPicture::kHeight, QImage::Format_RGB32);
  // Whatever the picture recorded before the view existed is in the full conversion.
  picture_.TakeDirty();
  ConvertRect(picture_, {0, 0, BoardPicture::kWidth, BoardPicture::kHeight}, image_);
}

QRect BoardView::Convert() {
  const PixelRect dirty = picture_.TakeDirty();
  if (dirty.Empty()) return {};
  ConvertRect(picture_, dirty, image_);
  return QRect(dirty.Left, dirty.Top, dirty.Right - dirty.Left, dirty.Bottom - dirty.Top);
}

void BoardView::Refresh() {
  const QRect changed = Convert();
  if (!changed.isEmpty()) update(changed);
}

void BoardView::RepaintNow() {
  const QRect changed = Convert();
  if (!changed.isEmpty()) repaint(changed);
}

void BoardView::paintEvent(QPaintEvent* event) {
  // A paint asked for by anyone else (an expose, a plain repaint()) shows the latest picture
  // too; a change outside the area painted now gets a paint of its own.
  const QRect changed = Convert();
  const QRect area = event->rect();
  if (!changed.isEmpty() && !area.contains(changed))
    update(changed);
  else
    shown_ = picture_.Version();
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  // Widget coordinates are picture pixels.
  painter.drawImage(area, image_, area);
}

void BoardView::mousePressEvent(QMouseEvent* event) {
  // Every button counts; a double click reaches us as a second press.
  event->accept();
  const QPoint at = event->position().toPoint();
  if (onPress_) onPress_(at.x(), at.y());
}

}  // namespace quenlow
