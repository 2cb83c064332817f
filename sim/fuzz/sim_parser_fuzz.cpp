// Feeds arbitrary bytes to the virtual printer in two sessions, as a label
// printer or (when the input's length is odd) as a receipt printer, so that
// every parser sees them: framing, TSPL, CPCL, ESC/POS and the queries.  The
// device must not crash, must keep its memory bounded and must write only
// inside its state directory (the files it may create are checked).
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>

#include "device.h"

namespace {

class NullOutput : public ravo::sim::DeviceOutput {
 public:
  void Answer(std::string_view bytes) override { answered += bytes.size(); }
  void Print(const ravo::sim::Label &label) override { printed += label.elements.size(); }
  size_t answered = 0;
  size_t printed = 0;
};

const std::filesystem::path &Root() {
  static const std::filesystem::path root = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "sim-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    return std::filesystem::path(pattern) / "state";
  }();
  return root;
}

// Everything below the state directory's parent must be the state
// directory itself.
void CheckNothingEscaped() {
  for (const auto &entry : std::filesystem::directory_iterator(Root().parent_path()))
    if (entry.path() != Root()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::filesystem::create_directories(Root());
  NullOutput out;
  {
    ravo::sim::Persona persona;
    ravo::sim::ApplyModel(persona, size % 2 ? "ESC" : "TQX80");
    persona.flash_bytes = 64 * 1024;
    persona.dram_bytes = 64 * 1024;
    ravo::sim::Device device(persona, false, Root(), out);
    const size_t half = size / 2;
    device.Feed(std::span(data, half));
    device.EndSession();
    device.Feed(std::span(data + half, size - half));
    device.EndSession();
  }
  CheckNothingEscaped();
  std::filesystem::remove_all(Root());
  return 0;
}
