#include "production/csv_carrier_id_source.h"

#include <vector>

#include "platform/decimal_text.h"
#include "production/compose_data_set.h"
#include "production/csv_document.h"
#include "production/csv_source_messages.h"
#include "production/production_messages.h"

namespace torvane {

namespace {

constexpr std::size_t kKeyField = 0;
constexpr std::size_t kDoneField = 1;

}  // namespace

std::string CsvCarrierIdSource::ReadNextCsvCarrierId() {
  selected_.reset();
  shortfall_ = Shortfall::None;
  const CsvDocument* document = LoadSourceFile();
  if (document == nullptr) return {};
  const std::string& delimiter = context_.csvDelimiter;
  const std::optional<CsvLine> headerLine = document->Line(0);
  const std::vector<std::string_view> header =
      headerLine ? SplitFields(headerLine->text, delimiter) : std::vector<std::string_view>{};
  if (header.size() < 2 || !HasHeaderField(header, "Carrier ID") ||
      !HasHeaderField(header, "done")) {
    shortfall_ = Shortfall::BadHeader;
    return {};
  }
  std::string carrierId;
  const std::optional<CsvLine> pending = sourceFile_.FirstPendingLine(delimiter, kDoneField);
  // A line without a delimiter has no carrier ID.
  if (pending && FieldOf(pending->text, delimiter, kDoneField)) {
    carrierId = *FieldOf(pending->text, delimiter, kKeyField);
    selected_ = CsvLineRef{pending->index, carrierId, kKeyField, kDoneField};
  } else if (pending) {
    shortfall_ = Shortfall::NoDelimiter;
    pendingIndex_ = pending->index;
  } else {
    shortfall_ = Shortfall::UsedUp;
  }
  context_.view.ShowFieldValues();
  return carrierId;
}

PrepareResult CsvCarrierIdSource::Prepare() {
  prepared_.reset();
  failure_.clear();
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
  } else if (selected_) {
    const CsvSourceFault fault =
        CsvCarrierIdMisfit(set.sourceFile, selected_->lineIndex, context_.csvDelimiter,
                           carrierId.size(), length, "Carrier ID Length");
    result = Refuse(text::kCsvWrongFormat + fault.detail, fault.reason);
  } else {
    result = RefuseShortfall(text::kCsvWrongFormat);
  }
  context_.view.ShowFieldValues();
  return result;
}

}  // namespace torvane
