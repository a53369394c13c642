#pragma once
// A label that opens its link with the system's handler when clicked, and changes to the
// visited colour once the system has taken the link.

#include <QLabel>
#include <QUrl>
#include <functional>

namespace quenlow {

class UrlLabel : public QLabel {
  Q_OBJECT

 public:
  // Asks the system to open a link; true when it accepted.
  using Opener = std::function<bool(const QUrl&)>;

  static const QColor kLinkColor;
  static const QColor kVisitedColor;

  UrlLabel(const QString& text, const QUrl& link, QWidget* parent = nullptr);

  const QUrl& Link() const { return link_; }
  bool Visited() const { return visited_; }
  QColor TextColor() const;
  // Tests put a fake in place of the system's handler.
  void SetOpener(Opener opener) { opener_ = std::move(opener); }
  // What a click does.
  void Open();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void SetTextColor(const QColor& color);

  QUrl link_;
  Opener opener_;
  bool visited_ = false;
  bool pressed_ = false;
};

}  // namespace quenlow
