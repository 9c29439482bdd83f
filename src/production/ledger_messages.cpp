#include "production/ledger_messages.h"

namespace torvane {

namespace {

std::string UidPart(const std::string& uid) {
  return uid.empty() ? std::string() : ", transponder UID " + uid;
}

}  // namespace

std::string DescribeLedgerRow(const LedgerRow& row) {
  const LedgerTime when = row.state == LedgerState::Reserved ? row.reservedAt : row.changedAt;
  return "carrier ID " + PrintableCarrierId(row.carrierId) + " (" +
         std::string(LedgerStateName(row.state)) + " on " + FormatLedgerTime(when) +
         ", configuration set \"" + row.setName + "\", station \"" + row.station + "\"" +
         UidPart(row.uid) + ")";
}

std::string RefusedCarrierIdMessage(const LedgerRow& row) {
  return "The ledger already holds " + DescribeLedgerRow(row) +
         ".\r\nNothing was written: a carrier ID is never given to two transponders.";
}

std::string RewriteCarrierIdQuestion(const LedgerRow& row) {
  return "The ledger already holds " + DescribeLedgerRow(row) +
         ".\r\nWrite it to the transponder on the antenna again?";
}

std::string SpentCarrierIdMessage(const LedgerRow& row) {
  return "The transponder on the antenna is not the one of the failed cycle.\r\nSet that "
         "transponder aside: it may hold " +
         DescribeLedgerRow(row) +
         ".\r\nThat carrier ID is spent; the transponder on the antenna gets the next one.";
}

std::string UnidentifiedTransponderMessage(const LedgerRow& row) {
  return "No transponder answers on the antenna.\r\nThe failed cycle may have left " +
         DescribeLedgerRow(row) +
         " on its transponder. Put a transponder on the antenna and start again: the station "
         "checks which one it is before it writes.";
}

std::string KnownTransponderMessage(const LedgerRow& row) {
  return "The transponder on the antenna holds " + DescribeLedgerRow(row) +
         ".\r\nNothing was written to it. Put a blank transponder on the antenna and press "
         "\"One\" again.";
}

std::string KnownTransponderNote(const LedgerRow& row) {
  return "Passed over: the transponder on the antenna holds carrier ID " +
         PrintableCarrierId(row.carrierId) + " (" + std::string(LedgerStateName(row.state)) + ").";
}

std::string SkippedCarrierIdsNote(const std::vector<LedgerRow>& rows) {
  if (rows.empty()) return {};
  const LedgerRow& last = rows.back();
  const std::string held =
      "station \"" + last.station + "\" holds carrier ID " + PrintableCarrierId(last.carrierId);
  if (rows.size() == 1) return "Passed over: " + held + ".";
  return "Passed over " + std::to_string(rows.size()) +
         " carrier IDs other stations hold; the last: " + held + ".";
}

std::string LedgerUnusableMessage(const std::string& reason) {
  return "Nothing was written: the carrier ID could not be entered in the ledger.\r\n" + reason;
}

std::string MayHoldCarrierId(const std::string& carrierId) {
  return "\r\nThe transponder may now hold carrier ID " + PrintableCarrierId(carrierId) + ".";
}

}  // namespace torvane
