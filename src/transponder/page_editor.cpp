#include "transponder/page_editor.h"

#include <string>

#include "transponder/page_entry.h"
#include "view/control_ids.h"

namespace torvane {

namespace {

constexpr const char* kCaption = "Torvane";

bool IsPageNumber(int page) {
  return page >= 1 && page <= kPageCount;
}

std::string InvalidEntryMessage(int page, PageForm form) {
  const std::string field = "change P" + std::to_string(page);
  if (form == PageForm::Ascii) {
    return field +
           " to a length of 8 characters with spaces in between; 'NUL' is 0x00 in ASCII format";
  }
  return field +
         " to a length of 16 printable hexadecimal characters (20,21,22,...,7D,7E) with spaces "
         "in between";
}

}  // namespace

PageEditor::PageEditor(StationView& view, PageState& pages) : view_(view), pages_(pages) {}

void PageEditor::OnPageEnter(int page) {
  if (!IsPageNumber(page)) return;
  const auto i = static_cast<std::size_t>(page - 1);
  const int field = ids::kPageField[i];
  view_.TakeFieldValues();
  view_.SetFieldColour(field, colour::kWhite);

  const PageForm form = pages_.displayForm;
  const std::string entry = NormalisePageEntry(pages_.pageText[i], form, pages_.alignment);
  if (form == PageForm::Ascii) {
    pages_.asciiText[i] = entry;
    pages_.hexText[i] = AsciiToHex(entry);
  } else {
    pages_.hexText[i] = entry;
    pages_.asciiText[i] = HexToAscii(entry);
  }
  pages_.pageText[i] = entry;
  view_.ShowFieldValues();

  if (IsPageTextValid(pages_.pageText[i], form)) {
    view_.SetFieldColour(field, colour::kGreen);
  } else {
    view_.SetFieldColour(field, colour::kRed);
    view_.ShowMessage(InvalidEntryMessage(page, form), kCaption, MessageIcon::Warning,
                      MessageButtons::Ok);
  }
  pages_.enterPending = true;
}

void PageEditor::OnHexForm() {
  SwitchForm(PageForm::Hex);
}

void PageEditor::OnAsciiForm() {
  SwitchForm(PageForm::Ascii);
}

void PageEditor::SwitchForm(PageForm form) {
  view_.TakeFieldValues();
  view_.SetButtonImage(ids::kAsciiButton, form == PageForm::Ascii);
  view_.SetButtonImage(ids::kHexButton, form == PageForm::Hex);
  // The texts already are in this form; converting them again would read every
  // page in the wrong form and garble it.
  if (pages_.displayForm == form) return;
  pages_.displayForm = form;

  for (std::size_t i = 0; i < pages_.pageText.size(); ++i) {
    const std::string current = pages_.pageText[i];
    if (form == PageForm::Ascii) {
      pages_.hexText[i] = current;
      pages_.asciiText[i] = HexToAscii(current);
      pages_.pageText[i] = pages_.asciiText[i];
    } else {
      pages_.asciiText[i] = current;
      pages_.hexText[i] = AsciiToHex(current);
      pages_.pageText[i] = pages_.hexText[i];
    }
    view_.ShowFieldValues();
    view_.FocusControl(ids::kPageField[i]);
  }
  view_.RepaintWindow();
}

void PageEditor::OnAllPagesCheck() {
  view_.TakeFieldValues();
  const bool all = pages_.allPagesSelected != 0;
  view_.SetButtonImage(ids::kAllPagesCheck, all);
  pages_.pageSelected.fill(all ? 1 : 0);
  if (!all) {
    view_.ShowFieldValues();
    for (int field : ids::kPageField) view_.FocusControl(field);
  }
  for (int check : ids::kPageCheck) view_.SetButtonImage(check, all);
  for (int field : ids::kPageField) view_.SetFieldColour(field, colour::kWhite);
  view_.ShowFieldValues();
}

void PageEditor::OnPageCheck(int page) {
  if (!IsPageNumber(page)) return;
  const auto i = static_cast<std::size_t>(page - 1);
  view_.TakeFieldValues();
  if (pages_.pageSelected[i] != 0) {
    view_.SetButtonImage(ids::kPageCheck[i], true);
  } else {
    pages_.allPagesSelected = 0;
    view_.SetButtonImage(ids::kAllPagesCheck, false);
    view_.FocusControl(ids::kPageField[i]);
    view_.SetButtonImage(ids::kPageCheck[i], false);
  }
  view_.SetFieldColour(ids::kPageField[i], colour::kWhite);
  view_.ShowFieldValues();
}

}  // namespace torvane
