// Getting a finished job to the printer whatever the printer does in the
// meantime.  The whole job is built in memory first, so that a printer
// that goes away halfway gets it again from the start on a new connection
// and no label comes out twice or not at all: PRINT is always last.
#pragma once

#include <pappl/pappl.h>

#include <cstdint>
#include <span>

namespace ravo::app {

// Seconds between tries to reach a printer that went away (PAPPL waits as
// long before it tries again to open a printer it could not open).
inline constexpr int kRetrySeconds = 5;
// Seconds between status queries while the printer reports it cannot print.
inline constexpr int kStatusPollSeconds = 2;

// Waits while a printer that answers the TSPL status query reports that
// it cannot print (out of paper, head open, …), then sends `bytes`; such a
// printer's answer to a second query confirms it took them (the line's
// buffers accept a whole label even from a printer that is dying).  When
// the printer cannot be written to, or the line closes before the
// confirmation, the job waits with the printer marked offline and is sent
// whole on a new connection once the printer is back.  Jobs of one printer
// deliver one at a time, the older first (device_turn.h).  Returns true once
// every byte went out; false when the job was canceled or the system shuts
// down first.
bool DeliverJob(pappl_job_t *job, pappl_device_t *device, std::span<const uint8_t> bytes);

}  // namespace ravo::app
