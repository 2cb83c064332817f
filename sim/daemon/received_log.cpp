#include "received_log.h"

namespace ravo::sim {

ReceivedLog::ReceivedLog(const std::string &path) : file_(std::fopen(path.c_str(), "ab")) {}

ReceivedLog::~ReceivedLog() {
  if (file_) std::fclose(file_);
}

void ReceivedLog::Record(char type, uint32_t session, std::span<const uint8_t> bytes) {
  if (!file_) return;
  uint8_t head[9] = {static_cast<uint8_t>(type)};
  const auto n = static_cast<uint32_t>(bytes.size());
  for (int i = 0; i < 4; ++i) {
    head[1 + i] = static_cast<uint8_t>(session >> (8 * i));
    head[5 + i] = static_cast<uint8_t>(n >> (8 * i));
  }
  std::fwrite(head, 1, sizeof head, file_);
  if (n) std::fwrite(bytes.data(), 1, n, file_);
  std::fflush(file_);  // readers look at the file while we run
}

}  // namespace ravo::sim
