#pragma once
// Widgets that show a 640 x 550 picture over their whole area. The picture may be drawn at a
// whole scale (1280 x 1100 for a screen at 200 %): where the screen's pixel ratio is that
// scale it is shown pixel for pixel, and where the ratio lies between two whole numbers (150 %)
// the picture of the next whole scale is reduced smoothly, so that it stays sharp at any size.

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

  // An image of 640 x 550 times its device pixel ratio.
  void SetImage(const QImage& image);
  const QImage& Image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  // Smooth reduction only where the screen's ratio is not the image's own.
  void SetUpPainter(QPainter& painter) const;

  QImage image_;
};

// The board picture, shown live from the retained picture the game draws into. It keeps a
// 32-bit copy of the picture (Image()) and converts only the part the picture reports as
// changed, so a pick repaints one cell and a paint copies pixels without any format conversion.
class BoardView : public PictureView {
  Q_OBJECT

 public:
  // A press of any button, in picture pixels.
  using PressHandler = std::function<void(int x, int y)>;

  // The view takes the picture's record of changed pixels (BoardPicture::TakeDirty): nothing
  // else may take it while the view shows the picture.
  BoardView(BoardPicture& picture, QWidget* parent = nullptr);

  void SetPressHandler(PressHandler handler) { onPress_ = std::move(handler); }
  // Shows the picture afresh after it was made anew at another scale.
  void Rebuild();
  // Asks for a repaint of what changed in the picture since it was last shown.
  void Refresh();
  // Repaints what changed at once, before returning.
  void RepaintNow();
  // The picture's version that the last paint showed.
  std::uint64_t ShownVersion() const { return shown_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  // Brings the 32-bit copy up to date with the picture; gives the widget area that changed.
  QRect Convert();
  // The copy, of the picture's size, shown at its scale; nothing converted yet.
  void MakeCopy();

  BoardPicture& picture_;
  PressHandler onPress_;
  std::uint64_t shown_;
};

}  // namespace quenlow
