#pragma once

#include <optional>
#include <string>
#include <vector>

#include "view/file_chooser.h"

namespace torvane::test {

// Answers file dialogs with a prepared choice (nothing: cancelled) and records
// what was asked.
class FakeFileChooser : public FileChooser {
 public:
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override {
    asked.push_back(request);
    return answer;
  }
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override {
    asked.push_back(request);
    return answer;
  }

  std::optional<std::string> answer;
  std::vector<FileDialogRequest> asked;
};

}  // namespace torvane::test
