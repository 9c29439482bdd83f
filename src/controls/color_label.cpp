#include "controls/color_label.h"

#include <QPainter>

namespace torvane {

ColorLabel::ColorLabel(const QString& text, unsigned styleBits, QWidget* parent)
    : ColorControl<QWidget>(parent), text_(text), styleBits_(styleBits) {}

void ColorLabel::setText(const QString& text) {
  text_ = text;
  update();
}

void ColorLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  style_.Paint(painter, rect(), text_, styleBits_);
}

}  // namespace torvane
