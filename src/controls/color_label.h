#pragma once

#include <QString>
#include <QWidget>

#include "controls/color_control.h"

namespace torvane {

// A static label that paints itself in its own colours and font.
class ColorLabel : public ColorControl<QWidget> {
  Q_OBJECT
  Q_PROPERTY(QString text READ text WRITE setText)

 public:
  ColorLabel(const QString& text, unsigned styleBits, QWidget* parent);

  QString text() const { return text_; }
  void setText(const QString& text);
  unsigned styleBits() const { return styleBits_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  unsigned styleBits_;
};

}  // namespace torvane
