// Small image files for the raster-command tests, written as 24-bit BMP
// so that no encoder is needed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

namespace prt::testing {

// Grey level of pixel (x, y), 0 = black.
using Shade = std::function<uint8_t(uint32_t x, uint32_t y)>;

inline void PutLe(std::vector<uint8_t> &out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// Bottom-up 24-bit BMP with rows padded to four bytes.
inline std::vector<uint8_t> Bmp24(uint32_t width, uint32_t height, const Shade &shade) {
  const uint32_t stride = (width * 3 + 3) / 4 * 4;
  const uint32_t pixels = stride * height;
  std::vector<uint8_t> out = {'B', 'M'};
  PutLe(out, 54 + pixels, 4);
  PutLe(out, 0, 4);
  PutLe(out, 54, 4);
  PutLe(out, 40, 4);
  PutLe(out, width, 4);
  PutLe(out, height, 4);
  PutLe(out, 1, 2);
  PutLe(out, 24, 2);
  PutLe(out, 0, 4);
  PutLe(out, pixels, 4);
  PutLe(out, 2835, 4);
  PutLe(out, 2835, 4);
  PutLe(out, 0, 4);
  PutLe(out, 0, 4);
  for (uint32_t row = height; row-- > 0;) {
    for (uint32_t x = 0; x < width; ++x) {
      const uint8_t v = shade(x, row);
      out.insert(out.end(), {v, v, v});
    }
    out.resize(out.size() + (stride - width * 3), 0);
  }
  return out;
}

// A directory of its own for one test's files, removed afterwards.
class ImageDir {
 public:
  ImageDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ravo-img-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~ImageDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ImageDir(const ImageDir &) = delete;
  ImageDir &operator=(const ImageDir &) = delete;

  // Writes a BMP named `name` (UTF-8) and returns its full path.
  std::string Bmp(const std::string &name, uint32_t width, uint32_t height, const Shade &shade) {
    const std::string file = (path_ / name).string();
    std::vector<uint8_t> bytes = Bmp24(width, height, shade);
    if (FILE *f = std::fopen(file.c_str(), "wb")) {
      std::fwrite(bytes.data(), 1, bytes.size(), f);
      std::fclose(f);
    }
    return file;
  }
  std::string Missing() const { return (path_ / "missing.bmp").string(); }

 private:
  std::filesystem::path path_;
};

inline uint8_t Black(uint32_t, uint32_t) {
  return 0;
}
inline uint8_t White(uint32_t, uint32_t) {
  return 255;
}

}  // namespace prt::testing
