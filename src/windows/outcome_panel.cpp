#include "windows/outcome_panel.h"

#include <QFontMetrics>
#include <QLabel>
#include <cstdio>
#include <ctime>

#include "controls/color_style.h"
#include "res/control_template.h"
#include "view/station_view.h"

namespace torvane {

namespace {

// Capitals of about 50 pixels, readable from a metre away.
constexpr int kLargeVerdictPixels = 72;
constexpr int kCompactVerdictPixels = 24;
constexpr int kLargeIdPixels = 26;
constexpr int kLargeLinePixels = 15;

struct FaceLook {
  const char* text;
  QColor background;
};

FaceLook LookOf(OutcomePanel::Face face) {
  switch (face) {
    case OutcomePanel::Face::Ready:
      return {"READY", Qt::white};
    case OutcomePanel::Face::Busy:
      return {"BUSY", QColor(255, 230, 0)};
    case OutcomePanel::Face::Pass:
      return {"PASS", ColourFromRef(colour::kGreen)};
    case OutcomePanel::Face::Fail:
      return {"FAIL", ColourFromRef(colour::kRed)};
    case OutcomePanel::Face::Waiting:
      return {"WAITING", QColor(200, 220, 255)};
  }
  return {"", Qt::white};
}

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

void SetPixelSize(QLabel* label, int pixels, bool bold) {
  QFont font = label->font();
  font.setPixelSize(pixels);
  font.setBold(bold);
  label->setFont(font);
}

}  // namespace

OutcomePanel::OutcomePanel(QWidget* parent) : QFrame(parent) {
  setObjectName("outcomePanel");
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  verdict_ = AddLabel("resultText");
  carrierId_ = AddLabel("resultCarrierId");
  uid_ = AddLabel("resultUid");
  time_ = AddLabel("resultTime");
  runState_ = AddLabel("runState");
  reason_ = AddLabel("resultReason");
  good_ = AddLabel("goodCount");
  failed_ = AddLabel("failedCount");
  remaining_ = AddLabel("remainingCount");
  note_ = AddLabel("panelNote");
  verdict_->setAlignment(Qt::AlignCenter);
  verdict_->setAutoFillBackground(true);
  Arrange();
  ShowReady();
}

QLabel* OutcomePanel::AddLabel(const char* name) {
  auto* label = new QLabel(this);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  return label;
}

void OutcomePanel::SetLarge(bool large) {
  if (large == large_) return;
  large_ = large;
  Arrange();
}

void OutcomePanel::Arrange() {
  const QFont dialogFont = font();
  for (QLabel* label : findChildren<QLabel*>()) {
    label->setFont(dialogFont);
    label->setWordWrap(false);
  }
  if (large_) {
    // Pixels in a panel 400 wide and 299 high.
    verdict_->setGeometry(4, 4, 392, 92);
    carrierId_->setGeometry(8, 100, 384, 34);
    uid_->setGeometry(8, 136, 236, 20);
    time_->setGeometry(248, 136, 144, 20);
    reason_->setGeometry(8, 158, 384, 40);
    good_->setGeometry(8, 200, 130, 20);
    failed_->setGeometry(140, 200, 130, 20);
    remaining_->setGeometry(272, 200, 120, 20);
    runState_->setGeometry(8, 222, 384, 38);
    note_->setGeometry(8, 262, 384, 32);
    for (QLabel* label : findChildren<QLabel*>()) SetPixelSize(label, kLargeLinePixels, false);
    SetPixelSize(carrierId_, kLargeIdPixels, true);
    for (QLabel* label : {reason_, runState_, note_}) {
      label->setWordWrap(true);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
  } else {
    // Dialog units in the strip below the Manual group, as the window's own controls.
    verdict_->setGeometry(DialogRect{1, 1, 52, 33}.ToPixels());
    carrierId_->setGeometry(DialogRect{56, 0, 120, 9}.ToPixels());
    uid_->setGeometry(DialogRect{178, 0, 108, 9}.ToPixels());
    time_->setGeometry(DialogRect{56, 9, 100, 9}.ToPixels());
    runState_->setGeometry(DialogRect{158, 9, 128, 9}.ToPixels());
    reason_->setGeometry(DialogRect{56, 18, 230, 9}.ToPixels());
    good_->setGeometry(DialogRect{56, 27, 78, 9}.ToPixels());
    failed_->setGeometry(DialogRect{136, 27, 84, 9}.ToPixels());
    remaining_->setGeometry(DialogRect{222, 27, 64, 9}.ToPixels());
    note_->setGeometry(0, 0, 0, 0);
    QFont bold = carrierId_->font();
    bold.setBold(true);
    carrierId_->setFont(bold);
    for (QLabel* label : {reason_, runState_, note_}) label->setAlignment(Qt::AlignLeft);
  }
  note_->setVisible(large_);
  ShowVerdict();
}

void OutcomePanel::ShowVerdict() {
  const FaceLook look =
      disconnected_ ? FaceLook{"DISCONNECTED", QColor(255, 160, 0)} : LookOf(face_);
  // The largest type in which the word fits the verdict's box.
  QFont font = verdict_->font();
  font.setBold(true);
  const int room = verdict_->width() - 8;
  for (int pixels = large_ ? kLargeVerdictPixels : kCompactVerdictPixels; pixels > 6; --pixels) {
    font.setPixelSize(pixels);
    if (QFontMetrics(font).horizontalAdvance(look.text) <= room) break;
  }
  verdict_->setFont(font);
  verdict_->setText(look.text);
  QPalette palette = verdict_->palette();
  palette.setColor(QPalette::Window, look.background);
  palette.setColor(QPalette::WindowText, Qt::black);
  verdict_->setPalette(palette);
}

void OutcomePanel::SetFace(Face face) {
  face_ = face;
  ShowVerdict();
}

void OutcomePanel::ClearResult() {
  for (QLabel* label : {carrierId_, uid_, time_, reason_}) label->clear();
  reason_->setToolTip(QString());
}

void OutcomePanel::ShowReady() {
  ClearResult();
  SetFace(Face::Ready);
  reason_->setText(Text(hint_));
}

void OutcomePanel::ShowBusy() {
  ClearResult();
  SetFace(Face::Busy);
}

void OutcomePanel::ShowOutcome(const CycleOutcome& outcome, const std::string& uid,
                               std::chrono::system_clock::time_point started,
                               std::chrono::steady_clock::duration took) {
  SetFace(outcome.programmed ? Face::Pass : Face::Fail);
  carrierId_->setText(Text(outcome.carrierId));
  uid_->setText(uid.empty() ? QString() : "UID " + Text(uid));
  time_->setText(Text(ClockText(started) + "  " + SecondsText(took)));
  // A good cycle on a shared range says which IDs of other stations it passed over.
  reason_->setText(Text(outcome.reason.empty() ? outcome.skippedNote : outcome.reason));
  reason_->setToolTip(reason_->text());
}

void OutcomePanel::ShowWaiting() {
  SetFace(Face::Waiting);
  reason_->setText(Text(hint_));
  reason_->setToolTip(QString());
}

void OutcomePanel::ShowHint(const std::string& hint) {
  hint_ = hint;
  if (face_ == Face::Ready || face_ == Face::Waiting) reason_->setText(Text(hint_));
}

void OutcomePanel::ShowCounts(const OutcomeTally& tally, std::optional<std::uint64_t> remaining) {
  good_->setText(Text(CountText("good", tally.run().good, tally.set().good)));
  failed_->setText(Text(CountText("failed", tally.run().failed, tally.set().failed)));
  remaining_->setText(remaining ? "left " + QString::number(*remaining) : QString("left -"));
}

void OutcomePanel::ShowRunState(bool continuous, std::uint64_t made,
                                const std::string& readerTrouble) {
  QPalette palette = runState_->palette();
  palette.setColor(QPalette::WindowText, readerTrouble.empty() ? Qt::black : Qt::red);
  runState_->setPalette(palette);
  if (!readerTrouble.empty()) {
    runState_->setText(Text(readerTrouble));
  } else if (continuous) {
    runState_->setText("run: " + QString::number(made) + " made");
  } else {
    runState_->clear();
  }
  runState_->setToolTip(runState_->text());
  if (disconnected_ != !readerTrouble.empty()) {
    disconnected_ = !readerTrouble.empty();
    ShowVerdict();
  }
}

void OutcomePanel::ShowNote(const std::string& note) {
  note_->setText(QString::fromStdString(note));
}

}  // namespace torvane
