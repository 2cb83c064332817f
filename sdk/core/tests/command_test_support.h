// Shared by the command-library tests: a handle on a scripted port, and
// byte strings shown in hexadecimal when an expectation fails.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "fake_port.h"
#include "printer.h"
#include "prt.h"

namespace prt::testing {

inline std::string Hex(const std::string &bytes) {
  std::string out;
  char digits[4];
  for (unsigned char c : bytes) {
    std::snprintf(digits, sizeof digits, "%02X ", c);
    out += digits;
  }
  return out;
}

// One row of a command table: a call on an open handle, the result it
// must give and the bytes that must reach the port.
struct CommandCase {
  const char *name;
  std::function<int32_t(PrtHandle)> call;
  int32_t result;
  std::string bytes;
};

inline void PrintTo(const CommandCase &c, std::ostream *os) {
  *os << c.name;
}

// A printer of `model` whose port is the scripted fake, open.  The scope
// must outlive the printer; printers of one test share it.
class FakePrinter {
 public:
  FakePrinter(FakePortScope &scope, const char *model, bool open = true) : port(scope) {
    EXPECT_EQ(PrtPrinterCreatorA(&handle, model), PRT_SUCCESS) << model;
    if (open) {
      EXPECT_EQ(PrtPortOpenA(handle, "FAKE"), PRT_SUCCESS);
    }
  }
  ~FakePrinter() { PrtPrinterDestroy(handle); }
  FakePrinter(const FakePrinter &) = delete;
  FakePrinter &operator=(const FakePrinter &) = delete;

  PrtCommandContext &context() { return *handle->context; }
  std::string Pending() const {
    const PrtCommandContext &ctx = *handle->context;
    return std::string(ctx.buffer.begin(), ctx.buffer.begin() + ctx.used);
  }

  FakePortScope &port;
  PrtHandle handle = nullptr;
};

// Runs a table row on a fresh printer and compares result and bytes.
inline void ExpectCommand(const char *model, const CommandCase &c) {
  FakePortScope fake;
  FakePrinter printer(fake, model);
  EXPECT_EQ(c.call(printer.handle), c.result) << c.name;
  EXPECT_EQ(Hex(printer.port.Delivered()), Hex(c.bytes)) << c.name;
  if (c.result != PRT_SUCCESS) {
    EXPECT_EQ(printer.Pending(), "") << c.name;
  }
}

}  // namespace prt::testing
