// Image files made to hurt: forged sizes that would take gigabytes, paths
// that are no files, images with nothing in them.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "bounded_child.h"
#include "image/printer_raster.h"
#include "image/rasterizer.h"
#include "image_files.h"

using namespace prt;
using namespace prt::test;
using prt::testing::ChildBounds;
using prt::testing::RunBounded;

namespace {

// What a TSPL printer 864 dots wide accepts.
const ImageLimits kPrinter{864, 65535};

// Loads `path` as a raster command does, in a child that may not grow by
// more than `extra` bytes of address space nor take more than 10 s.
int32_t LoadBounded(const std::string &path, uint64_t extra) {
  const auto result = RunBounded(ChildBounds{extra, 10}, [&] {
    PrinterRaster raster;
    return LoadInvertedRaster(path, kPrinter, raster);
  });
  return result.value_or(INT32_MIN);
}

// 35 bytes: an 8 x 65535 screen (narrow enough for any printer) holding an
// interlaced 65535 x 65535 frame whose pixel data is missing.
std::vector<uint8_t> ForgedGif() {
  const uint8_t bytes[] = {
      'G',  'I', 'F',  '8',  '9',  'a',  8,    0,    0xFF, 0xFF, 0x80, 0, 0,  // screen, 2 colours
      0,    0,   0,    0xFF, 0xFF, 0xFF,                                      // colour table
      0x2C, 0,   0,    0,    0,    0xFF, 0xFF, 0xFF, 0xFF, 0x40,              // interlaced frame
      2,    2,   0x44, 0x01, 0,    0x3B};                                     // a few codes, end
  return {std::begin(bytes), std::end(bytes)};
}

// A real progressive JPEG whose frame header claims 864 x 65500 pixels at
// full colour resolution: its coefficients alone would need 340 MB.
std::vector<uint8_t> ForgedJpeg(const TempDir &dir) {
  WriteJpeg(dir.Path("small.jpg"), RgbImage::Random(16, 16, 3), 90, true);
  std::vector<uint8_t> bytes = ReadBytes(dir.Path("small.jpg"));
  const uint8_t sof2[] = {0xFF, 0xC2};
  auto at = std::search(bytes.begin(), bytes.end(), std::begin(sof2), std::end(sof2));
  EXPECT_NE(at, bytes.end());
  const size_t sof = static_cast<size_t>(at - bytes.begin());
  bytes[sof + 5] = 65500 >> 8;
  bytes[sof + 6] = 65500 & 0xFF;
  bytes[sof + 7] = 864 >> 8;
  bytes[sof + 8] = 864 & 0xFF;
  for (int component = 0; component < 3; ++component) bytes[sof + 11 + 3 * component] = 0x11;
  return bytes;
}

TEST(HostileImages, ForgedSizesAreRefusedWithinMemoryAndTime) {
  if (prt::testing::kAddressSanitizer) GTEST_SKIP() << "the sanitizer needs the address space";
  TempDir dir;
  WriteBytes(dir.Path("forged.gif"), ForgedGif());
  ASSERT_EQ(ReadBytes(dir.Path("forged.gif")).size(), 35u);
  WriteBytes(dir.Path("forged.jpg"), ForgedJpeg(dir));
  uint32_t width = 0, height = 0;
  ASSERT_EQ(ReadImageSize(dir.Path("forged.jpg"), width, height), 0);
  ASSERT_EQ(width * 100000ull + height, 864 * 100000ull + 65500) << "the forged header reads";
  // 256 MB more than the test holds: room for the raster and the decoder's
  // own tables, far from what the forged headers ask for.
  const uint64_t extra = uint64_t{256} << 20;
  EXPECT_EQ(LoadBounded(dir.Path("forged.gif"), extra), PRT_ERR_IMAGE_SIZE);
  EXPECT_EQ(LoadBounded(dir.Path("forged.jpg"), extra), PRT_ERR_IMAGE_SIZE);
}

// A frame larger than the screen shows only its part on the screen, in
// both row orders.
TEST(HostileImages, FramesLargerThanTheScreenAreClipped) {
  TempDir dir;
  std::vector<Rgb> palette;
  for (int i = 0; i < 256; ++i)
    palette.push_back(Rgb{uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)});
  std::vector<uint8_t> indices(9 * 12);
  for (size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<uint8_t>(i);
  for (bool interlaced : {false, true}) {
    // A 9 x 12 frame at (2, 1) on a 5 x 4 screen: 3 columns, 3 rows show.
    GifContent gif{5, 4, 2, 1, 9, 12, interlaced, palette, indices};
    WriteGif(dir.Path("big-frame.gif"), gif);
    std::vector<uint8_t> expected(5 * 4 * 3, 255);
    for (uint32_t y = 1; y < 4; ++y) {
      for (uint32_t x = 2; x < 5; ++x) {
        const Rgb c = palette[indices[(y - 1) * 9 + (x - 2)]];
        const size_t at = (y * 5 + x) * 3;
        expected[at] = c.red;
        expected[at + 1] = c.green;
        expected[at + 2] = c.blue;
      }
    }
    ImageHeader header;
    EXPECT_EQ(DecodeAll(dir.Path("big-frame.gif"), header), expected)
        << "interlaced " << interlaced;
  }
}

// Paths that name no regular file never block and never read forever.
TEST(HostileImages, NonRegularPathsAreRefusedAtOnce) {
  TempDir dir;
  const std::string fifo = dir.Path("pipe.bmp");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string socketPath = dir.Path("socket.bmp");
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
  const struct {
    std::string path;
    int32_t result;
  } cases[] = {
      {fifo, PRT_ERR_IMAGE_LOAD},
      {socketPath, PRT_ERR_IMAGE_LOAD},
      {"/dev/zero", PRT_ERR_IMAGE_LOAD},
      {dir.Path(""), EISDIR},
  };
  for (const auto &c : cases) {
    const auto result = RunBounded(ChildBounds{0, 2}, [&] {
      uint32_t width = 0, height = 0;
      const int32_t size = ReadImageSize(c.path, width, height);
      std::vector<uint8_t> raster(64);
      const int32_t pixels = RasterizeImageFile(c.path, raster);
      return size == pixels ? size : INT32_MIN;
    });
    EXPECT_EQ(result.value_or(INT32_MAX), c.result) << c.path;
  }
  ::close(listener);
}

// An image 0 pixels wide or high is refused as a size, as the raster
// commands document, whatever format carries it.
TEST(HostileImages, EmptyImagesAreASizeError) {
  TempDir dir;
  WriteGif(dir.Path("empty.gif"), GifContent{0, 0, 0, 0, 1, 1, false, {{}, {}}, {0}});
  BmpContent bmp{.width = 0, .height = 3, .bitCount = 24};
  WriteBytes(dir.Path("narrow.bmp"), EncodeBmp(bmp));
  bmp = BmpContent{.width = 3, .height = 0, .bitCount = 24};
  WriteBytes(dir.Path("flat.bmp"), EncodeBmp(bmp));
  for (const char *name : {"empty.gif", "narrow.bmp", "flat.bmp"}) {
    uint32_t width = 7, height = 7;
    EXPECT_EQ(ReadImageSize(dir.Path(name), width, height), PRT_ERR_IMAGE_SIZE) << name;
    PrinterRaster raster;
    EXPECT_EQ(LoadInvertedRaster(dir.Path(name), kPrinter, raster), PRT_ERR_IMAGE_SIZE) << name;
  }
}

}  // namespace
