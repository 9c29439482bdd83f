#include "controls/color_label.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <utility>

#include "controls/enter_edit.h"

namespace torvane {
namespace {

QColor PixelAt(QWidget& widget, int x, int y) {
  return widget.grab().toImage().pixelColor(x, y);
}

// The box of every pixel that differs clearly from the background: where text
// or an icon was drawn.
QRect InkBox(QWidget& widget, const QColor& background) {
  const QImage image = widget.grab().toImage();
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      const int difference = qAbs(pixel.red() - background.red()) +
                             qAbs(pixel.green() - background.green()) +
                             qAbs(pixel.blue() - background.blue());
      if (difference > 90) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

// White on black, so that the ink is the text.
QRect TextBox(const QString& text, unsigned styleBits, QSize size, QPoint margins = {}) {
  ColorLabel label(text, styleBits, nullptr);
  label.resize(size);
  label.SetTextColour(0xFFFFFF);
  label.SetBackgroundColour(0x000000);
  label.SetMargins(margins.x(), margins.y());
  return InkBox(label, Qt::black);
}

QIcon SolidIcon(const QColor& colour) {
  QPixmap pixmap(32, 32);
  pixmap.fill(colour);
  return QIcon(pixmap);
}

TEST(BackgroundColourTest, LabelAndFieldFillWithTheLastBgrColourSet) {
  ColorLabel label("", 0, nullptr);
  label.resize(40, 20);
  EnterEdit field(5, nullptr);
  field.resize(80, 24);
  const std::pair<std::uint32_t, QColor> colours[] = {{0x0000FF, QColor(255, 0, 0)},
                                                      {0x00FF00, QColor(0, 255, 0)},
                                                      {0xFF0000, QColor(0, 0, 255)},
                                                      {0xF0F0F0, QColor(240, 240, 240)}};
  for (const auto& [colourRef, seen] : colours) {
    SCOPED_TRACE(colourRef);
    label.SetBackgroundColour(colourRef);
    field.SetBackgroundColour(colourRef);
    EXPECT_EQ(label.colorStyle().backgroundBrush().color(), seen);
    EXPECT_EQ(PixelAt(label, 3, 3), seen);
    EXPECT_EQ(PixelAt(field, 40, 12), seen);
  }
}

TEST(LabelLayoutTest, StyleBitsPlaceTheTextInA200By60Label) {
  enum Horizontal { kLeft, kCentre, kRight };
  struct Row {
    unsigned bits;
    Horizontal horizontal;
    bool verticallyCentred;
  };
  const Row rows[] = {{0x0000, kLeft, false},   {0x0001, kCentre, false}, {0x0002, kRight, false},
                      {0x0003, kCentre, false},  // centre wins
                      {0x0200, kLeft, true},    {0x0201, kCentre, true},  {0x0202, kRight, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bits);
    const QRect ink = TextBox("Xy", row.bits, {200, 60});
    ASSERT_TRUE(ink.isValid());
    const bool horizontal = row.horizontal == kLeft    ? ink.left() < 10
                            : row.horizontal == kRight ? ink.right() > 188
                                                       : qAbs(ink.center().x() - 100) <= 8;
    const bool vertical = row.verticallyCentred ? qAbs(ink.center().y() - 30) <= 6 : ink.top() < 10;
    EXPECT_TRUE(horizontal && vertical) << "text drawn at " << ink.left() << "," << ink.top()
                                        << " to " << ink.right() << "," << ink.bottom();
  }
}

TEST(LabelLayoutTest, LongTextWrapsUnlessSingleLineAndMarginsMoveIt) {
  const QString longText = "alpha beta gamma delta epsilon zeta eta theta iota kappa";
  const int lineHeight = QFontMetrics(ColorLabel("", 0, nullptr).colorStyle().font()).height();
  EXPECT_GT(TextBox(longText, 0x0000, {90, 120}).height(), 2 * lineHeight);
  EXPECT_LE(TextBox(longText, 0x0200, {90, 120}).height(), lineHeight);

  const QRect moved = TextBox("Xy", 0, {200, 60}, {30, 20});
  EXPECT_GE(moved.left(), 30);
  EXPECT_GE(moved.top(), 20);
}

TEST(IconTest, AnIconIsDrawnCentredInsteadOfTheText) {
  ColorLabel label("WWWWWWWWWW", 0, nullptr);
  label.resize(100, 60);
  label.SetTextColour(0xFFFFFF);
  label.SetBackgroundColour(0x000000);
  label.SetIcon(SolidIcon(Qt::magenta));
  EXPECT_EQ(InkBox(label, Qt::black), QRect(34, 14, 32, 32));
  EXPECT_EQ(PixelAt(label, 50, 30), QColor(Qt::magenta));
  label.SetIcon(QIcon());
  EXPECT_LT(InkBox(label, Qt::black).left(), 10) << "text again";

  EnterEdit field(3, nullptr);
  field.resize(100, 40);
  field.setText("WWWWWWWWWW");
  field.SetBackgroundColour(0xFFFFFF);
  field.SetIcon(SolidIcon(Qt::magenta));
  EXPECT_EQ(InkBox(field, Qt::white), QRect(34, 4, 32, 32));
}

// The weight follows the bold flag whatever the description says; the size is
// the display's pixel height of the points; a face keeps at most 31 characters.
TEST(FontTest, BoldFlagDescriptionFaceAndSize) {
  ColorLabel label("x", 0, nullptr);
  const QString face = label.colorStyle().font().family();
  label.SetBold(true);
  EXPECT_TRUE(label.colorStyle().font().bold());

  QFont description = label.colorStyle().font();
  description.setItalic(true);
  label.SetBold(false);
  label.SetFontDescription(&description);
  EXPECT_FALSE(label.colorStyle().font().bold());
  EXPECT_TRUE(label.colorStyle().font().italic());
  const QFont before = label.colorStyle().font();
  label.SetFontDescription(nullptr);
  EXPECT_EQ(label.colorStyle().font(), before);

  const int dpi = qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY());
  label.SetFontFace("", 12);
  EXPECT_EQ(label.colorStyle().font().family(), face);
  EXPECT_EQ(label.colorStyle().font().pixelSize(), (12 * dpi + 36) / 72);
  label.SetFontFace(QString(40, QLatin1Char('F')), 10);
  EXPECT_EQ(label.colorStyle().font().family(), QString(31, QLatin1Char('F')));
}

}  // namespace
}  // namespace torvane
