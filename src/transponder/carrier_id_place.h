#pragma once

#include <string>
#include <string_view>

#include "platform/result.h"
#include "transponder/carrier_id_fields.h"
#include "transponder/page_codec.h"
#include "view/page_geometry.h"

namespace torvane {

// Where a carrier identifier lies: its first byte, counted from the first byte
// of page 1, and its length. A manual write keeps it in the 16 bytes of pages 1
// and 2 and cuts its digits out of and puts them into the 32 digits of the two
// pages; a set's layout may put it on later pages too.
class CarrierIdPlace {
 public:
  // The offset as typed; the length limited to 1..16.
  static CarrierIdPlace FromFields(const CarrierIdFields& fields);
  CarrierIdPlace(long long offset, int length) : offset_(offset), length_(length) {}

  long long offset() const { return offset_; }
  int length() const { return length_; }
  bool NeedsPage1() const { return offset_ < kBytesPerPage; }
  bool NeedsPage2() const { return offset_ + length_ > kBytesPerPage; }
  // Whether a byte of the identifier lies on page 1..17.
  bool Reaches(int page) const;

  // The identifier's digits out of the page answers; `part1` is ignored when
  // page 1 is not needed. Digits beyond the answers are missing.
  std::string DigitsFrom(std::string_view part1, std::string_view part2) const;

  // Whether the identifier lies inside pages 1 and 2; else the message telling
  // the operator what to change.
  Status Fits() const;
  // The 2 x length digits to write for the typed identifier, or the message
  // telling the operator what to change.
  Result<std::string> IdentifierDigits(std::string_view carrierIdText, PageForm form) const;
  // `pageDigits` (the 32 digits of pages 1 and 2) with `identifier` put in at
  // its place. Expects a place that Fits() and an identifier of 2 x length digits.
  std::string Merged(std::string_view pageDigits, std::string_view identifier) const;

 private:
  long long offset_;
  int length_;
};

}  // namespace torvane
