#include "app/outcome_panel.h"

#include <QLabel>
#include <cstdio>
#include <ctime>

#include "controls/color_style.h"
#include "res/control_template.h"
#include "transponder/station_view.h"

namespace torvane {

namespace {

constexpr int kVerdictPointSize = 18;

QString Text(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ClockText(std::chrono::system_clock::time_point when) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[16];
  std::strftime(text, sizeof text, "%H:%M:%S", &local);
  return text;
}

std::string SecondsText(std::chrono::steady_clock::duration took) {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(took).count();
  char text[32];
  std::snprintf(text, sizeof text, "%lld.%02lld s", static_cast<long long>(ms / 1000),
                static_cast<long long>(ms % 1000 / 10));
  return text;
}

std::string CountText(const char* name, std::uint64_t run, std::uint64_t set) {
  return std::string(name) + " " + std::to_string(run) + " (set " + std::to_string(set) + ")";
}

}  // namespace

COutcomePanel::COutcomePanel(QWidget* parent) : QFrame(parent) {
  setObjectName("outcomePanel");
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  // Positions in dialog units inside the panel, as the window's own controls.
  verdict_ = AddLabel("resultText", 1, 1, 52, 33);
  carrierId_ = AddLabel("resultCarrierId", 56, 0, 120, 9);
  uid_ = AddLabel("resultUid", 178, 0, 108, 9);
  time_ = AddLabel("resultTime", 56, 9, 100, 9);
  runState_ = AddLabel("runState", 158, 9, 128, 9);
  reason_ = AddLabel("resultReason", 56, 18, 230, 9);
  good_ = AddLabel("goodCount", 56, 27, 78, 9);
  failed_ = AddLabel("failedCount", 136, 27, 84, 9);
  remaining_ = AddLabel("remainingCount", 222, 27, 64, 9);

  QFont large = verdict_->font();
  large.setPointSize(kVerdictPointSize);
  large.setBold(true);
  verdict_->setFont(large);
  verdict_->setAlignment(Qt::AlignCenter);
  verdict_->setAutoFillBackground(true);
  QFont bold = carrierId_->font();
  bold.setBold(true);
  carrierId_->setFont(bold);
  reason_->setTextFormat(Qt::PlainText);
  SetVerdict("", colour::kWhite);
}

QLabel* COutcomePanel::AddLabel(const char* name, int x, int y, int width, int height) {
  auto* label = new QLabel(this);
  label->setObjectName(name);
  label->setGeometry(DialogRect{x, y, width, height}.ToPixels());
  label->setTextFormat(Qt::PlainText);
  return label;
}

void COutcomePanel::SetVerdict(const char* text, std::uint32_t background) {
  verdict_->setText(text);
  QPalette palette = verdict_->palette();
  palette.setColor(QPalette::Window, ColourFromRef(background));
  palette.setColor(QPalette::WindowText, Qt::black);
  verdict_->setPalette(palette);
}

void COutcomePanel::ShowBusy() {
  SetVerdict("BUSY", colour::kWhite);
  for (QLabel* label : {carrierId_, uid_, time_, reason_}) label->clear();
}

void COutcomePanel::ShowOutcome(const CycleOutcome& outcome, const std::string& uid,
                                std::chrono::system_clock::time_point ended,
                                std::chrono::steady_clock::duration took) {
  if (outcome.programmed) {
    SetVerdict("PASS", colour::kGreen);
  } else {
    SetVerdict("FAIL", colour::kRed);
  }
  carrierId_->setText(Text(outcome.carrierId));
  uid_->setText(uid.empty() ? QString() : "UID " + Text(uid));
  time_->setText(Text(ClockText(ended) + "  " + SecondsText(took)));
  // A good cycle on a shared range says which IDs of other stations it passed over.
  reason_->setText(Text(outcome.reason.empty() ? outcome.skippedNote : outcome.reason));
  reason_->setToolTip(reason_->text());
}

void COutcomePanel::ShowCounts(const OutcomeTally& tally, std::optional<std::uint64_t> remaining) {
  good_->setText(Text(CountText("good", tally.run().good, tally.set().good)));
  failed_->setText(Text(CountText("failed", tally.run().failed, tally.set().failed)));
  remaining_->setText(remaining ? "left " + QString::number(*remaining) : QString("left -"));
}

void COutcomePanel::ShowRunState(bool continuous, std::uint64_t made, bool readerAway) {
  QPalette palette = runState_->palette();
  palette.setColor(QPalette::WindowText, readerAway ? Qt::red : Qt::black);
  runState_->setPalette(palette);
  if (readerAway) {
    runState_->setText("reader disconnected");
  } else if (continuous) {
    runState_->setText("run: " + QString::number(made) + " made");
  } else {
    runState_->clear();
  }
}

}  // namespace torvane
