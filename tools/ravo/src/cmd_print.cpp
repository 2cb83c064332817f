// ravo print-text and print-image: a one-off label through the TSPL
// library.
#include <QString>
#include <filesystem>

#include "args.h"
#include "commands.h"
#include "heron.h"
#include "label_text_job.h"
#include "mdl_global_catalogue.h"
#include "printer_service.h"
#include "progress.h"
#include "service_outcome.h"

namespace ravo::cli {
namespace {

using ravo::utility::PrinterService;
using ravo::utility::ServiceMessage;
using ravo::utility::ServiceResult;

constexpr int kDefaultHeightMm = 30;

struct LabelSize {
  long long width = 0;
  long long height = 0;
};

// --width and --height in millimetres; the width defaults to the model's
// paper, the height to 30 mm.
std::optional<Outcome> ReadLabelSize(const Context &context, LabelSize &size) {
  const long long paper = mdlGlobal::GetPaperWidth(context.printer.model).toLongLong();
  const auto width = context.args.Value("width");
  const auto height = context.args.Value("height");
  const long long lowest = ravo::utility::kLowestLabelSize;
  const auto w = width ? ParseInteger(*width, lowest, paper) : std::optional(paper);
  const auto h = height ? ParseInteger(*height, lowest, ravo::utility::kHighestLabelHeight)
                        : std::optional<long long>(kDefaultHeightMm);
  if (!w) return Fail(kExitUsage, "--width takes 10 to " + std::to_string(paper) + " mm");
  if (!h) return Fail(kExitUsage, "--height takes 10 to 210 mm");
  size = {*w, *h};
  return std::nullopt;
}

std::string SizeCommand(const LabelSize &size) {
  return "SIZE " + std::to_string(size.width) + " mm," + std::to_string(size.height) + " mm\r\n";
}

// The image's own faults: a system error for the file, or an image the
// rasterizer cannot use.
Outcome ImageFailure(const ServiceResult &result, const std::string &file) {
  Outcome outcome = ServiceFailure(result, "the image");
  if (result.message == ServiceMessage::FileRead && result.code < 0) {
    outcome.exitCode = kExitValidation;
    outcome.error = file + " is not a printable image: " + LibraryMessage(result.code);
  }
  return outcome;
}

}  // namespace

Outcome RunPrintText(Context &context) {
  const QString text = QString::fromStdString(context.args.Word(1));
  if (text.trimmed().isEmpty()) return Fail(kExitUsage, "print-text needs a non-blank TEXT");
  LabelSize size;
  if (auto failure = ReadLabelSize(context, size)) return *failure;
  const ServiceResult result =
      PrinterService(context.printer)
          .PrintLabelText(QString::number(size.width), QString::number(size.height), text);
  if (!result.ok()) return ServiceFailure(result, "the label text");
  QString lines = text;
  lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  const auto count = lines.split(QLatin1Char('\n')).size();
  Outcome outcome;
  outcome.data["lines"] = count;
  outcome.data["size_mm"] = {size.width, size.height};
  outcome.text = "Printed " + std::to_string(count) + " line(s) on a " +
                 std::to_string(size.width) + " x " + std::to_string(size.height) + " mm label\n";
  return outcome;
}

Outcome RunPrintImage(Context &context) {
  const std::string file = context.args.Word(1);
  if (file.empty()) return Fail(kExitUsage, "print-image needs an image FILE");
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) {
    return Fail(kExitFile, "no such image: " + file);
  }
  const auto x = ParseInteger(context.args.Value("x").value_or("0"), 0, 65535);
  const auto y = ParseInteger(context.args.Value("y").value_or("0"), 0, 65535);
  const auto mode = ParseInteger(context.args.Value("mode").value_or("0"), 0, 2);
  if (!x || !y) return Fail(kExitUsage, "--x and --y take dots from 0 to 65535");
  if (!mode) return Fail(kExitUsage, "--mode takes 0 (overwrite), 1 (OR) or 2 (XOR)");
  std::string sizeCommand;
  if (context.args.Has("width") || context.args.Has("height")) {
    LabelSize size;
    if (auto failure = ReadLabelSize(context, size)) return *failure;
    sizeCommand = SizeCommand(size);
  }
  ServiceResult result;
  {
    // The bitmap goes out in one library call; the bar shows that it runs.
    ProgressBar bar(context.progressStream, "image", 1);
    result = PrinterService(context.printer)
                 .PrintImage(QString::fromStdString(file), int(*x), int(*y), int(*mode),
                             QByteArray::fromStdString(sizeCommand));
    if (result.ok()) bar.Update(1);
  }
  if (!result.ok()) return ImageFailure(result, file);
  Outcome outcome;
  outcome.data["image"] = file;
  outcome.data["x"] = *x;
  outcome.data["y"] = *y;
  outcome.text = "Printed " + file + " at " + std::to_string(*x) + "," + std::to_string(*y) + "\n";
  return outcome;
}

}  // namespace ravo::cli
