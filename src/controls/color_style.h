#pragma once

#include <cstdint>

#include <QBrush>
#include <QFont>
#include <QIcon>
#include <QString>

class QPainter;
class QRect;

namespace torvane {

// Colours arrive as 0x00BBGGRR values.
QColor ColourFromRef(std::uint32_t colourRef);
std::uint32_t RefFromColour(const QColor& colour);

// What a coloured label or field draws with: colours, font, icon and margins.
class ColorStyle {
 public:
  // Starts from the system's button colours and a copy of the control's font.
  explicit ColorStyle(const QFont& controlFont);

  void SetTextColour(std::uint32_t colour) { textColour_ = colour; }
  void SetBackgroundColour(std::uint32_t colour);
  void SetBold(bool on);
  // The weight always follows the bold flag.
  void SetFontDescription(const QFont& description);
  // An empty face keeps the current one; the size is in points of the display.
  void SetFontFace(const QString& face, int pointSize);
  void SetIcon(const QIcon& icon) { icon_ = icon; }
  void SetMargins(int horizontal, int vertical);

  std::uint32_t textColour() const { return textColour_; }
  std::uint32_t backgroundColour() const { return backgroundColour_; }
  const QBrush& backgroundBrush() const { return backgroundBrush_; }
  bool bold() const { return bold_; }
  const QFont& font() const { return font_; }
  const QIcon& icon() const { return icon_; }

  // Fills the rectangle and draws the icon centred, or else the text laid out by
  // the style bits.
  void Paint(QPainter& painter, const QRect& rect, const QString& text, unsigned styleBits) const;

  static constexpr int kFaceNameLimit = 31;

 private:
  void PaintIcon(QPainter& painter, const QRect& rect) const;

  std::uint32_t textColour_;
  std::uint32_t backgroundColour_;
  QBrush backgroundBrush_;
  bool bold_ = false;
  QFont font_;
  QIcon icon_;
  int horizontalMargin_ = 0;
  int verticalMargin_ = 0;
};

}  // namespace torvane
