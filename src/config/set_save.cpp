#include "config/set_save.h"

#include <filesystem>
#include <system_error>

#include "config/set_file.h"
#include "config/set_name.h"

namespace torvane {

namespace {

constexpr const char* kCaption = "Torvane";
constexpr const char* kOverwriteQuestion = "This parameter set already exists.\r\nOverwrite it?";
constexpr const char* kNoAccess = "No access to ini file or path.";
constexpr const char* kSaveError = "Error while saving configuration set";
constexpr const char* kListFull =
    "The list of configuration sets is full (256 names).\r\nPlease delete a set you no longer "
    "need, or save under a name that is already in the list.";

bool FileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

}  // namespace

SaveSetResult SaveSet(OperatorMessages& operatorMessages, std::string_view workingDirectory,
                      const std::string& name, const ConfigurationSet& set, SetList& setList) {
  const Result<std::string> path = SetFilePath(workingDirectory, name);
  if (!path.ok()) {
    operatorMessages.ShowMessage(path.error, kCaption, MessageIcon::Warning, MessageButtons::Ok);
    return {SaveSetOutcome::Refused};
  }
  if (!HasRoomFor(setList, name)) {
    operatorMessages.ShowMessage(kListFull, kCaption, MessageIcon::Warning, MessageButtons::Ok);
    return {SaveSetOutcome::Refused};
  }
  if (FileExists(path.value) &&
      operatorMessages.ShowMessage(kOverwriteQuestion, kCaption, MessageIcon::Question,
                                   MessageButtons::YesNo) != MessageAnswer::Yes) {
    return {SaveSetOutcome::Declined};
  }
  if (!SaveSetFile(path.value, set).ok()) {
    operatorMessages.ShowMessage(kNoAccess, kCaption, MessageIcon::Error, MessageButtons::Ok);
    operatorMessages.ShowMessage(kSaveError, kCaption, MessageIcon::Error, MessageButtons::Ok);
    return {SaveSetOutcome::Failed};
  }
  return {SaveSetOutcome::Saved, AddName(setList, name)};
}

}  // namespace torvane
