#include "config/set_file.h"

#include <cstdio>

#include "config/set_name.h"
#include "platform/profile.h"
#include "platform/profile_values.h"
#include "transponder/page_codec.h"
#include "view/page_geometry.h"

namespace torvane {

namespace {

// "HEX 07", "fix byte 07", "HEX 135": two digits at least.
std::string ByteKey(std::string_view prefix, int byte) {
  char number[8];
  std::snprintf(number, sizeof number, "%02d", byte);
  return std::string(prefix) + number;
}

std::string PageSection(int page) {
  return "Page " + std::to_string(page);
}

// Every key of a set file in file order, with the member it holds. Loading and
// saving both walk this one list. Set is ConfigurationSet or its const form.
template <class Set, class Visitor>
void VisitSetKeys(Set& set, Visitor& visit) {
  visit.Text("Work order Setup", "Operator badge ID#", set.operatorBadge);
  visit.Text("Work order Setup", "Part number", set.partNumber);
  visit.Text("Work order Setup", "Work order number", set.workOrderNumber);
  visit.Text("Work order Setup", "Quantity", set.quantity);

  visit.Flag("Data Source", "Decimal counter", set.sourceDecimalCounter);
  visit.Flag("Data Source", "csv file", set.sourceCsv);
  visit.Flag("Data Source", "csv file complete", set.sourceCsvComplete);
  visit.Text("Data Source", "file name", set.sourceFile);
  visit.Flag("Data Source", "fix data", set.sourceFixData);

  visit.Text("SEMI E99 Carrier ID Setup", "Carrier ID Offset", set.carrierIdOffset);
  visit.Text("SEMI E99 Carrier ID Setup", "Carrier ID Length", set.carrierIdLength);
  visit.RunningValue("SEMI E99 Carrier ID Setup", "Carrier ID", set.carrierId);
  visit.Flag("SEMI E99 Carrier ID Setup", "Lock Carrier ID", set.lockCarrierId);
  visit.Text("SEMI E99 Carrier ID Setup", "Memory Page", set.memoryPage);

  visit.Flag("Transponder type", "TI", set.typeTi);
  visit.Flag("Transponder type", "Quorvi", set.typeQuorvi);

  const auto visitPage = [&](int page) {
    const std::string section = PageSection(page);
    const int first = kBytesPerPage * (page - 1);
    for (int byte = first; byte < first + kBytesPerPage; ++byte) {
      visit.Text(section, ByteKey("HEX ", byte), set.byteHex[byte]);
    }
    if (page <= 2) {
      for (int byte = first; byte < first + kBytesPerPage; ++byte) {
        visit.Flag(section, ByteKey("fix byte ", byte), set.fixByte[byte]);
      }
    }
    visit.Flag(section, "Edit Page " + std::to_string(page), set.editPage[page - 1]);
    visit.Flag(section, "Lock Page " + std::to_string(page), set.lockPage[page - 1]);
  };
  visitPage(1);
  visitPage(2);

  visit.Flag("Pages 3-17", "Write Pages 3-17", set.writePages3To17);
  visit.Text("Pages 3-17", "Counter Page", set.counterPage);
  visit.Text("Pages 3-17", "Alignment", set.alignment);
  visit.RunningValue("Pages 3-17", "Counter Value", set.counterValue);

  for (int page = 3; page <= kPageCount; ++page) visitPage(page);

  visit.Flag("Log", "Log", set.log);
  visit.Text("Log", "file name", set.logFile);
}

class KeyReader {
 public:
  KeyReader(const ProfileFile& file, SetLoad kind) : file_(file), kind_(kind) {}

  void Text(std::string_view section, std::string_view key, std::string& member) const {
    member = profile::ReadText(file_, section, key);
  }
  void Flag(std::string_view section, std::string_view key, bool& member) const {
    member = profile::FlagValue(profile::Read(file_, section, key));
  }
  void RunningValue(std::string_view section, std::string_view key, std::string& member) const {
    if (kind_ == SetLoad::MainWindow) Text(section, key, member);
  }

 private:
  const ProfileFile& file_;
  SetLoad kind_;
};

class KeyWriter {
 public:
  explicit KeyWriter(ProfileFile& file) : file_(file) {}

  void Text(std::string_view section, std::string_view key, const std::string& member) const {
    profile::WriteText(file_, section, key, member);
  }
  void Flag(std::string_view section, std::string_view key, bool member) const {
    profile::Write(file_, section, key, profile::FlagText(member));
  }
  void RunningValue(std::string_view section, std::string_view key,
                    const std::string& member) const {
    Text(section, key, member);
  }

 private:
  ProfileFile& file_;
};

void ReadSet(const ProfileFile& file, SetLoad kind, ConfigurationSet& set) {
  KeyReader reader(file, kind);
  VisitSetKeys(set, reader);
  for (int byte = 0; byte < kMemoryBytes; ++byte) {
    // A new set, or a file without a byte's key, holds a zero byte there; a key
    // without a value stays empty, for the check of the set to name it.
    const std::string section = PageSection(byte / kBytesPerPage + 1);
    if (set.byteHex[byte].empty() && !file.Has(section, ByteKey("HEX ", byte))) {
      set.byteHex[byte] = "00";
    }
    set.byteAscii[byte] = HexToAscii(set.byteHex[byte]);
  }
}

}  // namespace

Status LoadSetFile(const std::string& path, SetLoad kind, ConfigurationSet& set) {
  Result<ProfileFile> file = ProfileFile::Load(path);
  ReadSet(file.ok() ? file.value : ProfileFile{}, kind, set);
  return file.ok() ? Status::Success() : Status::Failure(file.error);
}

Status SaveSetFile(const std::string& path, const ConfigurationSet& set) {
  Result<ProfileFile> file = ProfileFile::Load(path);
  if (!file.ok()) return Status::Failure(file.error);
  KeyWriter writer(file.value);
  VisitSetKeys(set, writer);
  return file.value.Save();
}

Status LoadConfigurationSet(std::string_view workingDirectory, std::string_view name, SetLoad kind,
                            ConfigurationSet& set) {
  const Result<std::string> path = SetFilePath(workingDirectory, name);
  if (!path.ok()) {
    ReadSet(ProfileFile{}, kind, set);
    return Status::Failure(path.error);
  }
  return LoadSetFile(path.value, kind, set);
}

}  // namespace torvane
