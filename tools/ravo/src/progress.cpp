#include "progress.h"

#include <algorithm>

namespace ravo::cli {
namespace {
constexpr int kBarWidth = 30;

int Percent(uint64_t done, uint64_t total) {
  if (total == 0) return 100;
  return int(std::min<uint64_t>(done, total) * 100 / total);
}
}  // namespace

ProgressBar::ProgressBar(std::ostream *stream, std::string label, uint64_t total)
    : stream_(stream), label_(std::move(label)), total_(total) {
  Update(0);
}

ProgressBar::~ProgressBar() {
  Finish();
}

void ProgressBar::Update(uint64_t done) {
  if (stream_ == nullptr || finished_) return;
  const int percent = Percent(done, total_);
  // Redraw only when the figure changes; a terminal is slow to write to.
  if (percent == lastPercent_) return;
  lastPercent_ = percent;
  *stream_ << '\r' << Render(label_, done, total_, kBarWidth) << std::flush;
}

void ProgressBar::Finish() {
  if (stream_ == nullptr || finished_) return;
  finished_ = true;
  *stream_ << '\n' << std::flush;
}

std::string ProgressBar::Render(const std::string &label, uint64_t done, uint64_t total,
                                int width) {
  const int percent = Percent(done, total);
  const int filled = percent * width / 100;
  std::string percentText = std::to_string(percent) + "%";
  percentText.insert(0, 4 - std::min<size_t>(4, percentText.size()), ' ');
  return label + " [" + std::string(size_t(filled), '#') +
         std::string(size_t(width - filled), ' ') + "] " + percentText + " " +
         std::to_string(std::min(done, total)) + "/" + std::to_string(total);
}

}  // namespace ravo::cli
