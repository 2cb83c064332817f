// Several hosts' work on one device, without sockets: each host's bytes
// are read in the context of its own unfinished job.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "device.h"

namespace ravo::sim {
namespace {

class Recording : public DeviceOutput {
 public:
  void Answer(std::string_view bytes) override { answers += bytes; }
  void Print(const Label &label) override { labels.push_back(label); }
  std::string answers;
  std::vector<Label> labels;
};

class HostWorkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "simwork-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    Persona persona;
    persona.serial = "W1";
    device_ = std::make_unique<Device>(persona, false, root_, out_);
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  // Feeds bytes as the host that owns work.
  void Send(Device::HostWork &work, const std::string &bytes) {
    device_->SwapHostWork(work);
    device_->Feed(std::span(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size()));
    device_->SwapHostWork(work);
  }

  std::filesystem::path root_;
  Recording out_;
  std::unique_ptr<Device> device_;
};

TEST_F(HostWorkTest, InterleavedHostsKeepTheirOwnLabelsAndLines) {
  auto a = device_->NewHostWork();
  auto b = device_->NewHostWork();
  Send(a, "ZZZGE");
  Send(b, "! 0 200 200 210 1\r\nTEXT 4 0 30 40 FROM B\r\n");
  Send(a, "TSN\r\n");  // a's own half line, not a line of b's label
  EXPECT_EQ(out_.answers, std::string("\x02W1\0", 4));
  Send(a, "SIZE 20 mm,10 mm\r\nCLS\r\nTEXT 10,10,\"3\",0,1,1,\"FROM A\"\r\n");
  Send(b, "PRINT\r\n");
  Send(a, "PRINT 1\r\n");
  ASSERT_EQ(out_.labels.size(), 2u);
  EXPECT_EQ(out_.labels[0].kind, "cpcl");
  ASSERT_EQ(out_.labels[0].elements.size(), 1u);
  EXPECT_EQ(out_.labels[0].elements[0].data, "FROM B");
  EXPECT_EQ(out_.labels[1].kind, "tspl");
  EXPECT_EQ(out_.labels[1].height, 80);
  ASSERT_EQ(out_.labels[1].elements.size(), 1u);
  EXPECT_EQ(out_.labels[1].elements[0].data, "FROM A");
}

TEST_F(HostWorkTest, EndingWorkPrintsTheReceiptDropsTheRestAndKeepsTsplSettings) {
  auto a = device_->NewHostWork();
  Send(a, "receipt line\r\nSIZE 30 mm,15 mm\r\nCLS\r\nBAR 0,0,10,10\r\n");
  Send(a, "! 0 200 200 210 1\r\nTEXT 4 0 30 40 OPEN\r\n");
  device_->EndHostWork(std::move(a));
  ASSERT_EQ(out_.labels.size(), 1u);
  EXPECT_EQ(out_.labels[0].kind, "text");

  auto next = device_->NewHostWork();
  Send(next, "PRINT\r\nPRINT 1\r\n");  // the CPCL label is gone; the TSPL buffer is empty
  ASSERT_EQ(out_.labels.size(), 2u);
  EXPECT_EQ(out_.labels[1].kind, "tspl");
  EXPECT_EQ(out_.labels[1].height, 120);
  EXPECT_TRUE(out_.labels[1].elements.empty());
}

TEST_F(HostWorkTest, ReceiptsOfInterleavedHostsDoNotMix) {
  auto a = device_->NewHostWork();
  auto b = device_->NewHostWork();
  Send(a, "\x1b@\x1b!\x10STORE A");  // a line not yet ended
  Send(b, "\x1b@from b\n");
  Send(a, "\n");
  device_->EndHostWork(std::move(b));
  device_->EndHostWork(std::move(a));
  ASSERT_EQ(out_.labels.size(), 2u);
  auto texts = [](const Label &label) {
    std::string all;
    for (const auto &e : label.elements) all += e.data;
    return all;
  };
  EXPECT_EQ(texts(out_.labels[0]), "from b");
  EXPECT_EQ(texts(out_.labels[1]), "STORE A");
}

}  // namespace
}  // namespace ravo::sim
