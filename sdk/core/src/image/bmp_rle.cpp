// Run-length encoded bitmaps (RLE8, RLE4).  The stream runs bottom-up and
// cannot be entered in the middle, so one pass notes where each painted
// row's commands lie; rows are then decoded from the top, each from its own
// stretch of the file.  Memory grows with the painted rows, never with the
// whole image.
#include <algorithm>
#include <vector>

#include "image/bmp_layout.h"

namespace prt {
namespace {

constexpr size_t kChunkBytes = 64 * 1024;
constexpr uint32_t kMaxWidth = 65535;
// Pixels the stream skips (deltas, early ends of lines and of the bitmap)
// show the background, which on a label is the paper: no dots.
constexpr uint16_t kUnpainted = 256;
constexpr Rgb kPaper{255, 255, 255};

// Sequential reads of the compressed stream with the file position known.
class StreamReader {
 public:
  StreamReader(std::FILE *file, uint64_t begin, uint64_t end)
      : file_(file), position_(begin), end_(end) {}

  uint64_t position() const { return position_; }
  bool AtEnd() const { return position_ >= end_; }

  // False at the end of the data.
  bool Next(uint8_t &byte) {
    if (next_ == buffer_.size() && !Fill()) return false;
    byte = buffer_[next_++];
    ++position_;
    return true;
  }
  bool Skip(uint64_t count) {
    uint8_t ignored = 0;
    for (uint64_t i = 0; i < count; ++i) {
      if (!Next(ignored)) return false;
    }
    return true;
  }

 private:
  bool Fill() {
    if (position_ >= end_) return false;
    buffer_.resize(std::min<uint64_t>(kChunkBytes, end_ - position_));
    if (!ReadBmpBytes(file_, position_, buffer_.data(), buffer_.size())) return false;
    next_ = 0;
    return true;
  }

