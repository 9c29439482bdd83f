#include "production/complete_csv_source.h"

#include <vector>

#include "platform/decimal_text.h"
#include "production/csv_document.h"
#include "production/production_messages.h"
#include "production/set_pages.h"
#include "transponder/page_geometry.h"

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
  const std::optional<CsvDocument> loaded = LoadSourceFile();
  if (!loaded) return {};
  const CsvDocument& document = *loaded;
  const std::string& delimiter = context_.csvDelimiter;
  const std::optional<std::string_view> header = document.Line(0);
  if (!header || !HasCompleteHeader(SplitFields(*header, delimiter))) return {};
  if (const auto pending = FirstPendingLine(document, delimiter, CompleteRow::kDoneField)) {
    row_ = CompleteRow::FromFields(SplitFields(pending->text, delimiter));
    line_ = pending->text;
    selected_ = CsvLineRef{pending->index, row_.carrierId, CompleteRow::kCarrierIdField,
                           CompleteRow::kDoneField};
  }
  context_.view.ShowFieldValues();
  return row_.carrierId;
}

PrepareResult CompleteCsvSource::Prepare() {
  prepared_.reset();
  const std::string carrierId = ReadNextCompleteRow();
  context_.view.TakeFieldValues();
  context_.reader.errorCount = 0;
  PrepareResult result = PrepareResult::Ready;
  if (!carrierId.empty() && row_.IsWritable()) {
    context_.setInUse.set.carrierId = carrierId;
    ComposeCompleteDataSet();
    context_.production.nextCarrierId = carrierId;
    prepared_ = selected_;
  } else {
    ++context_.reader.errorCount;
    const std::string message =
        line_.empty() ? text::kEndOfFile : text::kCsvWrongFormat + (text::kErrorInLine + line_);
    context_.view.ShowMessage(message, text::kCaption, MessageIcon::Warning, MessageButtons::Ok);
    result = PrepareResult::WrongFormat;
  }
  context_.view.ShowFieldValues();
  return result;
}

std::optional<CarrierIdPlace> CompleteCsvSource::PreparedPlace() const {
  return CarrierIdPlace{ReadInteger(row_.offset),
                        static_cast<long long>(row_.Bytes(row_.carrierId).size())};
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
