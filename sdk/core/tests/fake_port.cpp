#include "fake_port.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace prt::testing {
namespace {

FakePortScope *g_scope = nullptr;

struct FakePort {
  IoPort record{};
};

int32_t Open(IoPort *) {
  g_scope->log.calls.push_back("open");
  return g_scope->script.openResult;
}

int32_t Close(IoPort *) {
  g_scope->log.calls.push_back("close");
  return 0;
}

int32_t Write(IoPort *, const uint8_t *data, uint32_t offset, uint32_t length, uint32_t *written) {
  auto &script = g_scope->script;
  g_scope->log.writes.emplace_back(data + offset, data + offset + length);
  int32_t rc = 0;
  if (!script.writeResults.empty()) {
    rc = script.writeResults.front();
    script.writeResults.pop_front();
  }
  uint32_t taken = length;
  if (rc != 0) {
    taken = 0;
    if (!script.acceptedOnFailure.empty()) {
      taken = std::min(length, script.acceptedOnFailure.front());
      script.acceptedOnFailure.pop_front();
    }
  }
  g_scope->writeOutcomes.push_back(rc);
  g_scope->accepted.push_back(taken);
  *written = taken;
  return rc;
}

int32_t ReadChunk(IoPort *, uint8_t *buffer, uint32_t offset, uint32_t length, uint32_t *received) {
  auto &script = g_scope->script;
  ++g_scope->log.readChunkCalls;
  *received = 0;
  if (script.chunks.empty()) return script.chunkError;
  std::vector<uint8_t> &chunk = script.chunks.front();
  uint32_t n = std::min<uint32_t>(length, static_cast<uint32_t>(chunk.size()));
  std::memcpy(buffer + offset, chunk.data(), n);
  chunk.erase(chunk.begin(), chunk.begin() + n);
  if (chunk.empty()) script.chunks.pop_front();
  *received = n;
  return 0;
}

int32_t Unused(IoPort *) {
  return 0;
}
int32_t UnusedTimeouts(IoPort *, uint32_t, uint32_t) {
  return 0;
}
int32_t UnusedWaiting(IoPort *, uint32_t *count) {
  *count = 0;
  return 0;
}

int32_t Create(IoPort **port, const char *name) {
  g_scope->log.calls.push_back(std::string("create:") + name);
  if (g_scope->script.createResult != 0) return g_scope->script.createResult;
  auto fake = std::make_unique<FakePort>();
  fake->record = IoPort{Open,   Close, Unused,    UnusedTimeouts, UnusedWaiting,
                        Unused, Write, ReadChunk, ReadChunk,      fake.get()};
  *port = &fake.release()->record;
  return 0;
}

int32_t Destroy(IoPort *port) {
  g_scope->log.calls.push_back("destroy");
  std::unique_ptr<FakePort> owned(static_cast<FakePort *>(port->impl));
  return 0;
}

constexpr PortFunctions kFake{Create, Destroy};

}  // namespace

FakePortScope::FakePortScope() {
  g_scope = this;
  SetPortBindingForTesting(&kFake);
}

FakePortScope::~FakePortScope() {
  SetPortBindingForTesting(nullptr);
  g_scope = nullptr;
}

std::vector<std::string> FakePortScope::SucceededWrites() const {
  std::vector<std::string> out;
  for (size_t i = 0; i < log.writes.size(); ++i) {
    if (writeOutcomes[i] == 0) out.emplace_back(log.writes[i].begin(), log.writes[i].end());
  }
  return out;
}

std::string FakePortScope::Delivered() const {
  std::string all;
  for (size_t i = 0; i < log.writes.size(); ++i)
    all.append(log.writes[i].begin(), log.writes[i].begin() + accepted[i]);
  return all;
}

}  // namespace prt::testing
