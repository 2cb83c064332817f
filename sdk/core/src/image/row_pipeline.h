// Hands rows from a producer to a consumer in order, optionally with the
// producer on a helper thread so that decoding and dithering overlap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace prt {

// Fills one row; false stops the run as failed.
using RowProducer = std::function<bool(uint8_t *row)>;
// Uses one row; rows arrive top to bottom.
using RowConsumer = std::function<void(const uint8_t *row)>;

// Runs produce/consume for `rows` rows of `rowBytes` bytes on this thread.
// Returns false when the producer failed.
bool PipeRowsInline(uint32_t rows, size_t rowBytes, const RowProducer &produce,
                    const RowConsumer &consume);

// Same, with the producer on a helper thread a few batches of rows ahead.
// An exception thrown by the producer is rethrown here.  When no thread
// can be started the rows are piped inline.
bool PipeRowsThreaded(uint32_t rows, size_t rowBytes, const RowProducer &produce,
                      const RowConsumer &consume);

}  // namespace prt
