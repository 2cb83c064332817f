// JPEG through libjpeg-turbo, a strip of scanlines at a time.  A file that
// ends early is broken, not padded with grey; a progressive or multi-scan
// file whose coefficients would outgrow the caller's work memory is too
// large; more scans than any encoder writes only cost time and are refused.
#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>
// jerror.h needs jpeglib.h first.
#include <jerror.h>

#include "image/image_decoder.h"

namespace prt {
namespace {

constexpr JDIMENSION kStripRows = 16;
// libjpeg-turbo's own tools stop at this many scans.
constexpr int kMaxScans = 500;

struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void OnJpegError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrors *>(info->err)->jump, 1);
}
void OnJpegMessage(j_common_ptr) {}

// Warnings are ignored, except the one for a file that ends too soon.
void OnJpegWarning(j_common_ptr info, int level) {
  if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) OnJpegError(info);
}

void OnJpegProgress(j_common_ptr info) {
  auto *decompress = reinterpret_cast<j_decompress_ptr>(info);
  if (decompress->input_scan_number > kMaxScans) ERREXIT(info, JERR_BAD_SCAN_SCRIPT);
}

class JpegDecoder final : public ImageDecoder {
 public:
  JpegDecoder(std::FILE *file, const ImageLimits &limits) : file_(file), limits_(limits) {
    info_.err = jpeg_std_error(&errors_.manager);
    errors_.manager.error_exit = OnJpegError;
    errors_.manager.output_message = OnJpegMessage;
    errors_.manager.emit_message = OnJpegWarning;
    progress_.progress_monitor = OnJpegProgress;
  }

  ~JpegDecoder() override {
    if (created_) jpeg_destroy_decompress(&info_);
  }

  bool Open() {
    if (setjmp(errors_.jump)) return false;
    jpeg_create_decompress(&info_);
    created_ = true;
    // Whole-image buffers beyond this fail instead of growing.
    info_.mem->max_memory_to_use = static_cast<long>(std::min<size_t>(limits_.workBytes, LONG_MAX));
    info_.progress = &progress_;
    jpeg_stdio_src(&info_, file_);
    jpeg_read_header(&info_, TRUE);
    header_.width = info_.image_width;
    header_.height = info_.image_height;
    switch (info_.jpeg_color_space) {
      case JCS_GRAYSCALE:
        info_.out_color_space = JCS_GRAYSCALE;
        header_.format = RowFormat::kGrey;
        break;
      case JCS_CMYK:
      case JCS_YCCK:
        info_.out_color_space = JCS_CMYK;
        cmyk_ = true;
        break;
      default:
        info_.out_color_space = JCS_RGB;
        break;
    }
    return true;
  }

  bool ReadRow(uint8_t *row) override {
    if (next_ >= header_.height) return false;
    if (stripNext_ == stripEnd_ && !ReadStrip()) return false;
    const uint8_t *source = &strip_[stripNext_ * stripRowBytes_];
    if (cmyk_) {
      CmykToRgb(source, row);
    } else {
      std::memcpy(row, source, stripRowBytes_);
    }
    ++stripNext_;
    ++next_;
    return true;
  }

 private:
  bool ReadStrip() {
    if (!started_ && !Start()) return false;
    stripNext_ = 0;
    stripEnd_ = 0;
    if (setjmp(errors_.jump)) return Failed();
    while (stripEnd_ == 0) {
      if (info_.output_scanline >= info_.output_height) return false;
      stripEnd_ = jpeg_read_scanlines(&info_, stripPointers_.data(), kStripRows);
    }
    return true;
  }

  bool Start() {
    if (setjmp(errors_.jump)) return Failed();
    jpeg_start_decompress(&info_);
    started_ = true;
    stripRowBytes_ = static_cast<size_t>(info_.output_width) * info_.output_components;
    if (info_.output_width != header_.width || info_.output_height != header_.height) return false;
    strip_.resize(stripRowBytes_ * kStripRows);
    stripPointers_.resize(kStripRows);
    for (JDIMENSION i = 0; i < kStripRows; ++i) stripPointers_[i] = &strip_[i * stripRowBytes_];
    return true;
  }

  // Sets error_ from libjpeg's last message; always false.
  bool Failed() {
    switch (errors_.manager.msg_code) {
      case JERR_NO_BACKING_STORE:  // the work memory ran out
        error_ = PRT_ERR_IMAGE_SIZE;
        break;
      case JERR_OUT_OF_MEMORY:
        error_ = PRT_ERR_OUT_OF_MEMORY;
        break;
      default:
        error_ = kImageLoadError;
        break;
    }
    return false;
  }

  // Adobe writes CMYK inverted, which is what nearly every CMYK JPEG is.
  void CmykToRgb(const uint8_t *cmyk, uint8_t *rgb) const {
    for (uint32_t x = 0; x < header_.width; ++x) {
      unsigned k = cmyk[4 * x + 3];
      for (int c = 0; c < 3; ++c) rgb[3 * x + c] = static_cast<uint8_t>(cmyk[4 * x + c] * k / 255);
    }
  }

  std::FILE *file_;
  ImageLimits limits_;
  jpeg_decompress_struct info_{};
  JpegErrors errors_{};
  jpeg_progress_mgr progress_{};
  bool created_ = false;
  bool started_ = false;
  bool cmyk_ = false;
  size_t stripRowBytes_ = 0;
  std::vector<uint8_t> strip_;
  std::vector<JSAMPROW> stripPointers_;
  JDIMENSION stripNext_ = 0;
  JDIMENSION stripEnd_ = 0;
  uint32_t next_ = 0;
};

}  // namespace

std::unique_ptr<ImageDecoder> OpenJpegDecoder(std::FILE *file, const ImageLimits &limits) {
  auto decoder = std::make_unique<JpegDecoder>(file, limits);
  if (!decoder->Open()) return nullptr;
  return decoder;
}

}  // namespace prt
