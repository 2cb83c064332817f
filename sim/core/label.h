// A printed page as a list of drawing elements in printer dots; the
// renderer turns it into an image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ravo::sim {

struct Element {
  enum class Kind { kText, kBox, kBar, kLine, kBarcode, kQrCode, kPdf417, kBitmap };
  // CPCL justification: the field is placed within x .. align_end.
  enum class Align { kLeft, kCenter, kRight };
  Kind kind = Kind::kText;
  Align align = Align::kLeft;
  int align_end = 0;
  int x = 0, y = 0;    // top-left, or line start
  int x1 = 0, y1 = 0;  // box corner / line end / bar size
  int thickness = 1;
  int rotation = 0;  // 0, 90, 180, 270 clockwise
  int size = 0;      // text height, bar-code height or QR cell, in dots
  int mul_x = 1, mul_y = 1;
  int narrow = 2;  // narrow bar width in dots
  bool readable = false;
  std::string symbology;  // bar-code name as the command gave it
  bool cpcl = false;      // symbology names come from the CPCL table
  char ecc = 'M';
  std::string data;           // text bytes, decoded to UTF-8
  int width_bytes = 0;        // bitmap row length
  bool opaque = false;        // bitmap light dots paint white too
  std::vector<uint8_t> bits;  // bitmap, 1 = dark, MSB leftmost
};

struct Label {
  std::string kind;  // "tspl", "cpcl", "selftest", "text"
  int width = 0;
  int height = 0;
  int copies = 1;  // how many the job asked for; one image stands for all
  std::vector<Element> elements;
  size_t bitmap_bytes = 0;
};

// A label holds at most this much, so a host that never clears the image
// buffer cannot make the printer grow without bound.
inline constexpr size_t kMaxElements = 4096;
inline constexpr size_t kMaxBitmapBytes = 16 * 1024 * 1024;
// Copies one job may ask for (the printed-length counter counts them).
inline constexpr int kMaxCopies = 1024;

// Adds e unless a limit would be passed; false when it was left out.
inline bool AddElement(Label &label, Element &&e) {
  if (label.elements.size() >= kMaxElements || label.bitmap_bytes + e.bits.size() > kMaxBitmapBytes)
    return false;
  label.bitmap_bytes += e.bits.size();
  label.elements.push_back(std::move(e));
  return true;
}

}  // namespace ravo::sim
