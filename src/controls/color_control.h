#pragma once

#include <cstdint>

#include <QFont>
#include <QIcon>
#include <QString>
#include <QWidget>

#include "controls/color_style.h"

namespace torvane {

// Gives a widget the colour operations that labels and edit fields share. Every
// operation ends with an immediate repaint when `redraw` is set.
template <class Base>
class ColorControl : public Base {
 public:
  explicit ColorControl(QWidget* parent) : Base(parent), style_(Base::font()) {}

  void SetTextColour(std::uint32_t colour, bool redraw = true) {
    style_.SetTextColour(colour);
    Restyle(redraw);
  }
  void SetBackgroundColour(std::uint32_t colour, bool redraw = true) {
    style_.SetBackgroundColour(colour);
    Restyle(redraw);
  }
  void SetBold(bool on, bool redraw = true) {
    style_.SetBold(on);
    Restyle(redraw);
  }
  // Nothing changes without a description.
  void SetFontDescription(const QFont* description, bool redraw = true) {
    if (description == nullptr) return;
    style_.SetFontDescription(*description);
    Restyle(redraw);
  }
  void SetFontFace(const QString& face, int pointSize, bool redraw = true) {
    style_.SetFontFace(face, pointSize);
    Restyle(redraw);
  }
  // A null icon returns to drawing text.
  void SetIcon(const QIcon& icon, bool redraw = true) {
    style_.SetIcon(icon);
    Restyle(redraw);
  }
  void SetMargins(int horizontal, int vertical, bool redraw = true) {
    style_.SetMargins(horizontal, vertical);
    Restyle(redraw);
  }

  const ColorStyle& colorStyle() const { return style_; }

 protected:
  // Lets a control hand a changed style to what draws it.
  virtual void StyleChanged() {}

  ColorStyle style_;

 private:
  void Restyle(bool redraw) {
    StyleChanged();
    if (redraw) Base::repaint();
  }
};

}  // namespace torvane
