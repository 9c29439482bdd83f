#include "windows/field_exchange.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "controls/color_label.h"
#include "controls/image_button.h"
#include "windows/dialog_window.h"

namespace torvane {

void FieldExchange::Text(int controlId, std::string& member) const {
  Field(controlId, member, false);
}

void FieldExchange::Bytes(int controlId, std::string& member) const {
  Field(controlId, member, true);
}

void FieldExchange::Field(int controlId, std::string& member, bool bytes) const {
  const QString shown = bytes ? QString::fromLatin1(member) : QString::fromStdString(member);
  auto read = [bytes](const QString& text) {
    return bytes ? text.toLatin1().toStdString() : text.toStdString();
  };
  if (auto* combo = window_.Control<QComboBox>(controlId)) {
    if (take_) {
      member = read(combo->currentText());
    } else if (combo->isEditable()) {
      if (combo->currentText() != shown) combo->setEditText(shown);
    } else if (int index = combo->findText(shown); index >= 0) {
      combo->setCurrentIndex(index);
    }
    return;
  }
  auto* edit = window_.Control<QLineEdit>(controlId);
  if (edit == nullptr) return;
  if (take_) {
    member = read(edit->text());
  } else if (edit->text() != shown) {
    // Unchanged text keeps the operator's selection and caret.
    edit->setText(shown);
  }
}

void FieldExchange::Check(int controlId, bool& member) const {
  auto* button = window_.Control<ImageButton>(controlId);
  if (button == nullptr) return;
  if (take_) {
    member = button->isChecked();
  } else {
    button->ShowImage(member);
  }
}

void FieldExchange::Label(int controlId, const std::string& text) const {
  if (take_) return;
  if (auto* label = window_.Control<QLabel>(controlId))
    label->setText(QString::fromStdString(text));
  if (auto* label = window_.Control<ColorLabel>(controlId)) {
    label->setText(QString::fromStdString(text));
  }
}

}  // namespace torvane
