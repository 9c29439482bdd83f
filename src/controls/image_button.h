#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace torvane {

// A check box or radio button drawn as nothing but one of its two images. A press
// flips the check state; whoever changes the state also picks the image, so the
// image is what the operator sees.
class ImageButton : public QAbstractButton {
 public:
  ImageButton(QPixmap setImage, QPixmap clearImage, QWidget* parent);

  // Shows the set or the clear image and takes that check state, without a click.
  void ShowImage(bool set);
  bool showsSetImage() const { return showsSet_; }
  bool showsAnImage() const { return imageShown_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap setImage_;
  QPixmap clearImage_;
  bool showsSet_ = false;
  bool imageShown_ = false;
};

}  // namespace torvane
