#include "link/i2_dlg.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPushButton>
#include <QStyle>

#include "controls/template_control.h"
#include "res/control_ids.h"
#include "res/interface_dialog_template.h"

namespace torvane {

namespace {

constexpr int kTemplateId = 143;
constexpr char kCaption[] = "Interface Settings";

// The first entry that begins with the text, without regard to case; else the
// text goes into the edit field. An empty text selects nothing.
void LoadText(QComboBox* combo, const std::string& text) {
  const QString value = QString::fromStdString(text);
  const int entry = value.isEmpty() ? -1 : combo->findText(value, Qt::MatchStartsWith);
  combo->setCurrentIndex(entry);
  if (entry < 0) combo->setEditText(value);
}

std::string ReadText(const QComboBox* combo) {
  return combo->currentText().toStdString();
}

}  // namespace

CI2Dlg::CI2Dlg(const InterfaceTexts& texts, const std::vector<std::string>& portNames,
               QWidget* parent)
    : QDialog(parent), texts_(texts) {
  setObjectName(QString::number(kTemplateId));
  setWindowTitle(kCaption);
  QFont dialogFont = font();
  dialogFont.setPointSize(kDialogFontPointSize);
  setFont(dialogFont);
  setFixedSize(kInterfaceDialogRect.ToPixels().size());
  for (const ControlTemplate& entry : InterfaceDialogTemplate()) {
    CreateTemplateControl(entry, this);
  }
  auto* ok = findChild<QPushButton*>(QString::number(ids::kOk));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &CI2Dlg::accept);
  connect(findChild<QPushButton*>(QString::number(ids::kCancel)), &QPushButton::clicked, this,
          &CI2Dlg::reject);
  LoadTexts();
  AddPortNames(portNames);
}

void CI2Dlg::accept() {
  texts_ = ReadTexts();
  QDialog::accept();
}

QComboBox* CI2Dlg::Combo(int controlId) const {
  return findChild<QComboBox*>(QString::number(controlId));
}

void CI2Dlg::LoadTexts() {
  LoadText(Combo(ids::kPortCombo), texts_.port);
  LoadText(Combo(ids::kBaudRateCombo), texts_.baudRate);
  LoadText(Combo(ids::kDataBitsCombo), texts_.dataBits);
  LoadText(Combo(ids::kParityCombo), texts_.parity);
  LoadText(Combo(ids::kStopBitsCombo), texts_.stopBits);
  LoadText(Combo(ids::kFlowControlCombo), texts_.flowControl);
}

void CI2Dlg::AddPortNames(const std::vector<std::string>& portNames) {
  QComboBox* port = Combo(ids::kPortCombo);
  const QString current = port->currentText();
  for (const std::string& name : portNames) port->addItem(QString::fromStdString(name));
  // The first entry added to an empty list would replace the port in the field.
  port->setCurrentIndex(-1);
  port->setEditText(current);
  // By-id names are long: the list opens as wide as they are.
  QAbstractItemView* list = port->view();
  list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                        list->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

InterfaceTexts CI2Dlg::ReadTexts() const {
  return {ReadText(Combo(ids::kPortCombo)),     ReadText(Combo(ids::kBaudRateCombo)),
          ReadText(Combo(ids::kDataBitsCombo)), ReadText(Combo(ids::kParityCombo)),
          ReadText(Combo(ids::kStopBitsCombo)), ReadText(Combo(ids::kFlowControlCombo))};
}

}  // namespace torvane
