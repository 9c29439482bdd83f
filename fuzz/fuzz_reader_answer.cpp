// Whatever the reader sends, the station cuts it into lines of bounded length
// at CR, and only a real answer counts: a good UID never carries a failure
// mark, a good page answer is eight bytes that show as valid page texts in both
// forms, an acknowledgement is "ACK", and the timing value stays in range.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fuzz_support.h"
#include "link/line_assembler.h"
#include "platform/hex_text.h"
#include "transponder/page_codec.h"
#include "transponder/reader_command.h"
#include "transponder/reader_exchange.h"

namespace {

using torvane::PageForm;

// The answer as an exchange keeps it: up to a NUL, cut to the command's length.
std::string Kept(std::string line, const torvane::ReaderCommand& command) {
  line.resize(std::min(line.size(), line.find('\0')));
  return line.substr(0, command.keptLength);
}

void CheckAnswer(const std::string& line, std::string_view sent) {
  FUZZ_CHECK(line.ends_with("\r\n"));
  FUZZ_CHECK(line.size() <= torvane::LineAssembler::kMaxLineLength + 2);
  FUZZ_CHECK(line.find('\r') == line.size() - 2);
  FUZZ_CHECK(sent.starts_with(line.substr(0, line.size() - 2)));

  const std::string uid = Kept(line, torvane::ReaderCommand::ReadUid());
  if (torvane::IsGoodUidAnswer(uid)) {
    FUZZ_CHECK(uid.size() == 8 && uid.find("No Read") == std::string::npos);
  }
  const std::string page = Kept(line, torvane::ReaderCommand::ReadPage(1));
  if (torvane::IsGoodPageAnswer(page)) {
    FUZZ_CHECK(torvane::HexToChars(page).size() == 8);
    const std::string hex = torvane::SpacedPairs(page);
    FUZZ_CHECK(torvane::IsPageTextValid(hex, PageForm::Hex));
    FUZZ_CHECK(torvane::IsPageTextValid(torvane::HexToAscii(hex), PageForm::Ascii));
  }
  const std::string ack = Kept(line, torvane::ReaderCommand::LockPage(1));
  if (torvane::IsAcknowledged(ack)) FUZZ_CHECK(line.starts_with("ACK"));
  const int timing = torvane::TimingValue(Kept(line, torvane::ReaderCommand::Calibration()));
  FUZZ_CHECK(timing >= 0 && timing <= 256);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view stream(reinterpret_cast<const char*>(data), size);
  torvane::LineAssembler assembler;
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < stream.size(); ++i) {
    if (auto line = assembler.Accept(stream[i])) {
      CheckAnswer(*line, stream.substr(lineStart, i - lineStart));
      lineStart = i + 1;
    }
  }
  FUZZ_CHECK(assembler.rxLength() <= torvane::LineAssembler::kMaxLineLength);
  return 0;
}
