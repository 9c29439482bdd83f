#include "res/station_images.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "platform/version.h"
#include "res/main_window_template.h"

namespace torvane {

namespace {

constexpr int kCheckSize = 13;
const QColor kNavy(20, 40, 90);
const QColor kTeal(0, 150, 160);

QPixmap Blank(int width, int height, const QColor& fill = Qt::transparent) {
  QPixmap pixmap(width, height);
  pixmap.fill(fill);
  return pixmap;
}

void DrawTick(QPainter& painter, const QColor& colour) {
  QPen pen(colour, 2);
  pen.setCapStyle(Qt::RoundCap);
  painter.setPen(pen);
  painter.drawPolyline(QPolygonF({{3, 6.5}, {5.5, 9.5}, {10, 3.5}}));
}

}  // namespace

QPixmap StationImages::Bitmap(int id) {
  switch (id) {
    case image::kCheckSet:
      return CheckBox(true, false);
    case image::kCheckSet + 1:
      return CheckBox(false, false);
    case image::kPageCheckSet:
      return CheckBox(true, true);
    case image::kPageCheckSet + 1:
      return CheckBox(false, true);
    case image::kRadioSet:
      return Radio(true);
    case image::kRadioSet + 1:
      return Radio(false);
    case image::kWindowIcon:
      return Emblem(32);
    case image::kTopLeftPicture:
      return Wordmark();
    case image::kLowerPicture:
      return ReaderPicture();
    case image::kAboutPicture:
      return AboutPicture();
    default:
      return QPixmap();
  }
}

QIcon StationImages::WindowIcon() {
  QIcon icon;
  icon.addPixmap(Emblem(16));
  icon.addPixmap(Emblem(32));
  return icon;
}

QPixmap StationImages::CheckBox(bool set, bool pageStyle) {
  QPixmap pixmap = Blank(kCheckSize, kCheckSize, Qt::white);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  if (set && pageStyle) painter.fillRect(1, 1, kCheckSize - 2, kCheckSize - 2, QColor(0, 160, 0));
  painter.setPen(QColor(64, 64, 64));
  painter.drawRect(0, 0, kCheckSize - 1, kCheckSize - 1);
  if (set) DrawTick(painter, pageStyle ? Qt::white : Qt::black);
  return pixmap;
}

QPixmap StationImages::Radio(bool selected) {
  QPixmap pixmap = Blank(kCheckSize, kCheckSize);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QColor(64, 64, 64));
  painter.setBrush(Qt::white);
  painter.drawEllipse(QRectF(0.5, 0.5, kCheckSize - 1, kCheckSize - 1));
  if (selected) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QRectF(3.5, 3.5, kCheckSize - 7, kCheckSize - 7));
  }
  return pixmap;
}

QPixmap StationImages::Emblem(int size) {
  QPixmap pixmap = Blank(size, size);
  QPainter painter(&pixmap);
  PaintEmblem(painter, size);
  return pixmap;
}

// A transponder: a chip inside the rings of its antenna coil.
void StationImages::PaintEmblem(QPainter& painter, double size) {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kNavy);
  painter.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
  painter.setBrush(Qt::NoBrush);
  for (int ring = 0; ring < 3; ++ring) {
    double inset = size * (0.12 + ring * 0.1);
    painter.setPen(QPen(ring == 0 ? kTeal : Qt::white, qMax(1.0, size / 16.0)));
    painter.drawEllipse(QRectF(inset, inset, size - 2 * inset, size - 2 * inset));
  }
  double chip = size * 0.22;
  painter.fillRect(QRectF((size - chip) / 2, (size - chip) / 2, chip, chip), QColor(255, 190, 0));
}

QPixmap StationImages::Wordmark() {
  QPixmap pixmap = Blank(78, 22, kNavy);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.drawPixmap(3, 3, Emblem(16));
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(10);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(21, 0, 57, 22), Qt::AlignVCenter | Qt::AlignLeft, "TORVANE");
  return pixmap;
}

// A reader's antenna sending to a tag on a wafer carrier.
QPixmap StationImages::ReaderPicture() {
  QPixmap pixmap = Blank(182, 54, Qt::black);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(kTeal, 2));
  painter.setBrush(QColor(40, 40, 40));
  painter.drawRoundedRect(QRectF(8, 14, 40, 26), 4, 4);
  for (int wave = 0; wave < 3; ++wave) {
    double radius = 10 + wave * 8;
    painter.drawArc(QRectF(48 - radius, 27 - radius, 2 * radius, 2 * radius), -45 * 16, 90 * 16);
  }
  painter.setPen(QPen(Qt::white, 1.5));
  painter.setBrush(QColor(70, 70, 90));
  painter.drawRoundedRect(QRectF(96, 8, 78, 38), 5, 5);
  painter.setBrush(QColor(255, 190, 0));
  painter.drawRect(QRectF(104, 18, 16, 16));
  QFont font = painter.font();
  font.setPixelSize(11);
  painter.setFont(font);
  painter.drawText(QRect(124, 8, 50, 38), Qt::AlignCenter, "17 x 8");
  return pixmap;
}

QPixmap StationImages::AboutPicture() {
  QPixmap pixmap = Blank(420, 380);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 380);
  sky.setColorAt(0, kNavy);
  sky.setColorAt(1, Qt::black);
  painter.fillRect(pixmap.rect(), sky);
  painter.drawPixmap(146, 60, Emblem(128));
  painter.setPen(Qt::white);
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(34);
  painter.setFont(font);
  painter.drawText(QRect(0, 210, 420, 50), Qt::AlignCenter, "TORVANE");
  font.setBold(false);
  font.setPixelSize(14);
  painter.setFont(font);
  painter.drawText(QRect(0, 262, 420, 24), Qt::AlignCenter, "Carrier ID transponder station");
  painter.drawText(QRect(0, 290, 420, 24), Qt::AlignCenter, "V" TORVANE_VERSION "  21.10.2026");
  return pixmap;
}

}  // namespace torvane
