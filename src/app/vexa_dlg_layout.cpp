#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/vexa_dlg.h"
#include "controls/color_label.h"
#include "controls/enter_edit.h"
#include "controls/image_button.h"
#include "res/control_ids.h"
#include "res/main_menu.h"
#include "res/main_window_template.h"
#include "res/station_images.h"

namespace torvane {

namespace {

// The station's dialog font: 8 points, as the dialog units assume.
constexpr int kFontPointSize = 8;

QWidget* NewWidget(const ControlTemplate& entry, QWidget* area) {
  QString caption = QString::fromUtf8(entry.caption);
  switch (entry.kind) {
    case ControlKind::ColorLabel:
      return new CColorLabel(caption, entry.style, area);
    case ControlKind::StaticText:
      return new QLabel(caption, area);
    case ControlKind::EnterEdit:
      return new CEnterEdit(entry.editNumber, area);
    case ControlKind::MultiLineEdit: {
      auto* edit = new QPlainTextEdit(area);
      edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      edit->setLineWrapMode(QPlainTextEdit::NoWrap);
      return edit;
    }
    case ControlKind::PushButton:
      return new QPushButton(caption, area);
    case ControlKind::ImageButton:
      return new ImageButton(StationImages::Bitmap(entry.imageId),
                             StationImages::Bitmap(entry.imageId + 1), area);
    case ControlKind::GroupBox:
      return new QGroupBox(caption, area);
    case ControlKind::Picture: {
      auto* picture = new QLabel(area);
      picture->setPixmap(StationImages::Bitmap(entry.imageId));
      picture->setAlignment(Qt::AlignCenter);
      return picture;
    }
    case ControlKind::SpinButton: {
      auto* spin = new QScrollBar(Qt::Vertical, area);
      spin->setRange(-1, 1);
      return spin;
    }
  }
  return nullptr;
}

}  // namespace

void CVexaDlg::BuildWindow() {
  QFont dialogFont = font();
  dialogFont.setPointSize(kFontPointSize);
  setFont(dialogFont);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setMenuBar(BuildMenu());
  auto* area = new QWidget(this);
  layout->addWidget(area);
  for (const ControlTemplate& entry : MainWindowTemplate()) {
    QWidget* control = CreateControl(entry, area);
    if (entry.id != 0) controls_[entry.id] = control;
  }
  // Group frames lie under the controls they hold.
  for (int group : {ids::kConfigGroup, ids::kManualGroup, ids::kTerminalGroup}) {
    controls_.at(group)->lower();
  }
  auto* ok = Control<QPushButton>(ids::kOk);
  ok->setDefault(true);
  terminalPane_.Attach(this, actions_.at(ids::kMenuTerminalShow),
                       Control<QLineEdit>(ids::kTerminalInput),
                       Control<QPlainTextEdit>(ids::kTerminalOutput));
}

QWidget* CVexaDlg::CreateControl(const ControlTemplate& entry, QWidget* area) {
  QWidget* control = NewWidget(entry, area);
  if (entry.id != 0) control->setObjectName(QString::number(entry.id));
  control->setGeometry(entry.rect.ToPixels());
  control->setEnabled(!(entry.style & style::kDisabled));
  control->setVisible(!(entry.style & style::kHidden));
  if (auto* button = qobject_cast<QPushButton*>(control)) button->setAutoDefault(true);
  return control;
}

QMenuBar* CVexaDlg::BuildMenu() {
  auto* bar = new QMenuBar(this);
  for (const MenuTemplate& menu : MainMenuTemplate()) {
    QString title = QString::fromUtf8(menu.title);
    if (menu.items.empty()) {
      QAction* action = bar->addAction(title);
      action->setObjectName(QString::number(menu.command));
      actions_[menu.command] = action;
      continue;
    }
    QMenu* items = bar->addMenu(title);
    for (const MenuItemTemplate& item : menu.items) {
      if (item.text == nullptr) {
        items->addSeparator();
        continue;
      }
      QAction* action = items->addAction(QString::fromUtf8(item.text));
      action->setObjectName(QString::number(item.command));
      actions_[item.command] = action;
    }
  }
  actions_.at(ids::kMenuTerminalShow)->setCheckable(true);
  // The about item of the missing system menu also sits in the window's context menu.
  addAction(actions_.at(ids::kSystemMenuAbout));
  setContextMenuPolicy(Qt::ActionsContextMenu);
  return bar;
}

}  // namespace torvane
