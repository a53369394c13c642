#include "ui/qt/MenuCheckStyle.h"

#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>

namespace quenlow {

MenuCheckStyle::MenuCheckStyle(QWidget* menu) : QProxyStyle() {
  setParent(menu);
  menu->setStyle(this);
}

void MenuCheckStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
  if (element != PE_IndicatorCheckBox || qobject_cast<const QMenu*>(widget) == nullptr) {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  if (!(option->state & State_On)) return;
  // A tick in the caption's colour, in the middle of the box the style set aside.
  const QRectF box = QRectF(option->rect).adjusted(2, 2, -2, -2);
  QPainterPath tick;
  tick.moveTo(box.left(), box.center().y());
  tick.lineTo(box.left() + box.width() * 0.4, box.bottom());
  tick.lineTo(box.right(), box.top());
  const bool selected = option->state & State_Selected;
  QPen pen(option->palette.color(selected ? QPalette::HighlightedText : QPalette::WindowText), 2.0);
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing);
  painter->setPen(pen);
  painter->setBrush(Qt::NoBrush);
  painter->drawPath(tick);
  painter->restore();
}

}  // namespace quenlow
