#include "link/interface_texts.h"

#include "platform/decimal_text.h"

namespace torvane {

InterfaceTexts InterfaceTextsOf(const SerialSettings& settings) {
  return {settings.portName,
          std::to_string(settings.baudRate),
          std::to_string(settings.dataBits),
          std::string(ParityCaption(settings.parityCode)),
          std::string(StopBitsCaption(settings.stopBitsCode)),
          std::string(FlowControlCaption(settings.flowControlCode))};
}

void TakeInterfaceTexts(const InterfaceTexts& texts, SerialSettings& settings) {
  settings.portName = texts.port;
  settings.baudRate = DecimalValue(texts.baudRate);
  settings.dataBits = DecimalValue(texts.dataBits);
  settings.parityCode = ParityCodeOf(texts.parity);
  settings.stopBitsCode = StopBitsCodeOf(texts.stopBits);
  settings.flowControlCode = FlowControlCodeOf(texts.flowControl);
  // The stored texts follow the codes, so that reading them again gives the same codes.
  settings.parityText = ParityCaption(settings.parityCode);
  settings.stopBitsText = StopBitsCaption(settings.stopBitsCode);
  settings.flowControlText = FlowControlCaption(settings.flowControlCode);
}

}  // namespace torvane
