#include "ipp_client.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

#ifndef RAVO_IPPTOOL
#define RAVO_IPPTOOL "/usr/bin/ipptool"
#endif

namespace ravo::app::test {
namespace {

constexpr const char *kOperationHeader = R"(
  GROUP operation-attributes-tag
  ATTR charset attributes-charset utf-8
  ATTR naturalLanguage attributes-natural-language en
  ATTR uri printer-uri $uri
  ATTR name requesting-user-name $user
)";

std::string Attribute(const std::string &output, const std::string &name) {
  const std::regex line(name + " \\([^)]*\\) = ([^\\n]*)");
  std::smatch match;
  return std::regex_search(output, match, line) ? match[1].str() : std::string();
}

// ipptool without the preloaded libraries of the USB tests: it is not
// ours, and under a sanitizer's runtime it would report libcups's leaks.
std::vector<std::string> Ipptool(std::initializer_list<std::string> args) {
  std::vector<std::string> argv = {"/usr/bin/env", "-u", "LD_PRELOAD", IpptoolBinary()};
  argv.insert(argv.end(), args);
  return argv;
}

}  // namespace

std::string IpptoolBinary() {
  return RAVO_IPPTOOL;
}

Finished RunIppTest(const std::string &uri, const std::string &testText,
                    const std::map<std::string, std::string> &variables, const std::string &file) {
  char path[] = "/tmp/ravo-ipp-XXXXXX.test";
  const int fd = ::mkstemps(path, 5);
  if (fd < 0) return {};
  ::close(fd);
  std::ofstream(path) << testText;
  std::vector<std::string> argv = Ipptool({"-t", "-T", "30"});
  for (const auto &[name, value] : variables) argv.insert(argv.end(), {"-d", name + "=" + value});
  if (!file.empty()) argv.insert(argv.end(), {"-f", file});
  argv.insert(argv.end(), {uri, path});
  Finished result = RunProgram(argv, std::chrono::seconds(90));
  std::filesystem::remove(path);
  return result;
}

int PrintJob(const std::string &uri, const std::string &file, const std::string &format,
             const std::string &jobAttributes) {
  const std::string test = std::string("{\n  OPERATION Print-Job\n") + kOperationHeader +
                           "  ATTR mimeMediaType document-format $format\n"
                           "  GROUP job-attributes-tag\n" +
                           jobAttributes +
                           "\n  FILE $filename\n  STATUS successful-ok\n"
                           "  STATUS successful-ok-ignored-or-substituted-attributes\n"
                           "  DISPLAY job-id\n}\n";
  const Finished run = RunIppTest(uri, test, {{"format", format}}, file);
  const std::string id = Attribute(run.output, "job-id");
  if (run.status == 0 && !id.empty()) return std::atoi(id.c_str());
  std::fprintf(stderr, "Print-Job failed:\n%s\n", run.output.c_str());
  return -1;
}

int CreateJob(const std::string &uri) {
  const std::string test = std::string("{\n  OPERATION Create-Job\n") + kOperationHeader +
                           "  STATUS successful-ok\n  DISPLAY job-id\n}\n";
  const Finished run = RunIppTest(uri, test);
  const std::string id = Attribute(run.output, "job-id");
  return run.status == 0 && !id.empty() ? std::atoi(id.c_str()) : -1;
}

bool SendDocument(const std::string &uri, int jobId, const std::string &file,
                  const std::string &format) {
  const std::string test = std::string("{\n  OPERATION Send-Document\n") + kOperationHeader +
                           "  ATTR integer job-id $job\n  ATTR boolean last-document true\n"
                           "  ATTR mimeMediaType document-format $format\n"
                           "  FILE $filename\n  STATUS successful-ok\n}\n";
  return RunIppTest(uri, test, {{"job", std::to_string(jobId)}, {"format", format}}, file).status ==
         0;
}

std::string JobState(const std::string &uri, int jobId) {
  const std::string test = std::string("{\n  OPERATION Get-Job-Attributes\n") + kOperationHeader +
                           "  ATTR integer job-id $job\n  STATUS successful-ok\n"
                           "  DISPLAY job-state\n}\n";
  return Attribute(RunIppTest(uri, test, {{"job", std::to_string(jobId)}}).output, "job-state");
}

namespace {

bool JobOperation(const std::string &uri, const std::string &operation, int jobId) {
  const std::string test = "{\n  OPERATION " + operation + "\n" + kOperationHeader +
                           "  ATTR integer job-id $job\n  STATUS successful-ok\n}\n";
  return RunIppTest(uri, test, {{"job", std::to_string(jobId)}}).status == 0;
}

}  // namespace

bool CancelJob(const std::string &uri, int jobId) {
  return JobOperation(uri, "Cancel-Job", jobId);
}

bool ReleaseJob(const std::string &uri, int jobId) {
  return JobOperation(uri, "Release-Job", jobId);
}

bool WaitForJobState(const std::string &uri, int jobId, const std::string &state, int seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  do {
    if (JobState(uri, jobId) == state) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  } while (std::chrono::steady_clock::now() < deadline);
  return false;
}

std::string PrinterAttributes(const std::string &uri, const std::string &requested) {
  const std::string test = std::string("{\n  OPERATION Get-Printer-Attributes\n") +
                           kOperationHeader + "  ATTR keyword requested-attributes " + requested +
                           "\n  STATUS successful-ok\n}\n";
  char path[] = "/tmp/ravo-ipp-XXXXXX.test";
  const int fd = ::mkstemps(path, 5);
  if (fd < 0) return {};
  ::close(fd);
  std::ofstream(path) << test;
  const Finished run = RunProgram(Ipptool({"-tv", "-T", "30", uri, path}));
  std::filesystem::remove(path);
  return run.output;
}

}  // namespace ravo::app::test
