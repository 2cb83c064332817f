#include "app_on_sim.h"

#include <cstdlib>
#include <fstream>
#include <thread>

namespace ravo::app::test {

AppOnSim::AppOnSim() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ravo-docs-XXXXXX").string();
  if (::mkdtemp(pattern.data()) != nullptr) docs_ = pattern;
}

AppOnSim::~AppOnSim() {
  if (app_ && HasFailure())
    std::fprintf(stderr, "--- application log ---\n%s\n", app_->Log().c_str());
  app_.reset();
  sim_.reset();
  std::error_code ec;
  if (!docs_.empty()) std::filesystem::remove_all(docs_, ec);
}

void AppOnSim::StartPrinter(std::vector<std::string> simArgs, const std::string &driver,
                            std::vector<std::string> appOptions, std::string deviceUri) {
  sim_ = std::make_unique<sim::SimProcess>(std::move(simArgs));
  ASSERT_TRUE(sim_->Running()) << sim_->Error();
  app_ = std::make_unique<AppProcess>(std::move(appOptions));
  ASSERT_TRUE(app_->Running()) << app_->Error();
  if (deviceUri.empty()) deviceUri = DeviceUri();
  const Finished added = app_->Run("add", {"-d", "label", "-v", deviceUri, "-m", driver});
  ASSERT_EQ(added.status, 0) << added.output;
  uri_ = app_->PrinterUri("label");
}

std::string AppOnSim::DeviceUri() const {
  return "socket://127.0.0.1:" + std::to_string(sim_->Port());
}

std::string AppOnSim::WriteDocument(const std::string &name, const std::string &bytes) const {
  std::ofstream(docs_ / name, std::ios::binary) << bytes;
  return DocumentPath(name);
}

std::string AppOnSim::WritePicture(const std::string &name, const GreyPicture &picture) const {
  EXPECT_TRUE(WritePng(DocumentPath(name), picture)) << name;
  return DocumentPath(name);
}

bool AppOnSim::WaitForLabels(size_t count, int seconds) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  do {
    if (sim_->Labels().size() >= count) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  } while (std::chrono::steady_clock::now() < deadline);
  return false;
}

// The printer may still be writing a label it has just begun.
GreyPicture AppOnSim::Label(size_t index) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  do {
    const auto labels = sim_->Labels();
    if (index < labels.size()) {
      GreyPicture picture = ReadPng(labels[index].string());
      if (picture.width > 0) return picture;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (std::chrono::steady_clock::now() < deadline);
  return {};
}

std::string AppOnSim::Received() const {
  std::string all;
  for (const sim::ReceivedSession &session : sim_->Sessions()) {
    all.append(session.bytes.begin(), session.bytes.end());
  }
  return all;
}

int32_t AppOnSim::JourneyCounter() const {
  std::ifstream in(sim_->StateDir() / "journey");
  int32_t counter = 0;
  in >> counter;
  return counter;
}

void AppOnSim::SetPrinterStatus(int status) const {
  std::ofstream(sim_->StateDir() / "status") << status << "\n";
}

size_t Count(const std::string &haystack, const std::string &needle) {
  size_t count = 0;
  for (size_t at = haystack.find(needle); at != std::string::npos;
       at = haystack.find(needle, at + needle.size())) {
    ++count;
  }
  return count;
}

}  // namespace ravo::app::test
