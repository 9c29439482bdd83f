#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "view/page_geometry.h"

namespace torvane {

// One data line of a complete CSV file: the carrier ID with its own format,
// offset and length, the data and lock flag of pages 3 to 17.
struct CompleteRow {
  static constexpr std::size_t kCarrierIdField = 3;
  static constexpr std::size_t kDoneField = 5 + 2 * kUserPageCount;

  std::string format;  // "A": one character per byte; "X": two hexadecimal digits per byte
  std::string offset;
  std::string length;
  std::string carrierId;
  std::string lockCarrierId;
  std::array<std::string, kUserPageCount> pageData;
  std::array<std::string, kUserPageCount> lockPage;

  // Missing fields stay empty.
  static CompleteRow FromFields(const std::vector<std::string_view>& fields);
  // The header names a complete file must carry.
  static std::vector<std::string> HeaderNames();

  // Whether the row can be written exactly as it stands: a carrier ID of
  // `length` bytes in its format that lies inside pages 1 and 2, and page data
  // of at most 8 bytes each.
  bool IsWritable() const;
  // The bytes a data field stands for in the row's format.
  std::vector<unsigned char> Bytes(std::string_view field) const;
};

}  // namespace torvane
