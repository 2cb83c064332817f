#include "label_png.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace ravo::app::test {
namespace {

struct FileCloser {
  void operator()(std::FILE *file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

GreyPicture GreyPicture::White(uint32_t width, uint32_t height) {
  GreyPicture picture;
  picture.width = width;
  picture.height = height;
  picture.grey.assign(size_t{width} * height, 255);
  return picture;
}

void GreyPicture::Fill(uint32_t x0, uint32_t y0, uint32_t x1, uint32_t y1, uint8_t value) {
  for (uint32_t y = y0; y < y1 && y < height; ++y) {
    for (uint32_t x = x0; x < x1 && x < width; ++x) grey[size_t{y} * width + x] = value;
  }
}

double GreyPicture::DarkShare(uint32_t x0, uint32_t y0, uint32_t x1, uint32_t y1) const {
  size_t dark = 0, all = 0;
  for (uint32_t y = y0; y < y1 && y < height; ++y) {
    for (uint32_t x = x0; x < x1 && x < width; ++x) {
      ++all;
      if (At(x, y) < 128) ++dark;
    }
  }
  return all == 0 ? 0.0 : static_cast<double>(dark) / static_cast<double>(all);
}

bool WritePng(const std::string &path, const GreyPicture &picture) {
  FilePtr file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, picture.width, picture.height, 8, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (uint32_t y = 0; y < picture.height; ++y) {
    png_write_row(png, picture.grey.data() + size_t{y} * picture.width);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

GreyPicture ReadPng(const std::string &path) {
  GreyPicture picture;
  FilePtr file(std::fopen(path.c_str(), "rb"));
  if (!file) return picture;
  // A label still being written is no error here: the caller tries again.
  png_structp png = png_create_read_struct(
      PNG_LIBPNG_VER_STRING, nullptr, [](png_structp p, png_const_charp) { png_longjmp(p, 1); },
      [](png_structp, png_const_charp) {});
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return {};
  }
  png_init_io(png, file.get());
  png_read_info(png, info);
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_strip_alpha(png);
  png_set_rgb_to_gray_fixed(png, 1, -1, -1);
  png_read_update_info(png, info);
  picture.width = png_get_image_width(png, info);
  picture.height = png_get_image_height(png, info);
  picture.grey.resize(size_t{picture.width} * picture.height);
  std::vector<png_bytep> rows(picture.height);
  for (uint32_t y = 0; y < picture.height; ++y) {
    rows[y] = picture.grey.data() + size_t{y} * picture.width;
  }
  png_read_image(png, rows.data());
  png_destroy_read_struct(&png, &info, nullptr);
  return picture;
}

GreyPicture TestLabel() {
  GreyPicture label = GreyPicture::White(812, 1218);
  label.Fill(100, 100, 400, 300, 0);    // block
  label.Fill(500, 100, 510, 1100, 0);   // thin bar
  for (uint32_t x = 0; x < 812; ++x) {  // ramp, white to black
    label.Fill(x, 600, x + 1, 800, static_cast<uint8_t>(255 - x * 255 / 811));
  }
  return label;
}

}  // namespace ravo::app::test
