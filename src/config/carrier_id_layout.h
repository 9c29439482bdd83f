#pragma once

#include "config/configuration_set.h"
#include "view/dialog_view.h"

namespace torvane {

// Where the carrier identifier lies in pages 1 and 2 of the set under edit, and
// how those 16 bytes show it: the identifier's bytes green without the fix flag,
// the others white with it.
class CarrierIdLayout {
 public:
  static constexpr std::uint32_t kIdentifierGreen = 0x99FF00;  // 0,255,153

  CarrierIdLayout(DialogView& view, ConfigurationSet& set) : view_(view), set_(set) {}

  // Corrects a length or offset that would put the identifier outside its area
  // or past the end of memory, telling the operator each correction.
  void CheckLength();
  // Arranges the 16 bytes for the identifier of the set's source.
  void Layout();
  // Recolours the 16 bytes after one was typed; with the decimal counter the
  // identifier is read back from its bytes.
  void Refresh();
  // The colours alone, as the source shows them.
  void ShowColours();

 private:
  // The identifier's bytes in the whole memory: [start, start + length).
  struct Span {
    int offset = 0;
    int length = 0;
    int start = 0;
    bool Holds(int byte) const { return byte >= start && byte < start + length; }
  };
  Span CurrentSpan() const;
  int MemoryPage() const;

  void Warn(const char* text);
  void ShowSpan(const Span& span, bool setFixFlags);
  void ClearOutside(const Span& span);
  void ClearByte(int byte);
  void MarkWritePagesWhenPast(const Span& span);
  void ReadIdentifierBack(const Span& span);

  DialogView& view_;
  ConfigurationSet& set_;
};

}  // namespace torvane
