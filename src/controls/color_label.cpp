#include "controls/color_label.h"

#include <QPainter>

namespace torvane {

CColorLabel::CColorLabel(const QString& text, unsigned styleBits, QWidget* parent)
    : ColorControl<QWidget>(parent), text_(text), styleBits_(styleBits) {}

void CColorLabel::setText(const QString& text) {
  text_ = text;
  update();
}

void CColorLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  style_.Paint(painter, rect(), text_, styleBits_);
}

}  // namespace torvane
