#include "app/station_settings.h"

#include <algorithm>
#include <cstdint>

#include "platform/decimal_text.h"
#include "platform/ini_text.h"
#include "platform/profile.h"
#include "platform/profile_values.h"
#include "platform/station_settings_name.h"

namespace torvane {

namespace {

constexpr std::string_view kInterface = "Interface";
constexpr std::string_view kAuto = "Auto";
constexpr std::string_view kData = "Data";
constexpr std::string_view kManual = "Manual";
constexpr std::string_view kProduction = "Production";
// More tries than this only delay the operator's message.
constexpr std::uint64_t kMaxRetries = 9;
constexpr std::size_t kShownFileNameLength = 51;

std::string Numbered(std::string_view prefix, std::size_t number, std::string_view suffix = {}) {
  return std::string(prefix) + std::to_string(number) + std::string(suffix);
}

using profile::FlagText;
using profile::FlagValue;
using profile::Read;
using profile::ReadText;
using profile::Write;
using profile::WriteText;

void LoadInterface(const ProfileFile& file, SerialSettings& serial) {
  serial.portName = ReadText(file, kInterface, "port");
  serial.baudRate = DecimalValue(ReadText(file, kInterface, "Baudrate"));
  serial.dataBits = DecimalValue(ReadText(file, kInterface, "Databits"));
  serial.stopBitsText = ReadText(file, kInterface, "Stopbits");
  serial.parityText = ReadText(file, kInterface, "Parity");
  serial.flowControlText = ReadText(file, kInterface, "Flowcontrol");
  // Nothing reads the codes before the port opens, so they can follow at once.
  ResolveSerialCodes(serial);
}

void LoadAuto(const ProfileFile& file, StationState& state) {
  state.setInUse.configMode = DecimalValue(ReadText(file, kAuto, "SelectConfig"));
  state.setInUse.name = ReadText(file, kAuto, "Pruefablauf_ist");
  // The list has room for kMaxSetListSize names; a larger count is capped.
  const auto count = static_cast<std::size_t>(
      std::clamp<std::int32_t>(DecimalValue(ReadText(file, kAuto, "Pruefablaeufe")), 0,
                               static_cast<std::int32_t>(kMaxSetListSize)));
  state.setList.clear();
  for (std::size_t i = 0; i < count; ++i) {
    state.setList.push_back(ReadText(file, kAuto, Numbered("Pruefablauf_", i)));
  }
  state.carrierIdMaxText = ReadText(file, kAuto, "Carrier ID Max");
  state.csvDelimiter = ReadText(file, kAuto, "csv delimiter");
  if (state.csvDelimiter.empty()) state.csvDelimiter = ",";
}

void LoadData(const ProfileFile& file, PageState& pages) {
  pages.allPagesSelected = FlagValue(ReadText(file, kData, "SelectAll")) ? 1 : 0;
  for (std::size_t i = 0; i < pages.pageSelected.size(); ++i) {
    pages.pageSelected[i] = FlagValue(ReadText(file, kData, Numbered("SelectP", i + 1))) ? 1 : 0;
  }
  pages.displayForm = FlagValue(ReadText(file, kData, "Format")) ? PageForm::Ascii : PageForm::Hex;
  for (std::size_t i = 0; i < pages.pageText.size(); ++i) {
    pages.pageText[i] = Read(file, kData, Numbered("P", i + 1));
    pages.defaultPageText[i] = Read(file, kData, Numbered("P", i + 1, "Default"));
    if (pages.displayForm == PageForm::Ascii) {
      pages.asciiText[i] = pages.pageText[i];
      pages.hexText[i] = AsciiToHex(pages.pageText[i]);
    } else {
      pages.hexText[i] = pages.pageText[i];
      pages.asciiText[i] = HexToAscii(pages.pageText[i]);
    }
  }
}

void LoadManual(const ProfileFile& file, StationState& state) {
  state.carrierId.carrierIdOffsetText = ReadText(file, kManual, "Carrier ID Offset");
  state.carrierId.carrierIdLengthText = ReadText(file, kManual, "Carrier ID Length");
  state.carrierId.carrierIdText = Read(file, kManual, "Carrier ID");
  state.manualLog.manualLogOn = FlagValue(ReadText(file, kManual, "Log")) ? 1 : 0;
  const bool ti = FlagValue(ReadText(file, kManual, "Type"));
  state.reader.tiSelected = ti ? 1 : 0;
  state.reader.quorviSelected = ti ? 0 : 1;
  state.manualLog.fileName = ReadText(file, kManual, "file name");
}

// A value that is missing or not understood keeps the default.
void LoadProduction(const ProfileFile& file, ProgrammingPolicy& programming) {
  programming = {};
  if (const auto scope = VerifyScopeOf(ReadText(file, kProduction, "Verify"))) {
    programming.verify = *scope;
  }
  if (const auto retries = ReadWholeDecimal(ReadText(file, kProduction, "Retries"))) {
    programming.retries = static_cast<int>(std::min(*retries, kMaxRetries));
  }
}

void LoadAll(const ProfileFile& file, StationState& state) {
  LoadInterface(file, state.serial);
  state.ledger = ReadLedgerSettings(file);
  LoadAuto(file, state);
  LoadData(file, state.pages);
  LoadManual(file, state);
  LoadProduction(file, state.production.programming);
}

void SaveInterface(ProfileFile& file, const SerialSettings& serial) {
  WriteText(file, kInterface, "port", serial.portName);
  WriteText(file, kInterface, "baudrate", std::to_string(serial.baudRate));
  WriteText(file, kInterface, "databits", std::to_string(serial.dataBits));
  WriteText(file, kInterface, "stopbits", StopBitsCaption(serial.stopBitsCode));
  WriteText(file, kInterface, "parity", ParityCaption(serial.parityCode));
  WriteText(file, kInterface, "Flowcontrol", FlowControlCaption(serial.flowControlCode));
}

void SaveAuto(ProfileFile& file, const StationState& state) {
  WriteText(file, kAuto, "SelectConfig", FlagText(state.setInUse.configMode == 1));
  WriteText(file, kAuto, "Pruefablauf_ist", state.setInUse.name);
  const std::size_t count = std::min(state.setList.size(), kMaxSetListSize);
  WriteText(file, kAuto, "Pruefablaeufe", std::to_string(count));
  for (std::size_t i = 0; i < count; ++i) {
    WriteText(file, kAuto, Numbered("Pruefablauf_", i), state.setList[i]);
  }
  // Names left behind by a longer list are emptied up to the first empty key.
  for (std::size_t i = count; i < kMaxSetListSize; ++i) {
    const std::string key = Numbered("Pruefablauf_", i);
    if (ReadText(file, kAuto, key).empty()) break;
    WriteText(file, kAuto, key, "");
  }
  WriteText(file, kAuto, "Carrier ID Max", state.carrierIdMaxText);
}

void SaveData(ProfileFile& file, const PageState& pages) {
  WriteText(file, kData, "SelectAll", FlagText(pages.allPagesSelected != 0));
  for (std::size_t i = 0; i < pages.pageSelected.size(); ++i) {
    WriteText(file, kData, Numbered("SelectP", i + 1), FlagText(pages.pageSelected[i] != 0));
  }
  WriteText(file, kData, "Format", std::to_string(static_cast<int>(pages.displayForm)));
  for (std::size_t i = 0; i < pages.pageText.size(); ++i) {
    Write(file, kData, Numbered("P", i + 1), pages.pageText[i]);
  }
}

void SaveManual(ProfileFile& file, const StationState& state) {
  WriteText(file, kManual, "Carrier ID Offset", state.carrierId.carrierIdOffsetText);
  WriteText(file, kManual, "Carrier ID Length", state.carrierId.carrierIdLengthText);
  Write(file, kManual, "Carrier ID", state.carrierId.carrierIdText);
  WriteText(file, kManual, "Log", FlagText(state.manualLog.manualLogOn != 0));
  WriteText(file, kManual, "Type", FlagText(state.reader.tiSelected != 0));
  WriteText(file, kManual, "file name", state.manualLog.fileName);
}

void SaveProduction(ProfileFile& file, const ProgrammingPolicy& programming) {
  WriteText(file, kProduction, "Verify", VerifyScopeName(programming.verify));
  WriteText(file, kProduction, "Retries", std::to_string(programming.retries));
}

}  // namespace

std::string StationSettingsPath(std::string_view workingDirectory) {
  std::string path(workingDirectory);
  if (!path.empty() && path.back() != '/') path.push_back('/');
  return path + std::string(kStationSettingsName) + ".ini";
}

Status LoadStationSettings(const std::string& path, StationState& state) {
  Result<ProfileFile> file = ProfileFile::Load(path);
  // An unreadable file leaves the same empty defaults as a missing one.
  LoadAll(file.ok() ? file.value : ProfileFile{}, state);
  return file.ok() ? Status::Success() : Status::Failure(file.error);
}

Status SaveStationSettings(const std::string& path, const StationState& state) {
  Result<ProfileFile> loaded = ProfileFile::Load(path);
  // Saving over a file that could not be read would lose the keys set up by hand.
  if (!loaded.ok()) return Status::Failure(loaded.error);
  ProfileFile& file = loaded.value;
  SaveInterface(file, state.serial);
  SaveAuto(file, state);
  SaveData(file, state.pages);
  SaveManual(file, state);
  SaveProduction(file, state.production.programming);
  return file.Save();
}

std::string DisplayedFileName(std::string_view fileName) {
  const std::string name = IniTextToUtf8(fileName);
  if (CharacterCount(name) <= kShownFileNameLength) return name;
  return "..." + std::string(LastCharacters(name, kShownFileNameLength));
}

}  // namespace torvane
