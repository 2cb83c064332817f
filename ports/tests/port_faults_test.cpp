// Misuse and lifecycle faults, the same for every transport that can run
// here: each gives its defined code and leaves no descriptor behind.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "loopback_listener.h"
#include "port_test_util.h"
#include "pty_pair.h"

using ravo::testing::LoopbackListener;
using ravo::testing::Port;
using ravo::testing::PtyPair;

namespace {

// Something a port can be opened on, kept alive for one test.
struct Endpoint {
  std::shared_ptr<void> keepAlive;
  std::string portString;
};

struct Transport {
  const char *name;
  std::function<Endpoint()> make;
};

std::string TempFile() {
  static int serial = 0;
  return "/tmp/ravo-fault-" + std::to_string(::getpid()) + "-" + std::to_string(++serial);
}

const Transport kTransports[] = {
    {"net",
     [] {
       auto listener = std::make_shared<LoopbackListener>();
       return Endpoint{listener, listener->PortString("TIMEOUT_50")};
     }},
    {"serial",
     [] {
       auto pty = std::make_shared<PtyPair>();
       return Endpoint{pty, pty->PortString("TIMEOUT_50")};
     }},
    {"parallel",
     [] {
       std::string path = TempFile();
       auto file = std::shared_ptr<std::string>(new std::string(path), [](std::string *p) {
         ::unlink(p->c_str());
         delete p;
       });
       ::close(::creat(path.c_str(), 0600));
       return Endpoint{file, path};
     }},
};

void PrintTo(const Transport &t, std::ostream *os) {
  *os << t.name;
}

int OpenDescriptors() {
  int n = 0;
  if (DIR *d = ::opendir("/proc/self/fd")) {
    while (::readdir(d) != nullptr) ++n;
    ::closedir(d);
  }
  return n;
}

// The network endpoint's listener thread closes its side of a connection
// only when it sees the end, a moment after destroy: wait for the count
// to come back (a leaked descriptor never does).
int OpenDescriptorsSettled(int expected) {
  int n = OpenDescriptors();
  for (int i = 0; i < 200 && n != expected; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    n = OpenDescriptors();
  }
  return n;
}

class PortFaults : public ::testing::TestWithParam<Transport> {};

TEST_P(PortFaults, LifecycleMisuseGivesDefinedCodes) {
  Endpoint ep = GetParam().make();
  Port port;
  ASSERT_EQ(port.Create(ep.portString), 0);
  std::string got;
  EXPECT_EQ(port.Close(), RAVO_IO_ERR_NOT_OPEN);
  EXPECT_EQ(port.Write("x"), RAVO_IO_ERR_NOT_OPEN);
  EXPECT_EQ(port.Read(got), RAVO_IO_ERR_NOT_OPEN);
  EXPECT_EQ(port.p->flush(port.p), RAVO_IO_ERR_NOT_OPEN);
  ASSERT_EQ(port.Open(), 0);
  EXPECT_EQ(port.Open(), RAVO_IO_ERR_ALREADY_OPEN);
  EXPECT_EQ(port.Close(), 0);
  EXPECT_EQ(port.Close(), RAVO_IO_ERR_NOT_OPEN);
  EXPECT_EQ(port.Open(), 0) << "a closed port opens again";
}

TEST_P(PortFaults, EmptyTransfersSucceedAtOnce) {
  Endpoint ep = GetParam().make();
  Port port;
  ASSERT_EQ(port.Create(ep.portString), 0);
  ASSERT_EQ(port.Open(), 0);
  uint32_t n = 77;
  EXPECT_EQ(port.p->write(port.p, nullptr, 0, 0, &n), 0);
  EXPECT_EQ(n, 0u);
  uint8_t byte = 0;
  n = 77;
  EXPECT_EQ(port.p->read(port.p, &byte, 0, 0, &n), 0);
  EXPECT_EQ(n, 0u);
  n = 77;
  EXPECT_EQ(port.p->readChunk(port.p, nullptr, 0, 0, &n), 0);
  EXPECT_EQ(n, 0u);
  EXPECT_EQ(port.p->write(port.p, nullptr, 0, 4, &n), RAVO_IO_ERR_INVALID_SETTING);
}

TEST_P(PortFaults, DestroyWhileOpenReleasesTheDevice) {
  Endpoint ep = GetParam().make();
  const int before = OpenDescriptors();
  for (int round = 0; round < 3; ++round) {
    IoPort *p = nullptr;
    ASSERT_EQ(ravo_io_port_creator(&p, ep.portString.c_str()), 0);
    ASSERT_EQ(p->open(p), 0) << "round " << round;  // the previous owner let go
    EXPECT_EQ(ravo_io_port_destroy(p), 0);
  }
  EXPECT_EQ(OpenDescriptorsSettled(before), before);
}

INSTANTIATE_TEST_SUITE_P(AllTransports, PortFaults, ::testing::ValuesIn(kTransports),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
