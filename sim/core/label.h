// A printed page as a list of drawing elements in printer dots; the
// renderer turns it into an image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ravo::sim {

struct Element {
  enum class Kind {
    kText,
    kTextBlock,  // text wrapped inside x, y, x1 (width), y1 (height)
    kBox,
    kBar,
    kLine,
    kEllipse,  // inside x, y, x1 (width), y1 (height); thickness dots thick
    kReverse,  // inverts x, y, x1 (width), y1 (height)
    kErase,    // clears x, y, x1 (width), y1 (height)
    kBarcode,
    kQrCode,
    kPdf417,
    kDataMatrix,
    kBitmap,
  };
  // CPCL justification: the field is placed within x .. align_end.
  enum class Align { kLeft, kCenter, kRight };
  // Where x lies on a field: its left edge, its middle or its right edge,
  // along the field's own direction (TSPL alignment).
  enum class Anchor { kStart, kMiddle, kEnd };
  enum class BitmapMode { kOverwrite, kOr, kXor };
  Kind kind = Kind::kText;
  Align align = Align::kLeft;
  int align_end = 0;
  Anchor anchor = Anchor::kStart;
  int x = 0, y = 0;    // top-left, or line start
  int x1 = 0, y1 = 0;  // box corner / line end / bar size
  int thickness = 1;
  int radius = 0;    // rounded box corners
  int rotation = 0;  // 0, 90, 180, 270 clockwise
  int size = 0;      // text height, bar-code height, 2-D module size, in dots
  int mul_x = 1, mul_y = 1;
  int narrow = 2;  // narrow bar width in dots
  // Text.
  bool mono = false;  // fixed pitch: every character takes `pitch` dots (two for wide ones)
  int pitch = 0;
  int letter_gap = 0;  // dots after every character of fixed-pitch text
  bool bold = false;
  int underline = 0;     // line thickness under the text, 0 = none
  bool inverse = false;  // light text on a dark ground
  int line_gap = 0;      // extra dots between the lines of a text block
  bool fit = false;      // a text block shrinks its text until it fits
  // Bar codes and 2-D symbols.
  int symbology = 0;      // libzint symbology
  bool readable = false;  // human-readable line under the bars
  bool readable_above = false;
  Anchor readable_align = Anchor::kMiddle;
  int readable_size = 0;  // its text height in dots; 0 = chosen from the bar width
  int readable_gap = 2;   // dots between the bars and the text
  int option_1 = -1, option_2 = 0, option_3 = 0;  // symbology options, as libzint takes them
  std::string data;                               // text bytes, decoded to UTF-8
  // Bitmaps.
  int width_bytes = 0;  // row length
  BitmapMode mode = BitmapMode::kOr;
  std::vector<uint8_t> bits;  // 1 = dark, MSB leftmost
};

struct Label {
  std::string kind;  // "tspl", "cpcl", "selftest", "text"
  int width = 0;
  int height = 0;
  int copies = 1;  // how many the job asked for; one image stands for all
  std::vector<Element> elements;
  size_t bitmap_bytes = 0;
  // Where the printer puts the image on the paper: turned half a turn
  // within the first area_width dots, mirrored, moved by origin and then
  // by shift (in paper coordinates).
  bool turned = false;
  bool mirrored = false;
  int area_width = 0;  // 0 = width
  int origin_x = 0, origin_y = 0;
  int shift_x = 0, shift_y = 0;
  int feed_after = 0;  // dots of paper fed after each copy beyond its height
};

// A label holds at most this much, so a host that never clears the image
// buffer cannot make the printer grow without bound.
inline constexpr size_t kMaxElements = 4096;
inline constexpr size_t kMaxBitmapBytes = 16 * 1024 * 1024;
inline constexpr size_t kMaxTextBytes = 4096;  // one text field
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
