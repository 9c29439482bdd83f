#include "config/carrier_id_layout.h"

#include <algorithm>
#include <string>

#include "config/byte_forms.h"
#include "config/data_source.h"
#include "platform/decimal_text.h"
#include "view/config_dialog_ids.h"
#include "view/page_geometry.h"

namespace torvane {

namespace {

namespace dlg = ids::configuration_dialog;

constexpr int kMaxOffset = kCarrierIdAreaBytes - 1;
constexpr int kLastPage = kPageCount;
// Larger values mean nothing here; the cap keeps the byte arithmetic safe.
constexpr std::uint64_t kNumberCap = 1000;

int SmallNumber(const std::string& text) {
  return static_cast<int>(std::min(ReadDecimal(text), kNumberCap));
}

bool IsDigit(const std::string& charForm) {
  return charForm.size() == 1 && charForm[0] >= '0' && charForm[0] <= '9';
}

}  // namespace

int CarrierIdLayout::MemoryPage() const {
  return std::clamp(SmallNumber(set_.memoryPage), 1, kLastPage);
}

CarrierIdLayout::Span CarrierIdLayout::CurrentSpan() const {
  Span span;
  span.offset = SmallNumber(set_.carrierIdOffset);
  span.length = SmallNumber(set_.carrierIdLength);
  span.start = span.offset;
  if (SourceOf(set_) == DataSource::Csv) span.start += (MemoryPage() - 1) * kBytesPerPage;
  return span;
}

void CarrierIdLayout::Warn(const char* text) {
  view_.ShowFieldValues();
  view_.ShowMessage(text, kDialogMessageCaption, MessageIcon::Warning, MessageButtons::Ok);
}

void CarrierIdLayout::CheckLength() {
  int offset = SmallNumber(set_.carrierIdOffset);
  int length = SmallNumber(set_.carrierIdLength);
  auto store = [&] {
    set_.carrierIdOffset = std::to_string(offset);
    set_.carrierIdLength = std::to_string(length);
  };
  if (length > kCarrierIdAreaBytes) {
    length = kCarrierIdAreaBytes;
    set_.carrierIdLength = std::to_string(length);
    Warn("Carrier ID Length must be under 16.");
  }
  if (offset > kMaxOffset) {
    offset = kMaxOffset;
    set_.carrierIdOffset = std::to_string(offset);
    Warn("Carrier ID Offset must be under 16.");
  }
  const DataSource source = SourceOf(set_);
  if (source == DataSource::DecimalCounter && offset + length > kCarrierIdAreaBytes) {
    length = kCarrierIdAreaBytes - offset;
    store();
    Warn("Carrier ID Offset + Carrier ID Length must be under 16.");
  }
  // From the memory page on, the memory holds this many bytes.
  const int page = MemoryPage();
  const int room = (kLastPage + 1 - page) * kBytesPerPage;
  if (offset + length > room) {
    offset = std::min(offset, room - 1);
    length = room - offset;
    store();
    const std::string text = "On Page " + std::to_string(page) +
                             " Carrier ID Offset + Carrier ID Length must be under " +
                             std::to_string(room) + ".";
    Warn(text.c_str());
  }
  if (source == DataSource::DecimalCounter && length > 0 &&
      set_.carrierId.size() > static_cast<std::size_t>(length)) {
    Warn("Carrier ID has more digits than Carrier ID Length.");
  }
}

void CarrierIdLayout::Layout() {
  const DataSource source = SourceOf(set_);
  if (source == DataSource::CsvComplete) return;
  if (source == DataSource::FixData) {
    ShowSpan(Span{}, true);
    return;
  }
  const Span span = CurrentSpan();
  if (source == DataSource::DecimalCounter) {
    const std::string padded =
        CounterCarrierId(set_.carrierId, static_cast<std::size_t>(span.length));
    for (int k = 0; k < span.length && span.offset + k < kCarrierIdAreaBytes; ++k) {
      const int byte = span.offset + k;
      set_.byteHex[byte] = HexFormOfChars(padded.substr(static_cast<std::size_t>(k), 1));
      set_.byteAscii[byte] = CharFormOfHex(set_.byteHex[byte]);
    }
  }
  ShowSpan(span, true);
  ClearOutside(Span{span.offset, span.length, span.offset});
  if (source == DataSource::Csv) MarkWritePagesWhenPast(span);
  view_.ShowFieldValues();
}

void CarrierIdLayout::Refresh() {
  const DataSource source = SourceOf(set_);
  const Span span = CurrentSpan();
  if (source == DataSource::DecimalCounter) {
    ShowSpan(span, false);
    ReadIdentifierBack(span);
  } else if (source == DataSource::Csv) {
    ShowSpan(span, true);
    MarkWritePagesWhenPast(span);
  }
  view_.ShowFieldValues();
  view_.RepaintWindow();
}

void CarrierIdLayout::ShowColours() {
  const DataSource source = SourceOf(set_);
  const bool placed = source == DataSource::DecimalCounter || source == DataSource::Csv;
  ShowSpan(placed ? CurrentSpan() : Span{}, false);
}

void CarrierIdLayout::ShowSpan(const Span& span, bool setFixFlags) {
  for (int byte = 0; byte < kCarrierIdAreaBytes; ++byte) {
    const bool inside = span.Holds(byte);
    const std::uint32_t background = inside ? kIdentifierGreen : colour::kWhite;
    view_.SetFieldColour(dlg::kHexByte[byte], background);
    view_.SetFieldColour(dlg::kAsciiByte[byte], background);
    if (!setFixFlags) continue;
    set_.fixByte[byte] = !inside;
    view_.SetButtonImage(dlg::kFixByte[byte], !inside);
  }
}

// Every byte before the identifier holds zero, and every byte after it on the
// page where it ends: page 2 keeps its bytes when the identifier ends within page 1.
void CarrierIdLayout::ClearOutside(const Span& span) {
  const int end = span.offset + span.length;
  for (int byte = 0; byte < kCarrierIdAreaBytes; ++byte) {
    if (span.Holds(byte)) continue;
    if (byte < span.offset || (byte >= end && (byte < kBytesPerPage || end > kBytesPerPage))) {
      ClearByte(byte);
    }
  }
}

void CarrierIdLayout::ClearByte(int byte) {
  set_.byteHex[byte] = "00";
  set_.byteAscii[byte] = "NUL";
}

void CarrierIdLayout::MarkWritePagesWhenPast(const Span& span) {
  if (span.start + span.length <= kCarrierIdAreaBytes) return;
  set_.writePages3To17 = true;
  view_.SetButtonImage(dlg::kWritePages3To17, true);
}

// The counter continues from what its bytes now hold, but only from digits: any
// other character would read as a counter of 0 and repeat identifiers.
void CarrierIdLayout::ReadIdentifierBack(const Span& span) {
  std::string identifier;
  for (int byte = span.start; byte < span.start + span.length && byte < kCarrierIdAreaBytes;
       ++byte) {
    if (!IsDigit(set_.byteAscii[byte])) {
      view_.ShowFieldValues();
      view_.ShowMessage("The Carrier ID bytes must hold the digits 0-9: Carrier ID left unchanged.",
                        kDialogMessageCaption, MessageIcon::Warning, MessageButtons::Ok);
      return;
    }
    identifier += set_.byteAscii[byte];
  }
  set_.carrierId = identifier;
}

}  // namespace torvane
