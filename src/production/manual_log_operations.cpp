#include "production/manual_log_operations.h"

#include "platform/time_stamp.h"
#include "production/production_messages.h"
#include "production/record_blocks.h"
#include "production/record_file.h"
#include "production/record_paths.h"
#include "production/record_template.h"
#include "view/control_ids.h"

namespace torvane {

ManualLogOperations::ManualLogOperations(StationView& view, ManualLogState& manualLog,
                                         const PageState& pages, const ReaderState& reader,
                                         const SetInUse& setInUse,
                                         const std::string& workingDirectory)
    : view_(view),
      manualLog_(manualLog),
      pages_(pages),
      reader_(reader),
      setInUse_(setInUse),
      workingDirectory_(workingDirectory) {}

void ManualLogOperations::OnLogToggle() {
  view_.TakeFieldValues();
  view_.SetButtonImage(ids::kLogCheck, manualLog_.manualLogOn == 1);
  if (manualLog_.manualLogOn != 1) view_.ShowFieldValues();
}

void ManualLogOperations::OnOpen(FileChooser& chooser) {
  view_.TakeFieldValues();
  const std::string start = manualLog_.fileName.empty() ? workingDirectory_ : manualLog_.fileName;
  if (const auto chosen = chooser.SaveFile({"*.xml", "xml", start})) manualLog_.fileName = *chosen;
  if (manualLog_.fileName.empty()) {
    manualLog_.fileName = FileInFolder(workingDirectory_, kDefaultManualRecordFile);
  }
  view_.ShowFieldValues();
}

std::string ManualLogOperations::RecordPath() const {
  if (!manualLog_.fileName.empty()) return manualLog_.fileName;
  return FileInFolder(workingDirectory_, kDefaultProductionRecordFile);
}

Status ManualLogOperations::WriteManualRecord(ManualRecordKind kind) {
  const RecordedPages pages =
      RecordedPagesOf(pages_.hexText, pages_.asciiText, setInUse_.set.lockPage, [this](int i) {
        return pages_.pageSelected[i] == 1 && !pages_.pageText[i].empty() &&
               pages_.pageDone[i] == 1;
      });
  const std::string uid = reader_.quorviSelected == 1 ? reader_.uidText : "";
  const std::string rows =
      ManualHeaderBlock(kind) + RecordRows().Record(CurrentTimeStamp(), uid, pages).text();
  const Status status = AppendToRecordFile(
      RecordPath(), kManualRecordColumns, [&rows](bool) { return rows; },
      FileInFolder(workingDirectory_, kRecordAppendJournal));
  if (status.ok()) return status;
  view_.ShowFieldValues();
  view_.ShowMessage(std::string(text::kRecordFileFailure) + "\r\n\r\n" + status.error,
                    text::kCaption, MessageIcon::Error, MessageButtons::Ok);
  return status;
}

}  // namespace torvane
