// The printer's command-mode probe and the exchange of its 256-byte
// parameter block, over the TSPL handle and the selected port.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace mdlPrinterLib_TSPL {

using ParameterBlock = std::array<uint8_t, 256>;

inline constexpr uint8_t kBlockMarker = 0x78;

// Outcome of a block exchange: ok, or the message key of the failing step
// with the library code that caused it (0 when the data itself was wrong).
struct BlockResult {
  bool ok = true;
  QString messageKey;
  int32_t code = 0;

  // "OK", or the language text of messageKey.
  QString StatusText() const;
};

// Writes 1B 1B 08 on the already open port and reads one byte; 0 when
// nothing arrived.  Neither opens nor closes the port.
uint8_t QueryCommandMode();

// Opens SelectedPort, requests the block (ZZZCR or DC2 "b" by
// CommandModeFlag), reads it and checks marker and checksum.  The block is
// changed only when ok.  Keys: _Err_OpenPort, _Err_WriteData, _Err_ReadData,
// _Err_CheckSum.
BlockResult ReadParameterBlock(ParameterBlock &block);

// Stores the checksum in bytes 254/255, opens SelectedPort and writes the
// write header (ZZZCW or DC2 "c") and, 20 ms later, the block.  Keys:
// _Err_OpenPort (with the open code; the window shows code, colon, text and
// then _Err_ParaSet) and _Err_ParaSet for a failed write.
BlockResult WriteParameterBlock(ParameterBlock &block);

// Stores Checksum16 of bytes 0 ... 253 into bytes 254 (low) and 255 (high).
void SealParameterBlock(ParameterBlock &block);

}  // namespace mdlPrinterLib_TSPL
