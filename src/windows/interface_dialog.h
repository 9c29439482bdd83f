#pragma once

#include <string>
#include <vector>

#include "link/interface_texts.h"
#include "windows/dialog_window.h"

class QComboBox;

namespace torvane {

// The interface settings dialog (template 143): the reader's port and its line
// parameters, each chosen from a list or typed.
class InterfaceDialog : public DialogWindow {
 public:
  // `portNames` fill the port list after the texts are loaded, so the current
  // port stays in the edit field as it is.
  InterfaceDialog(const InterfaceTexts& texts, const std::vector<std::string>& portNames,
                  QWidget* parent = nullptr);

  // The texts loaded at the start; after OK, the ones the operator chose.
  const InterfaceTexts& texts() const { return texts_; }

  void accept() override;

 private:
  void LoadTexts();
  void AddPortNames(const std::vector<std::string>& portNames);
  InterfaceTexts ReadTexts() const;

  InterfaceTexts texts_;
};

}  // namespace torvane
