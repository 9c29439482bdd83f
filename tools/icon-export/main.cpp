// torvane-icon-export: writes the station's icon, as the station paints it,
// into a hicolor icon theme folder: PNG files of the usual sizes and an SVG.
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <filesystem>
#include <iostream>
#include <string>

#include "res/station_images.h"

namespace {

constexpr int kPngSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr int kSvgSize = 128;

bool WritePng(const std::filesystem::path& themeFolder, int size) {
  const std::filesystem::path folder =
      themeFolder / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
  std::filesystem::create_directories(folder);
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  torvane::StationImages::PaintEmblem(painter, size);
  painter.end();
  return image.save(QString::fromStdString((folder / "torvane.png").string()), "PNG");
}

bool WriteSvg(const std::filesystem::path& themeFolder) {
  const std::filesystem::path folder = themeFolder / "scalable" / "apps";
  std::filesystem::create_directories(folder);
  QSvgGenerator svg;
  svg.setFileName(QString::fromStdString((folder / "torvane.svg").string()));
  svg.setSize(QSize(kSvgSize, kSvgSize));
  svg.setViewBox(QRect(0, 0, kSvgSize, kSvgSize));
  svg.setTitle("Torvane");
  QPainter painter;
  if (!painter.begin(&svg)) return false;
  torvane::StationImages::PaintEmblem(painter, kSvgSize);
  return painter.end();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: torvane-icon-export THEME_FOLDER\n";
    return 2;
  }
  const std::filesystem::path themeFolder = argv[1];
  bool written = WriteSvg(themeFolder);
  for (int size : kPngSizes) written = WritePng(themeFolder, size) && written;
  if (!written)
    std::cerr << "torvane-icon-export: the icon could not be written to " << argv[1] << '\n';
  return written ? 0 : 1;
}
