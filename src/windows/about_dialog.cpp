#include "windows/about_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "res/main_window_template.h"
#include "res/station_images.h"
#include "res/station_strings.h"

namespace torvane {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("100");
  setWindowTitle(QString::fromUtf8(text::kAboutCaption));
  auto* layout = new QVBoxLayout(this);
  auto* picture = new QLabel(this);
  picture->setPixmap(StationImages::Bitmap(image::kAboutPicture));
  layout->addWidget(picture);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}

}  // namespace torvane
