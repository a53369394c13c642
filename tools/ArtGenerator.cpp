// Draws every picture of the game and writes it into the art folder:
//
//   quenlow_artgen [--font FILE] [--sheet FILE.png] ART_DIR
//
// The pictures are committed; the build only embeds them and never runs this program, so a
// build does not depend on the fonts of the machine. Drawn again on the same machine, every
// file comes out byte for byte the same.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QStringList>

#include <cstdio>
#include <vector>

#include "art/Palette.h"
#include "tools/ContactSheet.h"
#include "tools/IconDrawing.h"
#include "tools/IndexedPicture.h"
#include "tools/LetterDrawing.h"

namespace {

using quenlow::artgen::IndexedPicture;

const char kDefaultFont[] = "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";
constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

int Fail(const QString& message) {
  std::fprintf(stderr, "quenlow_artgen: %s\n", qPrintable(message));
  return 1;
}

bool WriteBmp(const QString& path, const IndexedPicture& picture) {
  return quenlow::artgen::WriteFile(path.toStdString(), quenlow::artgen::EncodeBmp4(picture));
}

}  // namespace

int main(int argc, char** argv) {
  // Only fonts and images are needed, never a screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  QString fontFile = QString::fromLatin1(kDefaultFont);
  QString sheetFile;
  QString artDir;
  const QStringList args = app.arguments();
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--font") && i + 1 < args.size()) {
      fontFile = args[++i];
    } else if (args[i] == QLatin1String("--sheet") && i + 1 < args.size()) {
      sheetFile = args[++i];
    } else if (!args[i].startsWith(QLatin1String("--")) && artDir.isEmpty()) {
      artDir = args[i];
    } else {
      return Fail(QStringLiteral("usage: quenlow_artgen [--font FILE] [--sheet FILE.png] ART_DIR"));
    }
  }
  if (artDir.isEmpty()) {
    return Fail(QStringLiteral("usage: quenlow_artgen [--font FILE] [--sheet FILE.png] ART_DIR"));
  }

  quenlow::artgen::LetterDrawing letters;
  if (!letters.Open(fontFile)) return Fail(QStringLiteral("cannot read the font %1").arg(fontFile));

  const QDir dir(artDir);
  if (!dir.mkpath(QStringLiteral("pictures")) || !dir.mkpath(QStringLiteral("icons"))) {
    return Fail(QStringLiteral("cannot create the folders in %1").arg(artDir));
  }
  const auto picturePath = [&](const QString& name) {
    return dir.filePath(QStringLiteral("pictures/") + name);
  };

  // Kind order: the blank cell, then a to z.
  std::vector<IndexedPicture> tiles;
  tiles.emplace_back(quenlow::art::kTileWidth, quenlow::art::kTileHeight, quenlow::art::kBlack);
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    QString error;
    tiles.push_back(letters.Tile(letter, error));
    if (!error.isEmpty()) return Fail(error);
  }
  QString error;
  const IndexedPicture pause = letters.Pause(error);
  if (!error.isEmpty()) return Fail(error);
  const IndexedPicture start(quenlow::art::kBoardWidth, quenlow::art::kBoardHeight,
                             quenlow::art::kBlack);

  bool written = WriteBmp(picturePath(QStringLiteral("Imageblack.bmp")), tiles[0]);
  for (int kind = 1; kind <= 26; ++kind) {
    written &= WriteBmp(picturePath(QStringLiteral("Image%1.bmp").arg(kind)), tiles[kind]);
  }
  written &= WriteBmp(picturePath(QStringLiteral("Image.bmp")), start);
  written &= WriteBmp(picturePath(QStringLiteral("Imagepause.bmp")), pause);

  const quenlow::artgen::IconPicture icon = quenlow::artgen::DrawIcon();
  written &= quenlow::artgen::WriteFile(picturePath(QStringLiteral("MAINICON.ico")).toStdString(),
                                        quenlow::artgen::EncodeIco4(icon.colours, icon.opaque));
  const QImage iconImage = quenlow::artgen::IconImage(icon);
  std::vector<QImage> icons;
  for (int size : kIconSizes) {
    icons.push_back(quenlow::artgen::ScaledIcon(iconImage, size));
    written &=
        icons.back().save(dir.filePath(QStringLiteral("icons/quenlow-%1.png").arg(size)), "png");
  }
  if (!written) return Fail(QStringLiteral("cannot write the pictures into %1").arg(artDir));

  if (!sheetFile.isEmpty()) {
    const QImage sheet = quenlow::artgen::ContactSheet(tiles, pause, icons);
    if (!sheet.save(sheetFile, "png"))
      return Fail(QStringLiteral("cannot write %1").arg(sheetFile));
  }
  return 0;
}
