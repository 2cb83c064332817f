#include "raw_job.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "delivery.h"
#include "job_claim.h"
#include "job_order.h"
#include "model_drivers.h"

namespace ravo::app {
namespace {

struct Magic {
  std::string_view bytes;
  const char *format;
};

using namespace std::string_view_literals;

constexpr std::array<Magic, 8> kMagic = {{
    {"\x89PNG"sv, "image/png"},
    {"\xFF\xD8\xFF"sv, "image/jpeg"},
    {"GIF87a"sv, "image/gif"},
    {"GIF89a"sv, "image/gif"},
    {"BM"sv, "image/bmp"},
    {"RaS2"sv, "image/pwg-raster"},
    {"UNIRAST"sv, "image/urf"},
    {"%PDF"sv, "application/pdf"},
}};

// Words TSPL documents start with, after any blank lines.
constexpr std::array<std::string_view, 16> kTsplWords = {
    "SIZE", "GAP",    "BLINE",    "CLS",  "DIRECTION", "DENSITY", "SPEED", "REFERENCE",
    "SET",  "OFFSET", "CODEPAGE", "TEXT", "BITMAP",    "BARCODE", "PRINT", "DOWNLOAD"};

std::string_view FirstWord(std::string_view text) {
  while (!text.empty() && (text[0] == '\r' || text[0] == '\n' || text[0] == ' ')) {
    text.remove_prefix(1);
  }
  size_t end = 0;
  while (end < text.size() && text[end] >= 'A' && text[end] <= 'Z') ++end;
  return text.substr(0, end);
}

bool LooksLikeCpcl(std::string_view text) {
  return text.size() >= 3 && text[0] == '!' && text[1] == ' ' &&
         ((text[2] >= '0' && text[2] <= '9') || text[2] == 'U');
}

bool LooksLikeEsc(std::string_view text) {
  return !text.empty() && (text[0] == 0x1B || text[0] == 0x1D || text[0] == 0x10);
}

bool ReadFile(const char *path, std::vector<uint8_t> &bytes) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<uint64_t>(size) > kMaxRawBytes) return false;
  in.seekg(0);
  bytes.resize(static_cast<size_t>(size));
  return static_cast<bool>(in.read(reinterpret_cast<char *>(bytes.data()), size));
}

}  // namespace

bool PrintRawFile(pappl_job_t *job, pappl_pr_options_t *options, pappl_device_t *device) {
  const JobClaim claim(job);
  if (!claim.Ours()) return true;
  const JobTurn turn(job);
  std::vector<uint8_t> document;
  if (!ReadFile(papplJobGetFilename(job), document)) {
    papplLogJob(job, PAPPL_LOGLEVEL_ERROR, "The document cannot be read or is over %zu bytes.",
                kMaxRawBytes);
    papplJobSetReasons(job, PAPPL_JREASON_DOCUMENT_UNPRINTABLE_ERROR, PAPPL_JREASON_NONE);
    return false;
  }
  const int copies = std::max(1, options->copies);
  std::vector<uint8_t> bytes;
  bytes.reserve(document.size() * static_cast<size_t>(copies));
  for (int copy = 0; copy < copies; ++copy) {
    bytes.insert(bytes.end(), document.begin(), document.end());
  }
  return DeliverJob(job, device, bytes);
}

const char *DetectFormat(const unsigned char *header, size_t size, void *) {
  const std::string_view text(reinterpret_cast<const char *>(header), size);
  for (const Magic &magic : kMagic) {
    if (text.starts_with(magic.bytes)) return magic.format;
  }
  if (LooksLikeCpcl(text)) return NativeFormat(Language::kCpcl);
  if (LooksLikeEsc(text)) return NativeFormat(Language::kEsc);
  const std::string_view word = FirstWord(text);
  if (std::find(kTsplWords.begin(), kTsplWords.end(), word) != kTsplWords.end()) {
    return NativeFormat(Language::kTspl);
  }
  return "application/octet-stream";
}

}  // namespace ravo::app
