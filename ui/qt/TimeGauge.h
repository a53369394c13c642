#pragma once
// The time bar: a horizontal bar from 0 to 100 on a white ground inside a single border,
// with the percentage in its middle drawn in the inverse of whatever lies beneath it.

#include <QColor>
#include <QWidget>

namespace quenlow {

class TimeGauge : public QWidget {
  Q_OBJECT

 public:
  explicit TimeGauge(QWidget* parent = nullptr);

  static constexpr int kMin = 0;
  static constexpr int kMax = 100;

  int Value() const { return value_; }
  // Values outside 0..100 are held at the nearer end.
  void SetValue(int value);
  QColor BarColor() const { return barColor_; }
  void SetBarColor(const QColor& color);

  QSize sizeHint() const override { return {209, 25}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int value_ = kMax;
  QColor barColor_ = QColor(0, 128, 0);
};

}  // namespace quenlow
