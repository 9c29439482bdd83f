#include "config/pages_hand_over.h"

#include <algorithm>

#include "config/byte_forms.h"
#include "platform/hex_text.h"
#include "view/config_dialog_ids.h"

namespace torvane {

namespace {

constexpr int kFirstUserPageIndex = ids::pages_dialog::kFirstPage - 1;

}  // namespace

PagesDialogState PagesHandOver(const ConfigDialogState& config) {
  const ConfigurationSet& set = config.set;
  PagesDialogState pages;
  pages.hex = set.byteHex;
  pages.chars = set.byteAscii;
  pages.displayed = config.displayForm == PageForm::Ascii ? set.byteAscii : set.byteHex;
  pages.form = config.displayForm;
  pages.editPage = set.editPage;
  pages.lockPage = set.lockPage;
  pages.counterPage = set.counterPage;
  pages.counterValue = set.counterValue;
  return pages;
}

void TakeBackPages(const PagesDialogState& pages, ConfigDialogState& config) {
  ConfigurationSet& set = config.set;
  config.displayForm = pages.form;
  set.counterValue = pages.counterValue;
  set.counterPage = pages.counterPage;
  std::copy(pages.editPage.begin() + kFirstUserPageIndex, pages.editPage.end(),
            set.editPage.begin() + kFirstUserPageIndex);
  std::copy(pages.lockPage.begin() + kFirstUserPageIndex, pages.lockPage.end(),
            set.lockPage.begin() + kFirstUserPageIndex);
  for (int byte = ids::pages_dialog::kFirstByte; byte <= ids::pages_dialog::kLastByte; ++byte) {
    const std::string& shown = pages.displayed[byte];
    if (pages.form == PageForm::Ascii) {
      set.byteAscii[byte] = shown;
      set.byteHex[byte] = HexFormOfChars(shown);
    } else {
      set.byteHex[byte] = UpperCaseDigits(shown);
      set.byteAscii[byte] = CharFormOfHex(set.byteHex[byte]);
    }
  }
}

}  // namespace torvane
