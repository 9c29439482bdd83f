#include "console_commands.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <optional>
#include <vector>

#include "number_text.h"

namespace torvane::sim {

namespace {

constexpr long kMaxMilliseconds = 3'600'000;
// Binary bytes, an escape sequence and a CR: what a line with noise on it delivers.
constexpr std::string_view kDefaultGarbage = "\x00\xFF\x1B[2J\x80\x7F#\r";

struct Session {
  ReaderSimulator& sim;
  bool& quit;
};

using Handler = std::optional<std::string> (*)(Session&, std::string_view argument);

struct CommandEntry {
  std::string_view name;
  std::string_view argument;
  std::string_view meaning;
  Handler handler;  // nothing when the argument is not acceptable
};

std::optional<std::chrono::milliseconds> Milliseconds(std::string_view text) {
  const auto ms = ParseDecimal(text, 0, kMaxMilliseconds);
  if (!ms) return std::nullopt;
  return std::chrono::milliseconds(*ms);
}

template <typename Setter>
std::optional<std::string> SetNumber(std::string_view argument, long max, Setter set) {
  const auto value = ParseDecimal(argument, 0, max);
  if (!value) return std::nullopt;
  set(static_cast<int>(*value));
  return "ok";
}

template <typename Setter>
std::optional<std::string> SetTime(std::string_view argument, Setter set) {
  const auto ms = Milliseconds(argument);
  if (!ms) return std::nullopt;
  set(*ms);
  return "ok";
}

std::string AsciiOf(const Page& page) {
  std::string text;
  for (const std::uint8_t byte : page)
    text.push_back(byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.');
  return text;
}

std::string HexOf(const Page& page) {
  std::string text;
  for (const std::uint8_t byte : page) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%02X ", static_cast<unsigned>(byte));
    text += digits;
  }
  text.pop_back();
  return text;
}

int LockedCount(const Transponder& transponder) {
  return static_cast<int>(std::count(transponder.locked.begin(), transponder.locked.end(), true));
}

std::string ShowText(const std::optional<Transponder>& transponder) {
  if (!transponder) return "no transponder on the antenna";
  std::string text = "UID " + transponder->uid;
  for (int page = 0; page < kPageCount; ++page) {
    char head[16];
    std::snprintf(head, sizeof head, "\npage %2d  ", page + 1);
    text += head + HexOf(transponder->pages[page]) + "  " + AsciiOf(transponder->pages[page]);
    if (transponder->locked[page]) text += "  locked";
  }
  return text;
}

std::string ListText(const std::vector<Transponder>& all,
                     const std::optional<Transponder>& onAntenna) {
  if (all.empty()) return "no transponders yet";
  std::string text;
  for (std::size_t i = 0; i < all.size(); ++i) {
    char counts[48];
    std::snprintf(counts, sizeof counts, "%3zu  ", i + 1);
    text += (i == 0 ? "" : "\n") + std::string(counts) + all[i].uid;
    std::snprintf(counts, sizeof counts, "  locked %2d/%d  pages 1-2 \"", LockedCount(all[i]),
                  kPageCount);
    text += counts + AsciiOf(all[i].pages[0]) + AsciiOf(all[i].pages[1]) + "\"";
  }
  if (onAntenna) text += "\non the antenna: " + onAntenna->uid;
  return text;
}

const CommandEntry kCommands[] = {
    {"place", "", "put a blank transponder with the next UID on the antenna",
     [](Session& session, std::string_view) -> std::optional<std::string> {
       session.sim.PlaceBlankTransponder();
       const auto placed = session.sim.OnAntenna();
       return placed ? "placed " + placed->uid : "placed";
     }},
    {"remove", "", "take the transponder off the antenna",
     [](Session& session, std::string_view) -> std::optional<std::string> {
       const bool present = session.sim.OnAntenna().has_value();
       session.sim.RemoveTransponder();
       return present ? "removed" : "no transponder on the antenna";
     }},
    {"show", "", "print the memory of the transponder on the antenna",
     [](Session& session, std::string_view) -> std::optional<std::string> {
       return ShowText(session.sim.OnAntenna());
     }},
    {"list", "", "list every transponder that has been on the antenna",
     [](Session& session, std::string_view) -> std::optional<std::string> {
       return ListText(session.sim.Programmed(), session.sim.OnAntenna());
     }},
    {"timing", "N", "answer N to TOR",
     [](Session& session, std::string_view argument) {
       return SetNumber(argument, INT_MAX, [&](int n) { session.sim.SetTimingValue(n); });
     }},
    {"latency", "MS", "delay every answer by MS",
     [](Session& session, std::string_view argument) {
       return SetTime(argument, [&](auto ms) { session.sim.SetAnswerLatency(ms); });
     }},
    {"write-time", "MS", "delay answers to page writes by MS more",
     [](Session& session, std::string_view argument) {
       return SetTime(argument, [&](auto ms) { session.sim.SetWriteTime(ms); });
     }},
    {"lock-time", "MS", "delay answers to page locks by MS more",
     [](Session& session, std::string_view argument) {
       return SetTime(argument, [&](auto ms) { session.sim.SetLockTime(ms); });
     }},
    {"swap-delay", "MS",
     "MS after the last acknowledged lock, swap in a fresh transponder (0: never)",
     [](Session& session, std::string_view argument) {
       return SetTime(argument, [&](auto ms) { session.sim.SetSwapDelay(ms); });
     }},
    {"drop", "K", "send no answer to the next K commands (they still take effect)",
     [](Session& session, std::string_view argument) {
       return SetNumber(argument, INT_MAX, [&](int n) { session.sim.DropNextAnswers(n); });
     }},
    {"delay", "MS", "delay the next answer by MS more",
     [](Session& session, std::string_view argument) {
       return SetTime(argument, [&](auto ms) { session.sim.DelayNextAnswer(ms); });
     }},
    {"nak", "N", "answer NAK to writes and locks of page N (0: no page)",
     [](Session& session, std::string_view argument) {
       return SetNumber(argument, kPageCount, [&](int n) { session.sim.NakPage(n); });
     }},
    {"bad-store", "K", "acknowledge the next K page writes but store their first byte changed",
     [](Session& session, std::string_view argument) {
       return SetNumber(argument, INT_MAX, [&](int n) { session.sim.SpoilNextStores(n); });
     }},
    {"answer", "TEXT", "send TEXT and CR as the next answer (e.g. XXXXXXXX, #09, No Read)",
     [](Session& session, std::string_view argument) -> std::optional<std::string> {
       session.sim.AnswerNextWith(std::string(argument));
       return "ok";
     }},
    {"garbage", "[HEX]", "send these bytes (default: binary noise and CR) as the next answer",
     [](Session& session, std::string_view argument) -> std::optional<std::string> {
       const auto bytes =
           argument.empty() ? std::optional<std::string>(kDefaultGarbage) : ParseHexBytes(argument);
       if (!bytes) return std::nullopt;
       session.sim.SendGarbageNext(*bytes);
       return "ok";
     }},
    {"overlong", "", "send a 300-character line as the next answer",
     [](Session& session, std::string_view) -> std::optional<std::string> {
       session.sim.SendOverlongNext();
       return "ok";
     }},
    {"hangup", "", "close the line as a pulled USB adapter would",
     [](Session& session, std::string_view) -> std::optional<std::string> {
       session.sim.HangUp();
       return "line hung up";
     }},
    {"plug", "", "after \"hangup\": the same device back at the same path",
     [](Session& session, std::string_view) -> std::optional<std::string> {
       const Status plugged = session.sim.Plug();
       return plugged.ok() ? "plugged in at " + session.sim.devicePath() : plugged.error;
     }},
    {"help", "", "show the commands",
     [](Session&, std::string_view) -> std::optional<std::string> {
       return ConsoleCommands::HelpText();
     }},
    {"quit", "", "end the simulator",
     [](Session& session, std::string_view) -> std::optional<std::string> {
       session.quit = true;
       return "bye";
     }},
};

const CommandEntry* FindCommand(std::string_view name) {
  for (const CommandEntry& entry : kCommands)
    if (entry.name == name) return &entry;
  return nullptr;
}

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

std::string ConsoleCommands::Execute(std::string_view line) {
  line = Trimmed(line);
  if (line.empty()) return {};
  const auto blank = line.find(' ');
  const std::string_view name = line.substr(0, blank);
  const std::string_view argument =
      blank == std::string_view::npos ? std::string_view{} : Trimmed(line.substr(blank + 1));
  const CommandEntry* entry = FindCommand(name);
  if (entry == nullptr) return "unknown command '" + std::string(name) + "'; 'help' lists them";
  if (entry->argument.empty() && !argument.empty())
    return "'" + std::string(name) + "' takes no argument";
  Session session{simulator_, quitRequested_};
  const auto reply = entry->handler(session, argument);
  if (!reply) {
    return "usage: " + std::string(name) + " " + std::string(entry->argument) + " - " +
           std::string(entry->meaning);
  }
  return *reply;
}

std::string ConsoleCommands::HelpText() {
  std::string text = "Commands:";
  for (const CommandEntry& entry : kCommands) {
    std::string head = "\n  " + std::string(entry.name);
    if (!entry.argument.empty()) head += " " + std::string(entry.argument);
    head.resize(std::max<std::size_t>(head.size() + 1, 20), ' ');
    text += head + std::string(entry.meaning);
  }
  return text;
}

}  // namespace torvane::sim
