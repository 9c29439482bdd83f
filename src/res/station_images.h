#pragma once

#include <QIcon>
#include <QPixmap>

class QPainter;

namespace torvane {

// The station's bitmaps and its icon, drawn in code by resource id.
class StationImages {
 public:
  // A null pixmap for an id the station does not have.
  static QPixmap Bitmap(int id);
  static QIcon WindowIcon();
  // The icon's painting on any device, a size by size square at the origin:
  // the same for the window, the about box and the installed icon files.
  static void PaintEmblem(QPainter& painter, double size);

 private:
  static QPixmap CheckBox(bool set, bool pageStyle);
  static QPixmap Radio(bool selected);
  static QPixmap Emblem(int size);
  static QPixmap Wordmark();
  static QPixmap ReaderPicture();
  static QPixmap AboutPicture();
};

}  // namespace torvane
