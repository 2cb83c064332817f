// A scripted in-process port: records every write and every open/close,
// hands out queued read chunks, and fails on demand.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "port_binding.h"
#include "ravoio.h"

namespace prt::testing {

struct FakePortScript {
  int32_t createResult = 0;
  int32_t openResult = 0;
  std::deque<int32_t> writeResults;         // front used per write; empty = 0
  std::deque<uint32_t> acceptedOnFailure;   // bytes a failing write took; empty = 0
  std::deque<std::vector<uint8_t>> chunks;  // one per read/readChunk call
  int32_t chunkError = 0;                   // returned once chunks run out, if set
};

struct FakePortLog {
  std::vector<std::string> calls;            // "create:NAME", "open", "close", "destroy"
  std::vector<std::vector<uint8_t>> writes;  // every write attempt's bytes
  int readChunkCalls = 0;
};

// Installs the fake into the core's port binding for the lifetime of the
// object; every port created meanwhile follows `script` and logs to `log`.
class FakePortScope {
 public:
  FakePortScope();
  ~FakePortScope();
  FakePortScript script;
  FakePortLog log;

  // Concatenation of the bytes the port accepted, failed writes included.
  std::string Delivered() const;
  std::vector<std::string> SucceededWrites() const;
  std::vector<int32_t> writeOutcomes;
  std::vector<uint32_t> accepted;  // per write: the count it reported
};

}  // namespace prt::testing
