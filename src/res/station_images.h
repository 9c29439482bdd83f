#pragma once

#include <QIcon>
#include <QPixmap>

namespace torvane {

// The station's bitmaps and its icon, drawn in code by resource id.
class StationImages {
 public:
  // A null pixmap for an id the station does not have.
  static QPixmap Bitmap(int id);
  static QIcon WindowIcon();

 private:
  static QPixmap CheckBox(bool set, bool pageStyle);
  static QPixmap Radio(bool selected);
  static QPixmap Emblem(int size);
  static QPixmap Wordmark();
  static QPixmap ReaderPicture();
  static QPixmap AboutPicture();
};

}  // namespace torvane
