#pragma once

namespace torvane {

// A transponder's memory as the station sees it: 17 pages of 8 bytes. Pages 1
// and 2 are the carrier-ID area, pages 3 to 17 the user pages. Page n holds
// bytes kBytesPerPage * (n - 1) to kBytesPerPage * n - 1.
constexpr int kBytesPerPage = 8;
constexpr int kPageCount = 17;
constexpr int kMemoryBytes = kPageCount * kBytesPerPage;
constexpr int kCarrierIdAreaPages = 2;
constexpr int kCarrierIdAreaBytes = kCarrierIdAreaPages * kBytesPerPage;
constexpr int kFirstUserPage = kCarrierIdAreaPages + 1;
constexpr int kUserPageCount = kPageCount - kCarrierIdAreaPages;

// The first byte of page 1..17.
constexpr int FirstByteOfPage(int page) {
  return kBytesPerPage * (page - 1);
}

}  // namespace torvane
