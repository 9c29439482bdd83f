#include "controls/color_label.h"

#include <gtest/gtest.h>

#include <ostream>

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include "controls/enter_edit.h"

namespace torvane {
namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

QImage Render(QWidget& widget) {
  return widget.grab().toImage();
}

// The box of every pixel that differs from the background: where text or an
// icon was drawn.
QRect InkBox(const QImage& image, const QColor& background) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      QColor pixel = image.pixelColor(x, y);
      int difference = qAbs(pixel.red() - background.red()) +
                       qAbs(pixel.green() - background.green()) +
                       qAbs(pixel.blue() - background.blue());
      if (difference > 90) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

QIcon SolidIcon(const QColor& colour) {
  QPixmap pixmap(32, 32);
  pixmap.fill(colour);
  return QIcon(pixmap);
}

struct ColourCase {
  std::uint32_t colourRef;
  QColor seen;
};

void PrintTo(const ColourCase& c, std::ostream* os) {
  *os << "0x" << std::hex << c.colourRef;
}

class BackgroundColourTest : public ::testing::TestWithParam<ColourCase> {};

TEST_P(BackgroundColourTest, LabelAndFieldFillWithTheBgrColour) {
  CColorLabel label("", 0, nullptr);
  label.resize(40, 20);
  label.SetBackgroundColour(GetParam().colourRef);
  EXPECT_EQ(Render(label).pixelColor(3, 3), GetParam().seen);

  CEnterEdit field(5, nullptr);
  field.resize(80, 24);
  field.SetBackgroundColour(GetParam().colourRef);
  EXPECT_EQ(Render(field).pixelColor(40, 12), GetParam().seen);
}

INSTANTIATE_TEST_SUITE_P(Colours, BackgroundColourTest,
                         ::testing::Values(ColourCase{0x0000FF, QColor(255, 0, 0)},
                                           ColourCase{0x00FF00, QColor(0, 255, 0)},
                                           ColourCase{0xFF0000, QColor(0, 0, 255)},
                                           ColourCase{0xF0F0F0, QColor(240, 240, 240)}));

TEST(BackgroundColourTest, SettingTwiceLeavesTheLastBrush) {
  CColorLabel label("", 0, nullptr);
  label.resize(40, 20);
  label.SetBackgroundColour(0x0000FF);
  label.SetBackgroundColour(0x00FF00);
  EXPECT_EQ(label.colorStyle().backgroundBrush().color(), QColor(0, 255, 0));
  EXPECT_EQ(Render(label).pixelColor(20, 10), QColor(0, 255, 0));
}

// Where the text lands for each layout bit in a 200 x 60 label.
struct LayoutCase {
  unsigned styleBits;
  enum Horizontal { Left, Centre, Right } horizontal;
  bool verticallyCentred;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
  *os << "bits 0x" << std::hex << c.styleBits;
}

class LabelLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LabelLayoutTest, StyleBitsPlaceTheText) {
  CColorLabel label("Xy", GetParam().styleBits, nullptr);
  label.resize(200, 60);
  label.SetTextColour(kWhite);
  label.SetBackgroundColour(kBlack);
  QRect ink = InkBox(Render(label), Qt::black);
  ASSERT_TRUE(ink.isValid());
  switch (GetParam().horizontal) {
    case LayoutCase::Left:
      EXPECT_LT(ink.left(), 10);
      break;
    case LayoutCase::Centre:
      EXPECT_NEAR(ink.center().x(), 100, 8);
      break;
    case LayoutCase::Right:
      EXPECT_GT(ink.right(), 188);
      break;
  }
  if (GetParam().verticallyCentred) {
    EXPECT_NEAR(ink.center().y(), 30, 6);
  } else {
    EXPECT_LT(ink.top(), 10);
  }
}

