#include "controls/image_button.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <utility>

namespace torvane {

ImageButton::ImageButton(QPixmap setImage, QPixmap clearImage, QWidget* parent)
    : QAbstractButton(parent), setImage_(std::move(setImage)), clearImage_(std::move(clearImage)) {
  setCheckable(true);
  setFocusPolicy(Qt::StrongFocus);
}

void ImageButton::ShowImage(bool set) {
  showsSet_ = set;
  imageShown_ = true;
  setChecked(set);
  update();
}

QSize ImageButton::sizeHint() const {
  return setImage_.size().expandedTo(clearImage_.size());
}

void ImageButton::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  // A button that does not take a press shows it.
  if (!isEnabled()) painter.setOpacity(0.35);
  if (imageShown_) {
    const QPixmap& image = showsSet_ ? setImage_ : clearImage_;
    QRect target(QPoint(), image.size());
    target.moveCenter(rect().center());
    painter.drawPixmap(target, image);
  }
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

}  // namespace torvane
