// A one-line progress bar on a terminal: redrawn in place with a carriage
// return, ended with a line feed.  Does nothing without a stream.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace ravo::cli {

class ProgressBar {
 public:
  ProgressBar(std::ostream *stream, std::string label, uint64_t total);
  ~ProgressBar();
  ProgressBar(const ProgressBar &) = delete;
  ProgressBar &operator=(const ProgressBar &) = delete;

  void Update(uint64_t done);
  void Finish();

  // "label [#####     ]  50% 512/1024" with a bar of `width` cells.
  static std::string Render(const std::string &label, uint64_t done, uint64_t total, int width);

 private:
  std::ostream *stream_;
  std::string label_;
  uint64_t total_;
  int lastPercent_ = -1;
  bool finished_ = false;
};

}  // namespace ravo::cli
