// Grey test images for the raster-command tests, written as 24-bit BMP
// with the image-test writers.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "image_files.h"

namespace prt::testing {

// Grey level of pixel (x, y), 0 = black.
using Shade = std::function<uint8_t(uint32_t x, uint32_t y)>;

inline uint8_t Black(uint32_t, uint32_t) {
  return 0;
}
inline uint8_t White(uint32_t, uint32_t) {
  return 255;
}

// A folder of test images, removed with the object.
class ImageDir {
 public:
  // Writes a BMP named `name` (UTF-8) and returns its full path.
  std::string Bmp(const std::string &name, uint32_t width, uint32_t height, const Shade &shade) {
    prt::test::BmpContent content;
    content.width = width;
    content.height = height;
    content.pixels.reserve(static_cast<size_t>(width) * height * 3);
    for (uint32_t y = 0; y < height; ++y) {
      for (uint32_t x = 0; x < width; ++x)
        content.pixels.insert(content.pixels.end(), 3, shade(x, y));
    }
    const std::string path = dir_.Path(name);
    prt::test::WriteBytes(path, prt::test::EncodeBmp(content));
    return path;
  }
  std::string Missing() const { return dir_.Path("missing.bmp"); }

 private:
  prt::test::TempDir dir_;
};

}  // namespace prt::testing
