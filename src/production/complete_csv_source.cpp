#include "production/complete_csv_source.h"

#include <vector>

#include "platform/decimal_text.h"
#include "production/csv_document.h"
#include "production/csv_source_messages.h"
#include "production/production_messages.h"
#include "production/set_pages.h"
#include "view/page_geometry.h"

namespace torvane {

namespace {

bool HasCompleteHeader(const std::vector<std::string_view>& header) {
  for (const std::string& name : CompleteRow::HeaderNames()) {
    if (!HasHeaderField(header, name)) return false;
  }
  return true;
}

}  // namespace

std::string CompleteCsvSource::ReadNextCompleteRow() {
  row_ = CompleteRow{};
  line_.clear();
  selected_.reset();
  shortfall_ = Shortfall::None;
  const CsvDocument* document = LoadSourceFile();
  if (document == nullptr) return {};
  const std::string& delimiter = context_.csvDelimiter;
  const std::optional<CsvLine> header = document->Line(0);
  if (!header || !HasCompleteHeader(SplitFields(header->text, delimiter))) {
    shortfall_ = Shortfall::BadHeader;
    return {};
  }
  if (const auto pending = sourceFile_.FirstPendingLine(delimiter, CompleteRow::kDoneField)) {
    row_ = CompleteRow::FromFields(SplitFields(pending->text, delimiter));
    line_ = pending->text;
    selected_ = CsvLineRef{pending->index, row_.carrierId, CompleteRow::kCarrierIdField,
                           CompleteRow::kDoneField};
  } else {
    shortfall_ = Shortfall::UsedUp;
  }
  context_.view.ShowFieldValues();
  return row_.carrierId;
}

PrepareResult CompleteCsvSource::Prepare() {
  prepared_.reset();
  failure_.clear();
  const std::string carrierId = ReadNextCompleteRow();
  context_.view.TakeFieldValues();
  context_.reader.errorCount = 0;
  PrepareResult result = PrepareResult::Ready;
  if (!carrierId.empty() && row_.IsWritable()) {
    context_.setInUse.set.carrierId = carrierId;
    ComposeCompleteDataSet();
    context_.production.nextCarrierId = carrierId;
    prepared_ = selected_;
  } else if (selected_) {
    const CsvSourceFault fault = RowFault();
    result =
        Refuse(text::kCsvWrongFormat + (text::kErrorInLine + line_) + fault.detail, fault.reason);
  } else {
    result = RefuseShortfall(text::kEndOfFile);
  }
  context_.view.ShowFieldValues();
  return result;
}

CsvSourceFault CompleteCsvSource::RowFault() const {
  const std::string& file = context_.setInUse.set.sourceFile;
  const std::string& delimiter = context_.csvDelimiter;
  const std::size_t line = selected_->lineIndex;
  if (row_.format != "A" && row_.format != "X") {
    return CsvRowMisfit(file, line, delimiter,
                        "the format \"" + row_.format + "\" is neither \"A\" nor \"X\"");
  }
  const long long digitsPerByte = row_.format == "X" ? 2 : 1;
  const long long expected = digitsPerByte * ReadInteger(row_.length);
  if (static_cast<long long>(row_.carrierId.size()) != expected) {
    return CsvCarrierIdMisfit(file, line, delimiter, row_.carrierId.size(), expected,
                              "Carrier ID length");
  }
  return CsvRowMisfit(file, line, delimiter,
                      "its offset, hexadecimal digits or page data do not fit the pages");
}

std::optional<CarrierIdPlace> CompleteCsvSource::PreparedPlace() const {
  return CarrierIdPlace(ReadInteger(row_.offset),
                        static_cast<int>(row_.Bytes(row_.carrierId).size()));
}

void CompleteCsvSource::ComposeCompleteDataSet() {
  context_.view.TakeFieldValues();
  ConfigurationSet& set = context_.setInUse.set;
  SetPages pages(set, context_.pages);
  for (int address = 0; address < kCarrierIdAreaBytes; ++address) pages.SetByte(address, 0);
  const long long offset = ReadInteger(row_.offset);
  const std::vector<unsigned char> carrierId = row_.Bytes(row_.carrierId);
  for (std::size_t k = 0; k < carrierId.size(); ++k) {
    pages.SetByte(offset + static_cast<long long>(k), carrierId[k]);
  }
  for (int p = 0; p < kUserPageCount; ++p) {
    const std::vector<unsigned char> data = row_.Bytes(row_.pageData[static_cast<std::size_t>(p)]);
    const int first = FirstByteOfPage(kFirstUserPage + p);
    for (int b = 0; b < kBytesPerPage; ++b) {
      const auto i = static_cast<std::size_t>(b);
      pages.SetByte(first + b, i < data.size() ? data[i] : 0);
    }
    set.lockPage[static_cast<std::size_t>(kFirstUserPage - 1 + p)] =
        row_.lockPage[static_cast<std::size_t>(p)] == "1";
  }
  set.lockPage[0] = row_.lockCarrierId == "1";
  set.lockPage[1] = row_.lockCarrierId == "1";
  for (int page = 0; page < kPageCount; ++page) pages.RebuildPageText(page);
  context_.view.ShowFieldValues();
}

}  // namespace torvane
