// ravo print-text and print-image: a one-off label through the TSPL
// library.
#include <QString>
#include <filesystem>

#include "args.h"
#include "commands.h"
#include "heron.h"
#include "mdl_global_catalogue.h"
#include "mdl_printer_lib_tspl.h"
#include "printer_link.h"
#include "progress.h"
#include "text_codec.h"

namespace ravo::cli {
namespace {

constexpr int kMinLabelMm = 10;
constexpr int kMaxLabelHeightMm = 210;
constexpr int kLineStep = 30;

struct LabelSize {
  long long width = 0;
  long long height = 0;
};

// --width and --height in millimetres; the width defaults to the model's
// paper, the height to 30 mm.
std::optional<Outcome> ReadLabelSize(const Args &args, LabelSize &size) {
  const long long paper = mdlGlobal::GetPaperWidth().toLongLong();
  const auto width = args.Value("width");
  const auto height = args.Value("height");
  const auto w = width ? ParseInteger(*width, kMinLabelMm, paper) : std::optional(paper);
  const auto h =
      height ? ParseInteger(*height, kMinLabelMm, kMaxLabelHeightMm) : std::optional<long long>(30);
  if (!w) return Fail(kExitUsage, "--width takes 10 to " + std::to_string(paper) + " mm");
  if (!h) return Fail(kExitUsage, "--height takes 10 to 210 mm");
  size = {*w, *h};
  return std::nullopt;
}

std::string SizeCommand(const LabelSize &size) {
  return "SIZE " + std::to_string(size.width) + " mm," + std::to_string(size.height) + " mm\r\n";
}

// Positive codes are the system's error numbers for the file itself; the
// decoder's and the size check's codes mean the image is unusable.
int BitmapFailureClass(int32_t code) {
  if (code > 0) return kExitFile;
  if (code == PRT_ERR_IMAGE_LOAD || code == PRT_ERR_IMAGE_SIZE) return kExitValidation;
  return kExitPort;
}

}  // namespace

Outcome RunPrintText(Context &context) {
  const std::string text = context.args.Word(1);
  if (QString::fromStdString(text).trimmed().isEmpty()) {
    return Fail(kExitUsage, "print-text needs a non-blank TEXT");
  }
  LabelSize size;
  if (auto failure = ReadLabelSize(context.args, size)) return *failure;

  std::string job = "CLS\r\n" + SizeCommand(size);
  QString lines = QString::fromStdString(text);
  lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  int y = 10;
  for (const QString &line : lines.split(QLatin1Char('\n'))) {
    job += "TEXT 10," + std::to_string(y) + ",\"5\",0,1,1,\"" + line.toStdString() + "\"\r\n";
    y += kLineStep;
  }
  job += "PRINT 1\r\n";
  QByteArray ansi;
  if (!ravo::utility::QStringToAnsi(QString::fromStdString(job), ansi)) {
    return Fail(kExitValidation, "the text has characters the code page cannot carry");
  }

  std::optional<PrinterLink> link;
  if (auto failure = PrinterLink::Open(context, link)) return *failure;
  if (auto failure =
          link->Send(std::string_view(ansi.constData(), size_t(ansi.size())), "the label")) {
    return *failure;
  }
  Outcome outcome;
  outcome.data["lines"] = lines.split(QLatin1Char('\n')).size();
  outcome.data["size_mm"] = {size.width, size.height};
  outcome.text = "Printed " + std::to_string(outcome.data["lines"].get<int>()) + " line(s) on a " +
                 std::to_string(size.width) + " x " + std::to_string(size.height) + " mm label\n";
  return outcome;
}

Outcome RunPrintImage(Context &context) {
  const std::string file = context.args.Word(1);
  if (file.empty()) return Fail(kExitUsage, "print-image needs an image FILE");
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error))
    return Fail(kExitFile, "no such image: " + file);
  const auto x = ParseInteger(context.args.Value("x").value_or("0"), 0, 65535);
  const auto y = ParseInteger(context.args.Value("y").value_or("0"), 0, 65535);
  const auto mode = ParseInteger(context.args.Value("mode").value_or("0"), 0, 2);
  if (!x || !y) return Fail(kExitUsage, "--x and --y take dots from 0 to 65535");
  if (!mode) return Fail(kExitUsage, "--mode takes 0 (overwrite), 1 (OR) or 2 (XOR)");
  const bool sized = context.args.Has("width") || context.args.Has("height");
  LabelSize size;
  if (sized) {
    if (auto failure = ReadLabelSize(context.args, size)) return *failure;
  }

  std::optional<PrinterLink> link;
  if (auto failure = PrinterLink::Open(context, link)) return *failure;
  const std::string header = "CLS\r\n" + (sized ? SizeCommand(size) : std::string());
  if (auto failure = link->Send(header, "the label start")) return *failure;
  const std::u16string path = QString::fromStdString(file).toStdU16String();
  int32_t result = 0;
  {
    // The bitmap goes out in one library call; the bar shows that it runs.
    ProgressBar bar(context.progressStream, "image", 1);
    result = TSPL_BitMapW(mdlPrinterLib_TSPL::TsplHandle(), int32_t(*x), int32_t(*y),
                          int32_t(*mode), reinterpret_cast<const PrtWChar *>(path.c_str()));
    if (result == 0) bar.Update(1);
  }
  if (result != 0) return LibraryFailure(BitmapFailureClass(result), "printing " + file, result);
  if (auto failure = link->Send("PRINT 1\r\n", "the print command")) return *failure;
  Outcome outcome;
  outcome.data["image"] = file;
  outcome.data["x"] = *x;
  outcome.data["y"] = *y;
  outcome.text = "Printed " + file + " at " + std::to_string(*x) + "," + std::to_string(*y) + "\n";
  return outcome;
}

}  // namespace ravo::cli
