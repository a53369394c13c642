#pragma once
// The look of a checkable menu item: a bare check mark while it is checked and nothing beside
// its caption otherwise, where the desktop style would draw an empty check box.

#include <QProxyStyle>

namespace quenlow {

class MenuCheckStyle : public QProxyStyle {
  Q_OBJECT

 public:
  // Lives as long as the menu it is set on, and draws on that menu only.
  explicit MenuCheckStyle(QWidget* menu);

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

}  // namespace quenlow
