// The printer's own report of its state: the answer to the TSPL status
// query <ESC>!? (one byte: 0x01 head open, 0x02 paper jam, 0x04 out of
// paper, 0x08 out of ribbon, 0x10 paused, 0x20 printing, 0x80 other error).
#pragma once

#include <pappl/pappl.h>

#include <cstdint>
#include <optional>

namespace ravo::app {

// The printer-state-reasons the status byte decides; others stay as they are.
inline constexpr pappl_preason_t kStatusReasons =
    PAPPL_PREASON_COVER_OPEN | PAPPL_PREASON_MEDIA_JAM | PAPPL_PREASON_MEDIA_EMPTY |
    PAPPL_PREASON_MARKER_SUPPLY_EMPTY | PAPPL_PREASON_OTHER;

pappl_preason_t ReasonsForTsplStatus(uint8_t status);

// True for reasons under which a label cannot come out.
bool StopsPrinting(pappl_preason_t reasons);

struct StatusAnswer {
  bool reached = false;           // the query went out and the line stayed up
  std::optional<uint8_t> status;  // the answer, if one came in time
};

// Sends <ESC>!? and reads the one-byte answer within the device's read
// timeout (a read gives -1 when nothing came, 0 when the connection closed).
StatusAnswer QueryTsplStatus(pappl_device_t *device);

// Whether a device URI reaches a printer that can answer at all
// (parallel ports cannot).
bool CanAnswer(const char *deviceUri);

}  // namespace ravo::app
