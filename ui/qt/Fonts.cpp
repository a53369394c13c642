#include "ui/qt/Fonts.h"

#include <QStringList>

namespace quenlow {

namespace {

QFont MakeFont(const QStringList& families, int pixelSize) {
  QFont font;
  font.setFamilies(families);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize);
  return font;
}

}  // namespace

QFont ArialFont(int pixelSize, bool bold, bool italic) {
  QFont font = MakeFont({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                         QStringLiteral("WenQuanYi Micro Hei")},
                        pixelSize);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

QFont VerdanaFont(int pixelSize) {
  return MakeFont({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"),
                   QStringLiteral("Liberation Sans"), QStringLiteral("WenQuanYi Micro Hei")},
                  pixelSize);
}

}  // namespace quenlow
