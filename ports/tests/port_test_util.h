// Small helpers shared by the port tests.
#pragma once

#include <cstdint>
#include <string>

#include "ravoio.h"

namespace ravo::testing {

// Owns one port object for the length of a test.
struct Port {
  IoPort *p = nullptr;
  ~Port() { ravo_io_port_destroy(p); }
  int32_t Create(const std::string &name) { return ravo_io_port_creator(&p, name.c_str()); }
  int32_t Open() { return p->open(p); }
  int32_t Close() { return p->close(p); }
  int32_t Write(const std::string &bytes, uint32_t *written = nullptr) {
    uint32_t n = 0;
    int32_t rc = p->write(p, reinterpret_cast<const uint8_t *>(bytes.data()), 0,
                          static_cast<uint32_t>(bytes.size()), written ? written : &n);
    return rc;
  }
  // read (wait = true) or readChunk into a buffer of `room` bytes.
  int32_t Read(std::string &out, uint32_t room = 256, bool wait = true) {
    std::string buf(room, '\0');
    uint32_t n = 12345;
    auto *data = reinterpret_cast<uint8_t *>(buf.data());
    int32_t rc = wait ? p->read(p, data, 0, room, &n) : p->readChunk(p, data, 0, room, &n);
    out = buf.substr(0, n);
    return rc;
  }
};

}  // namespace ravo::testing
