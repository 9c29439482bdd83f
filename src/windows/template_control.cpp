#include "windows/template_control.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "controls/color_label.h"
#include "controls/enter_edit.h"
#include "controls/image_button.h"
#include "res/station_images.h"
#include "view/control_style.h"

namespace torvane {

namespace {

QComboBox* NewComboBox(const QString& items, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setEditable(true);
  // A typed value is used as typed; it never joins the list.
  combo->setInsertPolicy(QComboBox::NoInsert);
  // Qt completes inline by default: "5760" would become "57600" and "Line" an
  // existing set's name, with Enter matching entries regardless of case.
  combo->setCompleter(nullptr);
  if (!items.isEmpty()) combo->addItems(items.split(u'\n'));
  return combo;
}

QWidget* NewWidget(const ControlTemplate& entry, QWidget* parent) {
  QString caption = QString::fromUtf8(entry.caption);
  switch (entry.kind) {
    case ControlKind::ColorLabel:
      return new ColorLabel(caption, entry.style, parent);
    case ControlKind::StaticText:
      return new QLabel(caption, parent);
    case ControlKind::EnterEdit:
      return new EnterEdit(entry.editNumber, parent);
    case ControlKind::MultiLineEdit: {
      auto* edit = new QPlainTextEdit(parent);
      edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      edit->setLineWrapMode(QPlainTextEdit::NoWrap);
      return edit;
    }
    case ControlKind::PushButton:
      return new QPushButton(caption, parent);
    case ControlKind::ImageButton:
      return new ImageButton(StationImages::Bitmap(entry.imageId),
                             StationImages::Bitmap(entry.imageId + 1), parent);
    case ControlKind::GroupBox:
      return new QGroupBox(caption, parent);
    case ControlKind::Picture: {
      auto* picture = new QLabel(parent);
      picture->setPixmap(StationImages::Bitmap(entry.imageId));
      picture->setAlignment(Qt::AlignCenter);
      return picture;
    }
    case ControlKind::SpinButton: {
      auto* spin = new QScrollBar(Qt::Vertical, parent);
      spin->setRange(-1, 1);
      return spin;
    }
    case ControlKind::ComboBox:
      return NewComboBox(caption, parent);
  }
  return nullptr;
}

}  // namespace

QWidget* CreateTemplateControl(const ControlTemplate& entry, QWidget* parent) {
  QWidget* control = NewWidget(entry, parent);
  if (entry.id != 0) control->setObjectName(QString::number(entry.id));
  control->setGeometry(entry.rect.ToPixels());
  control->setEnabled(!(entry.style & style::kDisabled));
  control->setVisible(!(entry.style & style::kHidden));
  if (auto* button = qobject_cast<QPushButton*>(control)) button->setAutoDefault(true);
  return control;
}

}  // namespace torvane