INSTANTIATE_TEST_SUITE_P(Bits, LabelLayoutTest,
                         ::testing::Values(LayoutCase{0x0000, LayoutCase::Left, false},
                                           LayoutCase{0x0001, LayoutCase::Centre, false},
                                           LayoutCase{0x0002, LayoutCase::Right, false},
                                           LayoutCase{0x0003, LayoutCase::Centre,
                                                      false},  // centre wins
                                           LayoutCase{0x0200, LayoutCase::Left, true},
                                           LayoutCase{0x0201, LayoutCase::Centre, true},
                                           LayoutCase{0x0202, LayoutCase::Right, true}));

TEST(LabelLayoutTest, LongTextWrapsUnlessSingleLine) {
  const QString longText = "alpha beta gamma delta epsilon zeta eta theta iota kappa";
  int lineHeight = QFontMetrics(CColorLabel("", 0, nullptr).colorStyle().font()).height();
  for (unsigned bits : {0x0000u, 0x0200u}) {
    CColorLabel label(longText, bits, nullptr);
    label.resize(90, 120);
    label.SetTextColour(kWhite);
    label.SetBackgroundColour(kBlack);
    QRect ink = InkBox(Render(label), Qt::black);
    if (bits == 0) {
      EXPECT_GT(ink.height(), 2 * lineHeight) << "wrapped";
    } else {
      EXPECT_LE(ink.height(), lineHeight) << "single line";
    }
  }
}

TEST(LabelLayoutTest, MarginsMoveTheText) {
  CColorLabel label("Xy", 0, nullptr);
  label.resize(200, 60);
  label.SetTextColour(kWhite);
  label.SetBackgroundColour(kBlack);
  label.SetMargins(30, 20);
  QRect ink = InkBox(Render(label), Qt::black);
  EXPECT_GE(ink.left(), 30);
  EXPECT_GE(ink.top(), 20);
}

TEST(IconTest, AnIconIsDrawnCentredInsteadOfTheText) {
  CColorLabel label("WWWWWWWWWW", 0, nullptr);
  label.resize(100, 60);
  label.SetTextColour(kWhite);
  label.SetBackgroundColour(kBlack);
  label.SetIcon(SolidIcon(Qt::magenta));
  QImage image = Render(label);
  EXPECT_EQ(InkBox(image, Qt::black), QRect(34, 14, 32, 32));
  EXPECT_EQ(image.pixelColor(50, 30), QColor(Qt::magenta));

  label.SetIcon(QIcon());
  EXPECT_LT(InkBox(Render(label), Qt::black).left(), 10) << "text again";
}

TEST(IconTest, AFieldWithAnIconShowsOnlyTheIcon) {
  CEnterEdit field(3, nullptr);
  field.resize(100, 40);
  field.setText("WWWWWWWWWW");
  field.SetBackgroundColour(kWhite);
  field.SetIcon(SolidIcon(Qt::magenta));
  EXPECT_EQ(InkBox(Render(field), Qt::white), QRect(34, 4, 32, 32));
}

TEST(FontTest, WeightFollowsTheBoldFlag) {
  CColorLabel label("x", 0, nullptr);
  label.SetBold(true);
  EXPECT_TRUE(label.colorStyle().font().bold());

  QFont description = label.colorStyle().font();
  description.setItalic(true);
  label.SetBold(false);
  description.setBold(true);
  label.SetFontDescription(&description);
  EXPECT_FALSE(label.colorStyle().font().bold());
  EXPECT_TRUE(label.colorStyle().font().italic());

  QFont before = label.colorStyle().font();
  label.SetFontDescription(nullptr);
  EXPECT_EQ(label.colorStyle().font(), before);
}

TEST(FontTest, FaceAndSizeGiveThePixelHeightOfTheDisplay) {
  CColorLabel label("x", 0, nullptr);
  QString face = label.colorStyle().font().family();
  int dpi = qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY());
  label.SetFontFace("", 12);
  EXPECT_EQ(label.colorStyle().font().family(), face);
  EXPECT_EQ(label.colorStyle().font().pixelSize(), (12 * dpi + 36) / 72);

  label.SetFontFace(QString(40, QLatin1Char('F')), 10);
  EXPECT_EQ(label.colorStyle().font().family(), QString(31, QLatin1Char('F')));
}

}  // namespace
}  // namespace torvane
