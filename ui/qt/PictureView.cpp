#include "ui/qt/PictureView.h"

#include <QMouseEvent>
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

BoardView::BoardView(const BoardPicture& picture, QWidget* parent)
    : PictureView(parent), picture_(picture), shown_(picture.Version()) {
  image_ = PictureImage(picture_);
}

void BoardView::Refresh() {
  if (picture_.Version() != shown_) update();
}

void BoardView::paintEvent(QPaintEvent* event) {
  shown_ = picture_.Version();
  PictureView::paintEvent(event);
}

void BoardView::mousePressEvent(QMouseEvent* event) {
  // Every button counts; a double click reaches us as a second press.
  event->accept();
  const QPoint at = event->position().toPoint();
  if (onPress_) onPress_(at.x(), at.y());
}

}  // namespace quenlow
