#include "command_line.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <string_view>

#include "number_text.h"
#include "transponder.h"

namespace torvane::sim {

namespace {

constexpr long kMaxMilliseconds = 3'600'000;

using Apply = bool (*)(CommandLine&, const std::string& value);

struct OptionEntry {
  std::string_view name;
  std::string_view value;  // how the value is shown in the usage; empty for a switch
  std::string_view meaning;
  Apply apply;
};

std::optional<std::chrono::milliseconds> Milliseconds(const std::string& value) {
  const auto ms = ParseDecimal(value, 0, kMaxMilliseconds);
  if (!ms) return std::nullopt;
  return std::chrono::milliseconds(*ms);
}

bool SetTime(std::chrono::milliseconds& target, const std::string& value) {
  const auto ms = Milliseconds(value);
  if (ms) target = *ms;
  return ms.has_value();
}

// Faults given as options are set up by the console command of the same effect.
bool QueueConsole(CommandLine& line, std::string_view word, const std::string& value, bool valid) {
  if (valid) line.consoleCommands.push_back(std::string(word) + " " + value);
  return valid;
}

const OptionEntry kOptions[] = {
    {"--link", "PATH",
     "also make PATH a symbolic link to the device (removed on exit and on hangup)",
     [](CommandLine& l, const std::string& v) { return !(l.options.linkPath = v).empty(); }},
    {"--empty", "", "start with no transponder on the antenna",
     [](CommandLine& l, const std::string&) { return l.options.empty = true; }},
    {"--swap-after-lock", "",
     "a TOR after one or more acknowledged LD puts a fresh transponder on the antenna",
     [](CommandLine& l, const std::string&) { return l.options.swapAfterLock = true; }},
    {"--swap-delay", "MS",
     "MS after the last acknowledged LD, put a fresh transponder on the antenna (0: never)",
     [](CommandLine& l, const std::string& v) { return SetTime(l.options.swapDelay, v); }},
    {"--first-uid", "HEX", "UID of the first transponder, 1 to 8 hex digits (default E0040001)",
     [](CommandLine& l, const std::string& v) {
       const auto uid = ParseUidNumber(v);
       if (uid) l.options.firstUid = *uid;
       return uid.has_value();
     }},
    {"--timing", "N", "the answer to TOR (default 10)",
     [](CommandLine& l, const std::string& v) {
       const auto n = ParseDecimal(v, 0, INT_MAX);
       if (n) l.options.timingValue = static_cast<int>(*n);
       return n.has_value();
     }},
    {"--latency", "MS", "delay of every answer",
     [](CommandLine& l, const std::string& v) { return SetTime(l.options.answerLatency, v); }},
    {"--write-time", "MS", "extra delay of the answer to a page write",
     [](CommandLine& l, const std::string& v) { return SetTime(l.options.writeTime, v); }},
    {"--lock-time", "MS", "extra delay of the answer to a page lock",
     [](CommandLine& l, const std::string& v) { return SetTime(l.options.lockTime, v); }},
    {"--baud", "RATE", "pace every byte at 10 bit times of RATE, both directions (50 to 4000000)",
     [](CommandLine& l, const std::string& v) {
       const auto baud = ParseDecimal(v, 50, 4'000'000);
       if (baud) l.options.paceBaud = static_cast<std::uint32_t>(*baud);
       return baud.has_value();
     }},
    {"--state", "FILE", "write every transponder to FILE as JSON on each change",
     [](CommandLine& l, const std::string& v) { return !(l.options.statePath = v).empty(); }},
    {"--log", "FILE", "log received commands and sent answers with monotonic time stamps",
     [](CommandLine& l, const std::string& v) { return !(l.options.logPath = v).empty(); }},
    {"--drop", "K", "send no answer to the first K commands",
     [](CommandLine& l, const std::string& v) {
       return QueueConsole(l, "drop", v, ParseDecimal(v, 0, INT_MAX).has_value());
     }},
    {"--delay-next", "MS", "delay the first answer by MS more",
     [](CommandLine& l, const std::string& v) {
       return QueueConsole(l, "delay", v, Milliseconds(v).has_value());
     }},
    {"--nak-page", "N", "answer NAK to writes and locks of page N",
     [](CommandLine& l, const std::string& v) {
       return QueueConsole(l, "nak", v, ParseDecimal(v, 0, kPageCount).has_value());
     }},
    {"--bad-store", "K", "acknowledge the first K page writes but store their first byte changed",
     [](CommandLine& l, const std::string& v) {
       return QueueConsole(l, "bad-store", v, ParseDecimal(v, 0, INT_MAX).has_value());
     }},
    {"--answer-next", "TEXT", "send TEXT (and CR) as the first answer",
     [](CommandLine& l, const std::string& v) { return QueueConsole(l, "answer", v, true); }},
    {"--garbage-next", "HEX", "send these bytes, given in hex, as the first answer",
     [](CommandLine& l, const std::string& v) {
       return QueueConsole(l, "garbage", v, ParseHexBytes(v).has_value());
     }},
    {"--overlong-next", "", "send a 300-character line as the first answer",
     [](CommandLine& l, const std::string&) {
       l.consoleCommands.push_back("overlong");
       return true;
     }},
    {"--help", "", "show this text",
     [](CommandLine& l, const std::string&) { return l.help = true; }},
};

const OptionEntry* FindOption(std::string_view name) {
  for (const OptionEntry& entry : kOptions)
    if (entry.name == name) return &entry;
  return nullptr;
}

}  // namespace

Result<CommandLine> ParseCommandLine(const std::vector<std::string>& arguments) {
  using Parsed = Result<CommandLine>;
  CommandLine line;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const OptionEntry* entry = FindOption(arguments[i] == "-h" ? "--help" : arguments[i]);
    if (entry == nullptr) return Parsed::Failure("unknown option '" + arguments[i] + "'");
    if (entry->value.empty()) {
      entry->apply(line, {});
      continue;
    }
    if (i + 1 == arguments.size())
      return Parsed::Failure("option " + arguments[i] + " needs a value " +
                             std::string(entry->value));
    const std::string& value = arguments[++i];
    if (!entry->apply(line, value)) {
      return Parsed::Failure("invalid value '" + value + "' for " + arguments[i - 1] + " " +
                             std::string(entry->value) + ": " + std::string(entry->meaning));
    }
  }
  return Parsed::Success(std::move(line));
}

std::string UsageText() {
  std::string text =
      "Usage: torvane-reader-sim [OPTION]...\n"
      "A transponder reader on a pseudo-terminal. The first line of output is the\n"
      "device path for the station's port; commands on standard input handle the\n"
      "transponders and faults (type 'help').\n\nOptions:\n";
  for (const OptionEntry& entry : kOptions) {
    std::string head = "  " + std::string(entry.name);
    if (!entry.value.empty()) head += " " + std::string(entry.value);
    head.resize(std::max<std::size_t>(head.size() + 1, 26), ' ');
    text += head + std::string(entry.meaning) + "\n";
  }
  text += "MS values are milliseconds from 0 to 3600000.\n";
  return text;
}

}  // namespace torvane::sim
