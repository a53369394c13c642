#pragma once
// Widgets that show a 640 x 550 picture over their whole area, pixel for pixel: scaled
// without smoothing, so a scaled screen shows every picture pixel as an even block.

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <functional>

namespace quenlow {

class BoardPicture;

// A fixed picture that takes the presses aimed at what lies under it and does nothing.
class PictureView : public QWidget {
  Q_OBJECT

 public:
  explicit PictureView(QWidget* parent = nullptr);

  void SetImage(const QImage& image);
  const QImage& Image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

  QImage image_;
};

// The board picture, shown live from the retained picture the game draws into.
class BoardView : public PictureView {
  Q_OBJECT

 public:
  // A press of any button, in picture pixels.
  using PressHandler = std::function<void(int x, int y)>;

  BoardView(const BoardPicture& picture, QWidget* parent = nullptr);

  void SetPressHandler(PressHandler handler) { onPress_ = std::move(handler); }
  // Asks for a repaint when the picture changed since it was last painted.
  void Refresh();
  // The picture's version that the last paint showed.
  std::uint64_t ShownVersion() const { return shown_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  const BoardPicture& picture_;
  PressHandler onPress_;
  std::uint64_t shown_;
};

}  // namespace quenlow
