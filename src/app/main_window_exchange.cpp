#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/main_window.h"
#include "app/station_settings.h"
#include "controls/color_label.h"
#include "controls/image_button.h"
#include "view/control_ids.h"

namespace torvane {

namespace {

// The page fields, the carrier ID, the UID and the terminal carry bytes, one
// Latin-1 character each; every other field holds text, kept in UTF-8.
enum class FieldForm { Bytes, Text };

std::string FromField(const QString& text, FieldForm form = FieldForm::Bytes) {
  return form == FieldForm::Text ? text.toStdString() : text.toLatin1().toStdString();
}
QString ToField(const std::string& text, FieldForm form = FieldForm::Bytes) {
  return form == FieldForm::Text ? QString::fromStdString(text) : QString::fromLatin1(text);
}

// The output field holds lines; the member ends each with CR LF.
std::string FromOutput(const QString& text) {
  QString lines = text;
  return FromField(lines.replace(QLatin1Char('\n'), QLatin1String("\r\n")));
}
QString ToOutput(const std::string& text) {
  return ToField(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

class FieldExchange {
 public:
  FieldExchange(const std::map<int, QWidget*>& controls, bool take)
      : controls_(controls), take_(take) {}

  void Text(int controlId, std::string& member, FieldForm form = FieldForm::Bytes) const {
    auto* edit = Find<QLineEdit>(controlId);
    if (edit == nullptr) return;
    if (take_) {
      member = FromField(edit->text(), form);
    } else if (edit->text() != ToField(member, form)) {
      // Unchanged text keeps the operator's selection and caret.
      edit->setText(ToField(member, form));
    }
  }

  void Output(int controlId, std::string& member) const {
    auto* edit = Find<QPlainTextEdit>(controlId);
    if (edit == nullptr) return;
    if (take_) {
      member = FromOutput(edit->toPlainText());
    } else if (edit->toPlainText() != ToOutput(member)) {
      edit->setPlainText(ToOutput(member));
    }
  }

  void Check(int controlId, int& member) const {
    auto* button = Find<ImageButton>(controlId);
    if (button == nullptr) return;
    if (take_) {
      member = button->isChecked() ? 1 : 0;
    } else {
      button->setChecked(member == 1);
    }
  }

  // Labels are only shown.
  void Label(int controlId, const QString& text) const {
    if (take_) return;
    if (auto* label = Find<ColorLabel>(controlId)) label->setText(text);
    if (auto* label = Find<QLabel>(controlId)) label->setText(text);
  }

 private:
  template <class T>
  T* Find(int controlId) const {
    auto it = controls_.find(controlId);
    return it == controls_.end() ? nullptr : dynamic_cast<T*>(it->second);
  }

  const std::map<int, QWidget*>& controls_;
  bool take_;
};

void Exchange(const FieldExchange& exchange, StationState& state) {
  PageState& pages = state.pages;
  for (int i = 0; i < kPageCount; ++i) {
    exchange.Text(ids::kPageField[i], pages.pageText[i]);
    exchange.Check(ids::kPageCheck[i], pages.pageSelected[i]);
  }
  exchange.Check(ids::kAllPagesCheck, pages.allPagesSelected);
  exchange.Text(ids::kCarrierIdOffsetField, state.carrierId.carrierIdOffsetText, FieldForm::Text);
  exchange.Text(ids::kCarrierIdLengthField, state.carrierId.carrierIdLengthText, FieldForm::Text);
  exchange.Text(ids::kCarrierIdField, state.carrierId.carrierIdText);
  exchange.Text(ids::kNextField, state.production.nextCarrierId, FieldForm::Text);
  exchange.Text(ids::kMaxField, state.carrierIdMaxText, FieldForm::Text);
  exchange.Text(ids::kUidField, state.reader.uidText);
  exchange.Check(ids::kTiButton, state.reader.tiSelected);
  exchange.Check(ids::kQuorviButton, state.reader.quorviSelected);
  exchange.Check(ids::kLogCheck, state.manualLog.manualLogOn);
  exchange.Text(ids::kTerminalInput, state.terminal.terminalInput);
  exchange.Output(ids::kTerminalOutput, state.terminal.terminalOutput);
  exchange.Label(ids::kConfigSetName, QString::fromStdString(state.setInUse.name));
  exchange.Label(ids::kLogFileName,
                 QString::fromStdString(DisplayedFileName(state.manualLog.fileName)));
}

}  // namespace

void MainWindow::TakeFieldValues() {
  Exchange(FieldExchange(controls_, true), state_);
}

void MainWindow::ShowFieldValues() {
  Exchange(FieldExchange(controls_, false), state_);
}

}  // namespace torvane
