#include "controls/color_style.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QRect>
#include <QScreen>

#include "view/control_style.h"

namespace torvane {

namespace {

constexpr int kSystemIconSize = 32;

int DisplayDpiY() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? qRound(screen->logicalDotsPerInchY()) : 96;
}

}  // namespace

QColor ColourFromRef(std::uint32_t colourRef) {
  return QColor(colourRef & 0xFF, (colourRef >> 8) & 0xFF, (colourRef >> 16) & 0xFF);
}

std::uint32_t RefFromColour(const QColor& colour) {
  return static_cast<std::uint32_t>(colour.red()) |
         (static_cast<std::uint32_t>(colour.green()) << 8) |
         (static_cast<std::uint32_t>(colour.blue()) << 16);
}

ColorStyle::ColorStyle(const QFont& controlFont)
    : textColour_(RefFromColour(QApplication::palette().color(QPalette::ButtonText))),
      backgroundColour_(RefFromColour(QApplication::palette().color(QPalette::Button))),
      backgroundBrush_(ColourFromRef(backgroundColour_)),
      font_(controlFont) {
  font_.setWeight(QFont::Normal);
}

void ColorStyle::SetBackgroundColour(std::uint32_t colour) {
  backgroundColour_ = colour;
  backgroundBrush_ = QBrush(ColourFromRef(colour));
}

void ColorStyle::SetBold(bool on) {
  bold_ = on;
  font_.setWeight(on ? QFont::Bold : QFont::Normal);
}

void ColorStyle::SetFontDescription(const QFont& description) {
  font_ = description;
  font_.setWeight(bold_ ? QFont::Bold : QFont::Normal);
}

void ColorStyle::SetFontFace(const QString& face, int pointSize) {
  QFont description = font_;
  if (!face.isEmpty()) description.setFamily(face.left(kFaceNameLimit));
  description.setPixelSize(qMax(1, (pointSize * DisplayDpiY() + 36) / 72));
  SetFontDescription(description);
}

void ColorStyle::SetMargins(int horizontal, int vertical) {
  horizontalMargin_ = horizontal;
  verticalMargin_ = vertical;
}

void ColorStyle::Paint(QPainter& painter, const QRect& rect, const QString& text,
                       unsigned styleBits) const {
  painter.save();
  painter.fillRect(rect, backgroundBrush_);
  if (!icon_.isNull()) {
    PaintIcon(painter, rect);
  } else {
    int flags = Qt::AlignLeft;
    if (styleBits & style::kCentre) {
      flags = Qt::AlignHCenter;
    } else if (styleBits & style::kRight) {
      flags = Qt::AlignRight;
    }
    flags |= (styleBits & style::kSingleLineCentred) ? (Qt::AlignVCenter | Qt::TextSingleLine)
                                                     : (Qt::AlignTop | Qt::TextWordWrap);
    painter.setFont(font_);
    painter.setPen(ColourFromRef(textColour_));
    painter.drawText(rect.adjusted(horizontalMargin_, verticalMargin_, 0, 0), flags, text);
  }
  painter.restore();
}

void ColorStyle::PaintIcon(QPainter& painter, const QRect& rect) const {
  int left = rect.left() + (rect.width() - kSystemIconSize) / 2;
  int top = rect.top() + (rect.height() - kSystemIconSize) / 2;
  icon_.paint(&painter, QRect(left, top, kSystemIconSize, kSystemIconSize));
}

}  // namespace torvane
