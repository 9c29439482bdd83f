#include "windows/interface_dialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPushButton>
#include <QStyle>

#include "res/interface_dialog_template.h"
#include "view/control_ids.h"

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

InterfaceDialog::InterfaceDialog(const InterfaceTexts& texts,
                                 const std::vector<std::string>& portNames, QWidget* parent)
    : DialogWindow(kTemplateId, InterfaceDialogTemplate(), parent), texts_(texts) {
  setWindowTitle(kCaption);
  setFixedSize(kInterfaceDialogRect.ToPixels().size());
  // Enter in a list's field is OK.
  Control<QPushButton>(ids::kOk)->setDefault(true);
  ConnectButton(ids::kOk, [this] { accept(); });
  ConnectButton(ids::kCancel, [this] { reject(); });
  LoadTexts();
  AddPortNames(portNames);
}

void InterfaceDialog::accept() {
  texts_ = ReadTexts();
  QDialog::accept();
}

void InterfaceDialog::LoadTexts() {
  LoadText(Control<QComboBox>(ids::kPortCombo), texts_.port);
  LoadText(Control<QComboBox>(ids::kBaudRateCombo), texts_.baudRate);
  LoadText(Control<QComboBox>(ids::kDataBitsCombo), texts_.dataBits);
  LoadText(Control<QComboBox>(ids::kParityCombo), texts_.parity);
  LoadText(Control<QComboBox>(ids::kStopBitsCombo), texts_.stopBits);
  LoadText(Control<QComboBox>(ids::kFlowControlCombo), texts_.flowControl);
}

void InterfaceDialog::AddPortNames(const std::vector<std::string>& portNames) {
  QComboBox* port = Control<QComboBox>(ids::kPortCombo);
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

InterfaceTexts InterfaceDialog::ReadTexts() const {
  return {ReadText(Control<QComboBox>(ids::kPortCombo)),
          ReadText(Control<QComboBox>(ids::kBaudRateCombo)),
          ReadText(Control<QComboBox>(ids::kDataBitsCombo)),
          ReadText(Control<QComboBox>(ids::kParityCombo)),
          ReadText(Control<QComboBox>(ids::kStopBitsCombo)),
          ReadText(Control<QComboBox>(ids::kFlowControlCombo))};
}

}  // namespace torvane
