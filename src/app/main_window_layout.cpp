#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/main_window.h"
#include "res/main_menu.h"
#include "res/main_window_template.h"
#include "view/control_ids.h"
#include "windows/outcome_panel.h"
#include "windows/template_control.h"

namespace torvane {

void MainWindow::BuildWindow() {
  QFont dialogFont = font();
  dialogFont.setPointSize(kDialogFontPointSize);
  setFont(dialogFont);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setMenuBar(BuildMenu());
  auto* area = new QWidget(this);
  layout->addWidget(area);
  for (const ControlTemplate& entry : MainWindowTemplate()) {
    QWidget* control = CreateTemplateControl(entry, area);
    if (entry.id != 0) controls_[entry.id] = control;
  }
  // Group frames lie under the controls they hold.
  for (int group : {ids::kConfigGroup, ids::kManualGroup, ids::kTerminalGroup}) {
    controls_.at(group)->lower();
  }
  outcomePanel_ = new OutcomePanel(area);
  PlaceOutcomePanel();
  auto* ok = Control<QPushButton>(ids::kOk);
  ok->setDefault(true);
  terminalPane_.Attach(this, actions_.at(ids::kMenuTerminalShow),
                       Control<QLineEdit>(ids::kTerminalInput),
                       Control<QPlainTextEdit>(ids::kTerminalOutput));
}

void MainWindow::PlaceOutcomePanel() {
  // Config mode hides the Manual group's controls: the panel takes their room.
  // In Manual mode it keeps the lower right, over the window's picture.
  const bool large = state_.setInUse.configMode == 1;
  const DialogRect place = large ? DialogRect{270, 84, 286, 187} : DialogRect{268, 235, 290, 36};
  outcomePanel_->setGeometry(place.ToPixels());
  outcomePanel_->SetLarge(large);
  outcomePanel_->raise();
}

namespace {

// Alt and the first letter opens a menu or chooses its item.
QString WithMnemonic(const char* caption) {
  QString text = QString::fromUtf8(caption);
  if (text.contains(QLatin1Char('&')) || text.isEmpty() || !text[0].isLetter()) return text;
  return QLatin1Char('&') + text;
}

}  // namespace

QMenuBar* MainWindow::BuildMenu() {
  auto* bar = new QMenuBar(this);
  for (const MenuTemplate& menu : MainMenuTemplate()) {
    QString title = WithMnemonic(menu.title);
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
      QAction* action = items->addAction(WithMnemonic(item.text));
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
