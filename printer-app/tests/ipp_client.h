// The IPP side of the integration tests, through ipptool: each request is
// a small .test file run against a printer URI.
#pragma once

#include <map>
#include <string>

#include "app_process.h"

namespace ravo::app::test {

std::string IpptoolBinary();

// Runs ipptool -t on `testText` with `-d name=value` variables; `file` is
// the document for FILE $filename.
Finished RunIppTest(const std::string &uri, const std::string &testText,
                    const std::map<std::string, std::string> &variables = {},
                    const std::string &file = {});

// Print-Job with the document, its format and extra job-attributes-tag
// lines ("ATTR integer copies 3"); the new job's id, or -1.
int PrintJob(const std::string &uri, const std::string &file, const std::string &format,
             const std::string &jobAttributes = {});

// Create-Job without a document (CUPS's way); the new job's id, or -1.
// Send-Document then gives it its one document.
int CreateJob(const std::string &uri);
bool SendDocument(const std::string &uri, int jobId, const std::string &file,
                  const std::string &format);

// The job's job-state keyword ("processing", "completed", …), or "".
std::string JobState(const std::string &uri, int jobId);

bool CancelJob(const std::string &uri, int jobId);
bool ReleaseJob(const std::string &uri, int jobId);

// Polls until the job reaches `state` or `seconds` pass.
bool WaitForJobState(const std::string &uri, int jobId, const std::string &state, int seconds);

// Get-Printer-Attributes, the attributes as ipptool shows them.
std::string PrinterAttributes(const std::string &uri, const std::string &requested = "all");

}  // namespace ravo::app::test
