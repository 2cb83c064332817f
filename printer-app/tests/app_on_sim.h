// Fixture of the integration tests: the virtual printer, the application
// with one printer on it, and a folder for the documents to print.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app_process.h"
#include "label_png.h"
#include "sim_process.h"

namespace ravo::app::test {

class AppOnSim : public ::testing::Test {
 protected:
  AppOnSim();
  ~AppOnSim() override;

  // Starts the virtual printer with `simArgs` and the application (server
  // options `appOptions`) with printer "label" for `driver` on it, reached
  // at `deviceUri` (the printer's TCP port when empty).
  void StartPrinter(std::vector<std::string> simArgs, const std::string &driver,
                    std::vector<std::string> appOptions = {}, std::string deviceUri = {});

  std::string DeviceUri() const;
  const std::string &Uri() const { return uri_; }
  std::string DocumentPath(const std::string &name) const { return (docs_ / name).string(); }
  std::string WriteDocument(const std::string &name, const std::string &bytes) const;
  std::string WritePicture(const std::string &name, const GreyPicture &picture) const;

  // Waits until the virtual printer has rendered `count` labels.
  bool WaitForLabels(size_t count, int seconds = 15) const;
  GreyPicture Label(size_t index) const;
  // Everything the printer received, all connections in order.
  std::string Received() const;
  int32_t JourneyCounter() const;
  // Writes the status byte the printer answers <ESC>!? with.
  void SetPrinterStatus(int status) const;

  std::unique_ptr<sim::SimProcess> sim_;
  std::unique_ptr<AppProcess> app_;

 private:
  std::filesystem::path docs_;
  std::string uri_;
};

// How often `needle` occurs in `haystack`.
size_t Count(const std::string &haystack, const std::string &needle);

}  // namespace ravo::app::test
