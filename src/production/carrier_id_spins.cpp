#include "production/carrier_id_spins.h"

#include <algorithm>

#include "platform/decimal_text.h"
#include "production/compose_data_set.h"
#include "production/production_messages.h"

namespace torvane {

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::uint64_t CarrierIdSpins::Capacity() const {
  return DecimalCapacity(ReadInteger(context_.setInUse.set.carrierIdLength));
}

std::string CarrierIdSpins::Stepped(const std::string& value, SpinDirection direction) const {
  const std::uint64_t v = ReadDecimal(value);
  const std::uint64_t capacity = Capacity();
  if (direction == SpinDirection::Up) return std::to_string(v >= capacity ? 0 : v + 1);
  return std::to_string(v == 0 ? capacity : v - 1);
}

void CarrierIdSpins::OnNextSpin(SpinDirection direction) {
  context_.view.TakeFieldValues();
  context_.production.nextCarrierId = Stepped(context_.production.nextCarrierId, direction);
  context_.setInUse.set.carrierId = context_.production.nextCarrierId;
  context_.view.ShowFieldValues();
  ComposeCounterDataSet(context_);
}

void CarrierIdSpins::OnMaxSpin(SpinDirection direction) {
  context_.view.TakeFieldValues();
  context_.carrierIdMaxText = Stepped(context_.carrierIdMaxText, direction);
  context_.view.ShowFieldValues();
}

std::optional<std::string> CarrierIdSpins::Typed(const std::string& text, const char* field) {
  // Without a length there is no largest number to stop at.
  const bool limited = ReadInteger(context_.setInUse.set.carrierIdLength) >= 1;
  const std::string_view digits = Trimmed(text);
  if (!digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos) {
    const std::uint64_t value = ReadDecimal(digits);
    return std::to_string(limited ? std::min(value, Capacity()) : value);
  }
  const std::string most =
      limited ? ", at most " + std::to_string(Capacity()) + " (the set's \"Carrier ID Length\")"
              : std::string();
  context_.view.ShowMessage(std::string("\"") + field + "\" takes a number of digits only" + most +
                                ".\r\nThe value before is back.",
                            text::kCaption, MessageIcon::Warning, MessageButtons::Ok);
  return std::nullopt;
}

void CarrierIdSpins::OnNextTyped() {
  // What the cycle writes next, whatever the field showed since.
  const std::string before = context_.setInUse.set.carrierId;
  context_.view.TakeFieldValues();
  const std::string typed = context_.production.nextCarrierId;
  // Leaving a field unchanged is no entry.
  if (typed == before) return;
  // The value before is back in the field before a message opens, as the
  // field reports again when the message takes its focus.
  context_.production.nextCarrierId = before;
  context_.view.ShowFieldValues();
  const std::optional<std::string> value = Typed(typed, "next");
  if (!value) return;
  context_.production.nextCarrierId = *value;
  context_.setInUse.set.carrierId = *value;
  context_.view.ShowFieldValues();
  ComposeCounterDataSet(context_);
}

void CarrierIdSpins::OnMaxTyped() {
  const std::string before = context_.carrierIdMaxText;
  context_.view.TakeFieldValues();
  const std::string typed = context_.carrierIdMaxText;
  if (typed == before) return;
  context_.carrierIdMaxText = before;
  context_.view.ShowFieldValues();
  const std::optional<std::string> value = Typed(typed, "max");
  if (!value) return;
  context_.carrierIdMaxText = *value;
  context_.view.ShowFieldValues();
}

}  // namespace torvane
