#include "production/csv_carrier_id_source.h"

#include <vector>

#include "platform/decimal_text.h"
#include "production/compose_data_set.h"
#include "production/csv_document.h"
#include "production/production_messages.h"

namespace torvane {

namespace {

constexpr std::size_t kKeyField = 0;
constexpr std::size_t kDoneField = 1;

}  // namespace

std::string CsvCarrierIdSource::ReadNextCsvCarrierId() {
  selected_.reset();
  const std::optional<CsvDocument> loaded = LoadSourceFile();
  if (!loaded) return {};
  const CsvDocument& document = *loaded;
  const std::string& delimiter = context_.csvDelimiter;
  const std::optional<std::string_view> headerLine = document.Line(0);
  if (!headerLine) return {};
  const std::vector<std::string_view> header = SplitFields(*headerLine, delimiter);
  if (header.size() < 2 || !HasHeaderField(header, "Carrier ID") ||
      !HasHeaderField(header, "done")) {
    return {};
  }
  std::string carrierId;
  const std::optional<CsvLine> pending = FirstPendingLine(document, delimiter, kDoneField);
  // A line without a delimiter has no carrier ID.
  if (pending && FieldOf(pending->text, delimiter, kDoneField)) {
    carrierId = *FieldOf(pending->text, delimiter, kKeyField);
    selected_ = CsvLineRef{pending->index, carrierId, kKeyField, kDoneField};
  }
  context_.view.ShowFieldValues();
  return carrierId;
}

PrepareResult CsvCarrierIdSource::Prepare() {
  prepared_.reset();
  const std::string carrierId = ReadNextCsvCarrierId();
  context_.view.TakeFieldValues();
  context_.reader.errorCount = 0;
  ConfigurationSet& set = context_.setInUse.set;
  const long long length = ReadInteger(set.carrierIdLength);
  PrepareResult result = PrepareResult::Ready;
  if (!carrierId.empty() && static_cast<long long>(carrierId.size()) == length) {
    set.carrierId = carrierId;
    ComposeDataSet(context_, carrierId);
    context_.production.nextCarrierId = carrierId;
    prepared_ = selected_;
  } else {
    ++context_.reader.errorCount;
    context_.view.ShowMessage(text::kCsvWrongFormat, text::kCaption, MessageIcon::Warning,
                              MessageButtons::Ok);
    result = PrepareResult::WrongFormat;
  }
  context_.view.ShowFieldValues();
  return result;
}

}  // namespace torvane
