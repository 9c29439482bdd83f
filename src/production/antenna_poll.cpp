#include "production/antenna_poll.h"

#include "transponder/reader_exchange.h"
#include "transponder/transponder_read_back.h"

namespace torvane {

std::optional<std::string> AntennaPoll::ReadUid() {
  const std::optional<std::string> answer = AskUidQuietly(link_, reader_);
  answered_ = answer.has_value();
  if (!answer || !IsGoodUidAnswer(*answer)) return std::nullopt;
  return answer;
}

}  // namespace torvane
