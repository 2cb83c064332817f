// Framing of the host's byte stream: every frame must come out the same
// however the bytes are chunked, and binary payloads must not be mistaken
// for commands.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "stream_parser.h"

namespace ravo::sim {
namespace {

using namespace std::string_literals;

struct Seen {
  Frame::Kind kind;
  std::string text;
  std::string payload;
  bool flash;
  bool operator==(const Seen &) const = default;
};

void PrintTo(const Seen &s, std::ostream *os) {
  *os << "{kind " << static_cast<int>(s.kind) << ", text \"" << s.text << "\", payload "
      << s.payload.size() << " bytes" << (s.flash ? ", flash" : "") << "}";
}

class Recorder : public FrameSink {
 public:
  void OnFrame(const Frame &f) override {
    frames.push_back({f.kind, std::string(f.text), std::string(f.payload), f.flash});
  }
  std::vector<Seen> frames;
};

std::vector<Seen> Parse(const std::string &input, size_t chunk) {
  Recorder r;
  StreamParser p(r);
  for (size_t at = 0; at < input.size(); at += chunk) {
    const std::string piece = input.substr(at, chunk);
    p.Feed(std::span(reinterpret_cast<const uint8_t *>(piece.data()), piece.size()));
  }
  p.Finish();
  return r.frames;
}

std::string Block(char fill) {
  std::string b(256, fill);
  b[10] = '\n';
  b[11] = '\x1B';
  return b;
}

struct Case {
  const char *name;
  std::string input;
  std::vector<Seen> expected;
};

using K = Frame::Kind;

std::vector<Case> Cases() {
  const std::string raster = "\n\x00\r\x1B\x12"s;
  return {
      {"probe_and_block_read",
       "\x1B\x1B\x08ZZZCR\n\x12\x62"s,
       {{K::kProbe, "", "", false},
        {K::kBlockRead, "", "", false},
        {K::kBlockRead, "", "", false}}},
      {"zzz_write_payload_may_hold_line_ends",
       "ZZZCW " + Block('x') + "CLS\r\n",
       {{K::kBlockWrite, "", Block('x'), false}, {K::kLine, "CLS", "", false}}},
      {"dc2_write", "\x12\x63"s + Block('\x12'), {{K::kBlockWrite, "", Block('\x12'), false}}},
      {"reset_and_config_print",
       "\x1B\x21\x52\x1D\x28\x41\x02\x00\x00\x02"s,
       {{K::kFactoryReset, "", "", false}, {K::kConfigPrint, "", "", false}}},
      {"crlf_and_lf_lines",
       "SIZE 40mm,30mm\r\nPRINT 1\nlast",
       {{K::kLine, "SIZE 40mm,30mm", "", false},
        {K::kLine, "PRINT 1", "", false},
        {K::kLine, "last", "", false}}},
      {"bitmap_raster_after_line_end",
       "BITMAP 1,2,1,5,0\r\n" + raster + "PRINT 1\r\n",
       {{K::kBitmap, "1,2,1,5,0", raster, false}, {K::kLine, "PRINT 1", "", false}}},
      {"bitmap_raster_after_fifth_comma",
       "BITMAP 1,2,1,5,1," + raster + "\r\n",
       {{K::kBitmap, "1,2,1,5,1", raster, false}, {K::kLine, "", "", false}}},
      {"download_flash_data",
       "DOWNLOAD F,\"A.BMP\",4,\r\n\x1B\x00ZZZFILES F\r\n"s,
       {{K::kDownload, "A.BMP", "\r\n\x1B\x00"s, true}, {K::kLine, "ZZZFILES F", "", false}}},
      {"download_dram_program",
       "DOWNLOAD \"P.BAS\"\r\nCLS\r\nPRINT 1\r\nEOP\r\nHOME\r\n",
       {{K::kDownloadProgram, "P.BAS", "CLS\r\nPRINT 1\r\nEOP\r\n", false},
        {K::kLine, "HOME", "", false}}},
      {"empty_download", "DOWNLOAD F,\"E\",0,", {{K::kDownload, "E", "", true}}},
      {"cpcl_graphics",
       "! 0 200 200 100 1\r\nCG 1 3 10 20 \n\r\x00PRINT\r\n"s,
       {{K::kLine, "! 0 200 200 100 1", "", false},
        {K::kCpclGraphics, "CG 1 3 10 20", "\n\r\x00"s, false},
        {K::kLine, "PRINT", "", false}}},
      {"unknown_escape_is_skipped",
       "\x1B\x7FHi\n"s,
       {{K::kDropped, "unknown command 1B 7F", "", false}, {K::kLine, "Hi", "", false}}},
      {"partial_payload_at_close_is_dropped",
       "ZZZCW abc",
       {{K::kDropped, "unfinished data at end of connection", "", false}}},
  };
}

TEST(StreamParser, FramesDoNotDependOnChunking) {
  for (const Case &c : Cases()) {
    for (size_t chunk : {size_t{1}, size_t{2}, size_t{7}, size_t{4096}}) {
      EXPECT_EQ(Parse(c.input, chunk), c.expected) << c.name << " chunk " << chunk;
    }
  }
}

TEST(StreamParser, OverlongLineIsDroppedAndParsingResumes) {
  const std::string input = std::string(StreamParser::kMaxLine + 10, 'A') + "\nPRINT 1\n";
  const auto frames = Parse(input, 1000);
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].kind, K::kDropped);
  EXPECT_EQ(frames[1], (Seen{K::kLine, "PRINT 1", "", false}));
}

TEST(StreamParser, OversizedPayloadIsSkippedWithoutBuffering) {
  const size_t size = StreamParser::kMaxPayload + 1;
  Recorder r;
  StreamParser p(r);
  const std::string head = "DOWNLOAD F,\"BIG\"," + std::to_string(size) + ",";
  p.Feed(std::span(reinterpret_cast<const uint8_t *>(head.data()), head.size()));
  const std::string chunk(64 * 1024, 'z');
  for (size_t sent = 0; sent < size; sent += chunk.size()) {
    const size_t n = std::min(chunk.size(), size - sent);
    p.Feed(std::span(reinterpret_cast<const uint8_t *>(chunk.data()), n));
  }
  const std::string tail = "HOME\r\n";
  p.Feed(std::span(reinterpret_cast<const uint8_t *>(tail.data()), tail.size()));
  ASSERT_EQ(r.frames.size(), 2u);
  EXPECT_EQ(r.frames[0].kind, K::kDropped);
  EXPECT_EQ(r.frames[1], (Seen{K::kLine, "HOME", "", false}));
}

TEST(StreamParser, MalformedDownloadSkipsItsLine) {
  EXPECT_EQ(Parse("DOWNLOAD F,NAME\r\nHOME\r\n", 3),
            (std::vector<Seen>{{K::kDropped, "malformed DOWNLOAD", "", false},
                               {K::kLine, "HOME", "", false}}));
}

}  // namespace
}  // namespace ravo::sim
