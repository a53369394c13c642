#include "ui/qt/TimeGauge.h"

#include <QPainter>
#include <algorithm>

namespace quenlow {

namespace {

QColor Inverse(const QColor& color) {
  return QColor(255 - color.red(), 255 - color.green(), 255 - color.blue());
}

}  // namespace

TimeGauge::TimeGauge(QWidget* parent) : QWidget(parent) {}

void TimeGauge::SetValue(int value) {
  value = std::clamp(value, kMin, kMax);
  if (value == value_) return;
  value_ = value;
  update();
}

void TimeGauge::SetBarColor(const QColor& color) {
  if (color == barColor_) return;
  barColor_ = color;
  update();
}

void TimeGauge::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect outer = rect();
  const QColor ground = Qt::white;

  // A single black line round the gauge, the bar and the white ground inside it.
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(outer.adjusted(0, 0, -1, -1));
  const QRect inside = outer.adjusted(1, 1, -1, -1);
  const int barWidth = inside.width() * value_ / kMax;
  const QRect bar(inside.left(), inside.top(), barWidth, inside.height());
  const QRect rest(inside.left() + barWidth, inside.top(), inside.width() - barWidth,
                   inside.height());
  painter.fillRect(bar, barColor_);
  painter.fillRect(rest, ground);

  // The text is drawn twice, each time clipped to one side of the bar's edge, in the inverse
  // of the colour of that side: where it crosses the edge it changes colour with the ground.
  const QString text = QString::number(value_) + QLatin1Char('%');
  painter.setFont(font());
  painter.setClipRect(bar);
  painter.setPen(Inverse(barColor_));
  painter.drawText(inside, Qt::AlignCenter, text);
  painter.setClipRect(rest);
  painter.setPen(Inverse(ground));
  painter.drawText(inside, Qt::AlignCenter, text);
}

}  // namespace quenlow
