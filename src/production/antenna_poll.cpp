#include "production/antenna_poll.h"

#include <chrono>

#include "transponder/reader_exchange.h"

namespace torvane {

std::optional<std::string> AntennaPoll::ReadUid() {
  if (!link_.portOpen()) return std::nullopt;
  const ReaderCommand command = ReaderCommand::ReadUid();
  link_.setReadBusy(true);
  link_.ResetAnswerEvent();
  std::optional<std::string> line;
  if (link_.SendLine(command.text) == 0) {
    line = link_.WaitAnswer(std::chrono::milliseconds(command.waitUnits * reader_.answerUnit));
  }
  link_.setReadBusy(false);
  if (!line) return std::nullopt;
  std::string uid = line->substr(0, command.keptLength);
  if (!IsGoodUidAnswer(uid)) return std::nullopt;
  return uid;
}

}  // namespace torvane
