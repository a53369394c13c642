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

void PictureView::SetUpPainter(QPainter& painter) const {
  painter.setRenderHint(QPainter::SmoothPixmapTransform,
                        !qFuzzyCompare(devicePixelRatioF(), image_.devicePixelRatio()));
}

void PictureView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  SetUpPainter(painter);
  painter.drawImage(QRectF(rect()), image_);
}

void PictureView::mousePressEvent(QMouseEvent* event) {
  event->accept();
}

BoardView::BoardView(BoardPicture& picture, QWidget* parent)
    : PictureView(parent), picture_(picture), shown_(picture.Version()) {
  MakeCopy();
}

void BoardView::MakeCopy() {
  image_ = QImage(picture_.Width(), picture_.Height(), QImage::Format_RGB32);
  image_.setDevicePixelRatio(picture_.Scale());
  // Whatever the picture recorded before is in the full conversion.
  picture_.TakeDirty();
  ConvertRect(picture_, {0, 0, picture_.Width(), picture_.Height()}, image_);
}

void BoardView::Rebuild() {
  MakeCopy();
  shown_ = picture_.Version();
  update();
}

QRect BoardView::Convert() {
  const PixelRect dirty = picture_.TakeDirty();
  if (dirty.Empty()) return {};
  ConvertRect(picture_, dirty, image_);
  // In the widget's coordinates, which are the game's: the pixels of the picture divided by
  // its scale, rounded outwards.
  const int s = picture_.Scale();
  const int left = dirty.Left / s, top = dirty.Top / s;
  return QRect(QPoint(left, top),
               QPoint((dirty.Right + s - 1) / s - 1, (dirty.Bottom + s - 1) / s - 1));
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
  SetUpPainter(painter);
  // Widget coordinates are the game's; the copy holds the scale's pixels for each of them.
  const int s = picture_.Scale();
  painter.drawImage(QRectF(area), image_,
                    QRectF(area.x() * s, area.y() * s, area.width() * s, area.height() * s));
}

void BoardView::mousePressEvent(QMouseEvent* event) {
  // Every button counts; a double click reaches us as a second press.
  event->accept();
  const QPoint at = event->position().toPoint();
  if (onPress_) onPress_(at.x(), at.y());
}

}  // namespace quenlow
