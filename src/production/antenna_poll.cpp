#include "production/antenna_poll.h"

#include "transponder/transponder_read_back.h"

namespace torvane {

std::optional<std::string> AntennaPoll::ReadUid() {
  return ReadUidQuietly(link_, reader_);
}

}  // namespace torvane
