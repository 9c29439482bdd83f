#pragma once

#include <QRect>

namespace torvane {

enum class ControlKind {
  ColorLabel,
  StaticText,     // plain text
  EnterEdit,      // numbered 0 to 25 by editNumber
  MultiLineEdit,  // takes Enter, no scroll bars
  PushButton,
  ImageButton,  // a check box or radio button that shows the image pair imageId
  GroupBox,
  Picture,  // the image imageId
  SpinButton,
  ComboBox,  // drop-down with an edit field; the caption holds the list, one entry a line
};

// The station's dialog font, which the dialog units below assume.
constexpr int kDialogFontPointSize = 8;

// Dialog units: a quarter of the dialog font's average width and an eighth of
// its height, fixed here for the station's 8-point font.
struct DialogRect {
  int x;
  int y;
  int width;
  int height;

  QRect ToPixels() const { return QRect(x * 7 / 5, y * 8 / 5, width * 7 / 5, height * 8 / 5); }
};

struct ControlTemplate {
  int id;
  ControlKind kind;
  const char* caption;  // UTF-8, leading blanks included
  DialogRect rect;
  unsigned style = 0;  // bits of view/control_style.h
  int editNumber = 0;
  int imageId = 0;
};

}  // namespace torvane
