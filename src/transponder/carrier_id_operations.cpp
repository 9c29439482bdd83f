#include "transponder/carrier_id_operations.h"

#include <algorithm>

#include "platform/hex_text.h"
#include "transponder/carrier_id_place.h"
#include "transponder/page_codec.h"
#include "transponder/reader_exchange.h"
#include "view/control_ids.h"
#include "view/page_geometry.h"

namespace torvane {

namespace {

constexpr int kPage1 = 0;
constexpr int kPage2 = 1;

std::string PageNotReadMessage(int page) {
  return "Carrier ID not written: page " + std::to_string(page) +
         " could not be read. Check the transponder on the antenna.";
}

// A zero byte ends the text where it is shown; kept, it would travel on into
// the settings file.
std::string ShownChars(std::string_view digits) {
  std::string chars = HexToChars(digits);
  chars.resize(std::min(chars.size(), chars.find('\0')));
  return chars;
}

}  // namespace

CarrierIdOperations::CarrierIdOperations(SerialLink& link, StationView& view, PageState& pages,
                                         ReaderState& reader, TerminalState& terminal,
                                         CarrierIdFields& fields, CarrierIdWriteGate& gate)
    : link_(link),
      view_(view),
      pages_(pages),
      reader_(reader),
      terminal_(terminal),
      fields_(fields),
      gate_(gate) {}

void CarrierIdOperations::OnReadCarrierId() {
  view_.TakeFieldValues();
  const CarrierIdPlace place = CarrierIdPlace::FromFields(fields_);
  ReaderExchange exchange(link_, reader_, terminal_, BusyFlag::Read);
  if (exchange.portOpen()) ReadIdentifier(exchange, place);
}

void CarrierIdOperations::ReadIdentifier(ReaderExchange& exchange, const CarrierIdPlace& place) {
  exchange.StartExchanges(kReadFactor);
  SetCarrierFields(colour::kWhite);

  // The identifier is only as good as every page it was cut from.
  bool failed = false;
  std::string part1;
  std::string part2;
  if (place.NeedsPage1()) {
    part1 = exchange.ReadPage(view_, pages_, kPage1).kept;
    failed = !IsGoodPageAnswer(part1);
  }
  if (place.NeedsPage2()) {
    part2 = exchange.ReadPage(view_, pages_, kPage2).kept;
    failed = failed || !IsGoodPageAnswer(part2);
  }
  view_.SetFieldColour(ids::kCarrierIdField, failed ? colour::kRed : colour::kGreen);

  const std::string digits = place.DigitsFrom(part1, part2);
  fields_.carrierIdText = pages_.displayForm == PageForm::Ascii ? ShownChars(digits) : digits;
  view_.ShowFieldValues();
  view_.FocusControl(ids::kCarrierIdField);
}

void CarrierIdOperations::OnWriteCarrierId() {
  view_.TakeFieldValues();
  const CarrierIdPlace place = CarrierIdPlace::FromFields(fields_);
  bool refused = false;
  {
    ReaderExchange exchange(link_, reader_, terminal_, BusyFlag::Write);
    if (exchange.portOpen()) refused = !WriteIdentifier(exchange, place);
  }
  view_.ShowFieldValues();
  view_.FocusControl(ids::kCarrierIdField);
  // The read-back shows what the transponder now holds; after a refusal it
  // holds what it held, and the terminal keeps the record of the refused try.
  if (!refused) OnReadCarrierId();
}

bool CarrierIdOperations::WriteIdentifier(ReaderExchange& exchange, const CarrierIdPlace& place) {
  // Anything that does not fill exactly its place would shift the bytes around
  // it on the transponder, so such input is refused before a byte is sent.
  if (const Status fits = place.Fits(); !fits.ok()) return Refuse(fits.error, MessageIcon::Warning);
  const Result<std::string> identifier =
      place.IdentifierDigits(fields_.carrierIdText, pages_.displayForm);
  if (!identifier.ok()) return Refuse(identifier.error, MessageIcon::Warning);

  exchange.StartExchanges(kWriteFactor);
  const std::string part1 = exchange.Exchange(ReaderCommand::ReadPage(kPage1 + 1)).kept;
  const std::string part2 = exchange.Exchange(ReaderCommand::ReadPage(kPage2 + 1)).kept;
  if (!IsGoodPageAnswer(part1)) return Refuse(PageNotReadMessage(1), MessageIcon::Error);
  if (!IsGoodPageAnswer(part2)) return Refuse(PageNotReadMessage(2), MessageIcon::Error);

  const std::string carrierId = HexToChars(identifier.value);
  if (!gate_.Admit(carrierId)) return false;
  const std::string newData = place.Merged(part1 + part2, identifier.value);
  SetCarrierFields(colour::kWhite);
  gate_.OnWritten(carrierId, WritePages(exchange, newData.substr(0, 2 * kBytesPerPage),
                                        newData.substr(2 * kBytesPerPage)));
  return true;
}

bool CarrierIdOperations::WritePages(ReaderExchange& exchange, const std::string& data1,
                                     const std::string& data2) {
  const int page1Field = ids::kPageField[kPage1];
  const int page2Field = ids::kPageField[kPage2];
  // Page 2 is written only after page 1 was taken, so a failure never leaves
  // page 2 changed alone.
  if (!IsAcknowledged(exchange.Exchange(ReaderCommand::WritePage(kPage1 + 1, data1)).kept)) {
    view_.SetFieldColour(page1Field, colour::kRed);
    view_.FocusControl(page1Field);
    return false;
  }
  view_.SetFieldColour(page1Field, colour::kGreen);
  view_.FocusControl(page1Field);
  const bool written =
      IsAcknowledged(exchange.Exchange(ReaderCommand::WritePage(kPage2 + 1, data2)).kept);
  const std::uint32_t outcome = written ? colour::kGreen : colour::kRed;
  view_.SetFieldColour(page2Field, outcome);
  view_.SetFieldColour(ids::kCarrierIdField, outcome);
  view_.FocusControl(page2Field);
  return written;
}

bool CarrierIdOperations::Refuse(const std::string& message, MessageIcon icon) {
  view_.SetFieldColour(ids::kCarrierIdField, colour::kRed);
  view_.ShowMessage(message, "Torvane", icon, MessageButtons::Ok);
  return false;
}

void CarrierIdOperations::SetCarrierFields(std::uint32_t background) {
  view_.SetFieldColour(ids::kCarrierIdField, background);
  view_.SetFieldColour(ids::kPageField[kPage1], background);
  view_.SetFieldColour(ids::kPageField[kPage2], background);
}

}  // namespace torvane
