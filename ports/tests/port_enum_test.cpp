// Port lists: naming, ordering, the caller-owned buffer contract, and that
// every listed name turns back into a port string of its kind.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "port_address.h"
#include "port_names.h"
#include "ravoio.h"

using namespace ravo::io;

namespace {

TEST(PortNames, SerialAndParallelNames) {
  struct Case {
    const char *path;
    const char *name;
  };
  for (Case c : {Case{"/dev/ttyS0", "COM1:"}, Case{"/dev/ttyS12", "COM13:"},
                 Case{"/dev/ttyS256", "ttyS256:"}, Case{"/dev/ttyUSB0", "ttyUSB0:"},
                 Case{"/dev/ttyACM3", "ttyACM3:"}, Case{"/dev/rfcomm0", "/dev/rfcomm0:"},
                 Case{"/dev/serial/by-id/x", "/dev/serial/by-id/x:"}}) {
    EXPECT_EQ(SerialPortName(c.path), c.name) << c.path;
  }
  EXPECT_EQ(ParallelPortName("lp0"), "LPT1:");
  EXPECT_EQ(ParallelPortName("lp63"), "LPT64:");
  for (const char *other : {"lp64", "lp", "lpx", "loop0", "lp0p1"}) {
    EXPECT_FALSE(ParallelPortName(other).has_value()) << other;
  }
}

TEST(PortNames, ListedNamesParseAsTheirKind) {
  for (const char *path : {"/dev/ttyS0", "/dev/ttyS255", "/dev/ttyUSB0", "/dev/rfcomm0"}) {
    std::string name = SerialPortName(path);
    name.pop_back();  // the dialog stores the name without its colon
    PortAddress s;
    ASSERT_EQ(ParsePortAddress(name + ",BAUDRATE_9600", s), 0) << name;
    EXPECT_EQ(s.kind, PortKind::Serial);
    EXPECT_EQ(s.device, path);
  }
  std::string lpt = *ParallelPortName("lp7");
  lpt.pop_back();
  PortAddress s;
  ASSERT_EQ(ParsePortAddress(lpt, s), 0);
  EXPECT_EQ(s.kind, PortKind::Parallel);
  EXPECT_EQ(s.device, "/dev/lp7");
}

TEST(PortNames, SortsNumberedPortsByNumber) {
  std::vector<std::string> names = {"ttyUSB0:", "COM10:", "COM2:", "/dev/rfcomm0:", "COM1:"};
  SortPortNames(names);
  EXPECT_EQ(names,
            (std::vector<std::string>{"COM1:", "COM2:", "COM10:", "/dev/rfcomm0:", "ttyUSB0:"}));
}

TEST(PackNames, BufferContract) {
  const std::vector<std::string> names = {"COM1:", "ttyUSB0:"};
  const char expected[] = "COM1:\0ttyUSB0:\0";  // plus the literal's own NUL
  const uint32_t need = sizeof expected;
  struct Case {
    uint32_t size;
    bool nullBuffer;
    int32_t rc;
  };
  for (Case c : {Case{need, false, 0}, Case{need + 5, false, 0}, Case{need - 1, false, -2},
                 Case{0, false, -2}, Case{64, true, -2}}) {
    char buf[64];
    std::memset(buf, '#', sizeof buf);
    uint32_t needed = 0, count = 0;
    EXPECT_EQ(PackNames(names, c.nullBuffer ? nullptr : buf, c.size, &needed, &count), c.rc)
        << c.size;
    EXPECT_EQ(needed, need);
    EXPECT_EQ(count, 2u);
    if (c.rc == 0) {
      EXPECT_EQ(std::memcmp(buf, expected, need), 0);
    } else {
      EXPECT_EQ(buf[0], '#') << "nothing may be written when the buffer is too small";
    }
  }
  EXPECT_EQ(PackNames({}, nullptr, 0, nullptr, nullptr), -2);
}

// The names in a packed list.
std::vector<std::string> Unpack(const char *buf) {
  std::vector<std::string> out;
  for (const char *p = buf; *p != '\0'; p += std::strlen(p) + 1) out.emplace_back(p);
  return out;
}

TEST(EnumPorts, KindsAndArguments) {
  char buf[8192];
  uint32_t needed = 0, count = 0;
  EXPECT_EQ(ravo_io_enum_ports("TCPIP", buf, sizeof buf, &needed, &count), 0);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(needed, 1u);
  EXPECT_EQ(ravo_io_enum_ports("NET", buf, sizeof buf, &needed, &count),
            RAVO_IO_ERR_INVALID_SETTING);
  EXPECT_EQ(ravo_io_enum_ports(nullptr, buf, sizeof buf, &needed, &count),
            RAVO_IO_ERR_INVALID_SETTING);

  // Whatever this machine has: each name is of its kind and parses back.
  struct Kind {
    const char *kind;
    const char *options;
    PortKind parsed;
  };
  for (Kind k :
       {Kind{"com", ",BAUDRATE_9600", PortKind::Serial}, Kind{"LPT", "", PortKind::Parallel}}) {
    ASSERT_EQ(ravo_io_enum_ports(k.kind, nullptr, 0, &needed, &count),
              RAVO_IO_ERR_BUFFER_TOO_SMALL);
    std::vector<char> list(needed + 64);  // room in case a port appears meanwhile
    ASSERT_EQ(ravo_io_enum_ports(k.kind, list.data(), static_cast<uint32_t>(list.size()), &needed,
                                 &count),
              0);
    std::vector<std::string> names = Unpack(list.data());
    EXPECT_EQ(names.size(), count);
    for (std::string name : names) {
      ASSERT_EQ(name.back(), ':') << name;
      name.pop_back();
      PortAddress s;
      EXPECT_EQ(ParsePortAddress(name + k.options, s), 0) << name;
      EXPECT_EQ(s.kind, k.parsed) << name;
    }
  }
}

}  // namespace
