#include "production/ledger_consent.h"

#include "production/production_messages.h"

namespace torvane {

StationLedger::Consent AskOperatorAboutLedger(OperatorMessages& messages) {
  return [&messages](const std::string& question) {
    return messages.ShowMessage(question, text::kCaption, MessageIcon::Question,
                                MessageButtons::YesNo) == MessageAnswer::Yes;
  };
}

}  // namespace torvane