  std::FILE *file_;
  uint64_t position_;
  uint64_t end_;
  std::vector<uint8_t> buffer_;
  size_t next_ = 0;
};

// Bytes holding `count` pixels of an absolute run (before its padding to
// 16 bits).
uint64_t PixelBytes(uint32_t count, bool fourBit) {
  return fourBit ? (count + 1) / 2 : count;
}

// Pixel i of a run drawn from `byte`: RLE4 alternates its two nibbles.
uint8_t RunPixel(uint8_t byte, uint32_t i, bool fourBit) {
  if (!fourBit) return byte;
  return i % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

// Where the commands of one painted row lie, counted from the bottom row.
struct RowStretch {
  uint32_t row = 0;
  uint64_t startX = 0;  // a delta may enter a row part-way along
  uint64_t begin = 0;
  uint64_t end = 0;
};

// Why a walk over a row's commands stopped.
enum class Stop { kEndOfLine, kDelta, kEndOfBitmap, kEndOfData, kBroken };

struct Cursor {
  uint64_t x = 0;
  uint32_t dx = 0;  // the delta that left the row: columns right,
  uint32_t dy = 0;  // rows up the image
};

class RleBmpDecoder final : public ImageDecoder {
 public:
  RleBmpDecoder(std::FILE *file, BmpLayout layout) : file_(file), layout_(std::move(layout)) {
    header_.width = layout_.width;
    header_.height = layout_.height;
    header_.format = RowFormat::kRgb;
  }

  bool ReadRow(uint8_t *out) override {
    if (next_ >= layout_.height) return false;
    // Indexed on the first row, so that reading the size reads no more
    // than the headers.
    if (next_ == 0) {
      if (broken_ || !Index()) {
        broken_ = true;
        return false;
      }
      indices_.resize(layout_.width);
    }
    const uint32_t row = layout_.height - 1 - next_++;  // file rows run upwards
    std::fill(indices_.begin(), indices_.end(), kUnpainted);
    // Stretches were noted bottom-up, at most one a row; the top rows come
    // first here.
    while (pending_ > 0 && stretches_[pending_ - 1].row > row) --pending_;
    if (pending_ > 0 && stretches_[pending_ - 1].row == row && !Paint(stretches_[pending_ - 1])) {
      return false;
    }
    for (uint32_t x = 0; x < layout_.width; ++x) {
      const Rgb colour = indices_[x] == kUnpainted ? kPaper : layout_.palette[indices_[x]];
      out[3 * x] = colour.red;
      out[3 * x + 1] = colour.green;
      out[3 * x + 2] = colour.blue;
    }
    return true;
  }

 private:
  // Notes the stretch of every row the stream enters; false when a command
  // is cut off.  Commands past the last row are ignored.
  bool Index() {
    StreamReader reader(file_, layout_.dataOffset, layout_.fileSize);
    stretches_.clear();
    uint32_t row = 0;
    Cursor cursor;
    while (row < layout_.height && !reader.AtEnd()) {
      RowStretch stretch{row, cursor.x, reader.position(), 0};
      Cursor next;
      Stop stop = Walk(reader, next, nullptr);
      if (stop == Stop::kBroken) return false;
      stretch.end = reader.position();
      stretches_.push_back(stretch);
      if (stop == Stop::kEndOfBitmap || stop == Stop::kEndOfData) break;
      uint64_t below = stop == Stop::kEndOfLine ? 1 : next.dy;
      cursor.x = stop == Stop::kEndOfLine ? 0 : cursor.x + next.x + next.dx;
      if (cursor.x > layout_.width) cursor.x = layout_.width;  // nothing more shows
      row = static_cast<uint32_t>(std::min<uint64_t>(row + below, layout_.height));
    }
    pending_ = stretches_.size();
    return true;
  }

  bool Paint(const RowStretch &stretch) {
    StreamReader reader(file_, stretch.begin, stretch.end);
    Cursor cursor;
    cursor.x = stretch.startX;
    return Walk(reader, cursor, indices_.data()) != Stop::kBroken;
  }

  // Runs commands from cursor.x until one leaves the row.  With `row` set,
  // pixels are written into it, clipped to the width.
  Stop Walk(StreamReader &reader, Cursor &cursor, uint16_t *row) {
    const bool fourBit = layout_.compression == BmpCompression::kRle4;
    while (true) {
      uint8_t count = 0;
      uint8_t value = 0;
      if (!reader.Next(count)) return Stop::kEndOfData;
      if (!reader.Next(value)) return Stop::kBroken;
      if (count > 0) {
        for (uint32_t i = 0; i < count; ++i) Put(row, cursor.x + i, RunPixel(value, i, fourBit));
        cursor.x += count;
        continue;
      }
      switch (value) {
        case 0:
          return Stop::kEndOfLine;
        case 1:
          return Stop::kEndOfBitmap;
        case 2: {
          uint8_t dx = 0;
          uint8_t dy = 0;
          if (!reader.Next(dx) || !reader.Next(dy)) return Stop::kBroken;
          if (dy == 0) {
            cursor.x += dx;
            continue;
          }
          cursor.dx = dx;
          cursor.dy = dy;
          return Stop::kDelta;
        }
        default:
          if (!Absolute(reader, value, fourBit, cursor.x, row)) return Stop::kBroken;
          cursor.x += value;
      }
    }
  }

  bool Absolute(StreamReader &reader, uint32_t count, bool fourBit, uint64_t x, uint16_t *row) {
    const uint64_t bytes = PixelBytes(count, fourBit);
    const uint64_t padding = bytes % 2;
    if (row == nullptr) return reader.Skip(bytes + padding);
    uint8_t byte = 0;
    for (uint32_t i = 0; i < count; ++i) {
      if ((!fourBit || i % 2 == 0) && !reader.Next(byte)) return false;
      Put(row, x + i, RunPixel(byte, i, fourBit));
    }
    return reader.Skip(padding);
  }

  void Put(uint16_t *row, uint64_t x, uint8_t index) const {
    if (row != nullptr && x < layout_.width) row[x] = index;
  }

  std::FILE *file_;
  BmpLayout layout_;
  std::vector<RowStretch> stretches_;
  std::vector<uint16_t> indices_;  // palette index or kUnpainted
  size_t pending_ = 0;
  uint32_t next_ = 0;
  bool broken_ = false;
};

}  // namespace

std::unique_ptr<ImageDecoder> OpenRleBmpDecoder(std::FILE *file, BmpLayout layout) {
  // A few bytes of stream can stand for any size of blank image, so the
  // width is bounded here rather than by the file's size.
  if (layout.width > kMaxWidth) return nullptr;
  return std::make_unique<RleBmpDecoder>(file, std::move(layout));
}

}  // namespace prt
