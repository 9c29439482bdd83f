#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/station_window_fixture.h"
#include "controls/enter_edit.h"
#include "controls/image_button.h"
#include "reader_simulator.h"
#include "view/control_ids.h"

namespace torvane::test {

// The station window in a scratch working directory, its port on the reader
// simulator's pseudo-terminal, worked as an operator works it.
class StationWithReaderTest : public StationWindowTest {
 protected:
  // Answers come at once; the waits only bound a lost answer, and stay long
  // enough for a sanitizer build on a busy machine.
  static constexpr int kTimingValue = 4;

  void SetUp() override {
    StationWindowTest::SetUp();
    sim::SimOptions options;
    options.timingValue = kTimingValue;
    options.linkPath = ReaderLink();
    auto started = sim::ReaderSimulator::Start(options);
    ASSERT_TRUE(started.ok()) << started.error;
    simulator_ = std::move(started.value);
  }

  // The simulator's link goes when its line hangs up; a station that looks for
  // the reader under it never meets the device's number given out again.
  std::string ReaderLink() const { return directory_.filePath("reader").toStdString(); }

  // On the reader's device, or on `port` (its link where a test unplugs it).
  void StartOnReader(const std::string& extraSettings = "", const std::string& port = "") {
    WriteSettingsForPort(port.empty() ? simulator_->devicePath() : port, extraSettings);
    Start();
    ASSERT_TRUE(window_->link().portOpen()) << window_->link().lastError();
  }

  void Click(int id) const { Control<QAbstractButton>(id)->click(); }

  // Presses a check button when it does not already show the wanted state.
  void SetCheck(int id, bool checked) const {
    if (ShowsSet(id) != checked) Click(id);
  }
  void SelectOnly(std::initializer_list<int> pages) const {
    for (int n = 1; n <= kPageCount; ++n) {
      SetCheck(ids::kPageCheck[n - 1], std::find(pages.begin(), pages.end(), n) != pages.end());
    }
  }

  // Empties the field and types the text key by key, then Enter when asked.
  void Type(int id, const std::string& text, bool enter = false) const {
    auto* field = Control<EnterEdit>(id);
    field->setFocus();
    field->clear();
    for (char c : text) {
      QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(c)));
      QApplication::sendEvent(field, &key);
    }
    if (enter) {
      QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
      QApplication::sendEvent(field, &key);
    }
  }
  void TypePage(int page, const std::string& text) const {
    Type(ids::kPageField[page - 1], text, true);
  }

  std::string Text(int id) const { return Control<EnterEdit>(id)->text().toStdString(); }
  std::string PageText(int page) const { return Text(ids::kPageField[page - 1]); }
  std::uint32_t Colour(int id) const {
    return Control<EnterEdit>(id)->colorStyle().backgroundColour();
  }
  std::uint32_t PageColour(int page) const { return Colour(ids::kPageField[page - 1]); }
  bool ShowsSet(int id) const { return Control<ImageButton>(id)->showsSetImage(); }

  sim::Transponder OnAntenna() const {
    return simulator_->OnAntenna().value_or(sim::Transponder{});
  }
  // The commands the simulator received since the last call.
  std::vector<std::string> NewCommands() {
    std::vector<std::string> all = simulator_->ReceivedCommands();
    std::vector<std::string> fresh(all.begin() + static_cast<std::ptrdiff_t>(seen_), all.end());
    seen_ = all.size();
    return fresh;
  }

  std::unique_ptr<sim::ReaderSimulator> simulator_;

 private:
  std::size_t seen_ = 0;
};

}  // namespace torvane::test
