// ravo send: raw bytes to the printer, the answer shown in hexadecimal.
#include <QString>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "args.h"
#include "commands.h"
#include "hex_bytes.h"
#include "mdl_function.h"
#include "printer_service.h"
#include "service_outcome.h"
#include "text_codec.h"

namespace ravo::cli {
namespace {

constexpr long long kMaxRead = 1 << 20;

// \r, \n, \t, \\ and \xHH in --text, so that line ends can be typed.
std::optional<std::string> Unescape(const std::string &text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char c = text[++i];
    if (c == 'r')
      out += '\r';
    else if (c == 'n')
      out += '\n';
    else if (c == 't')
      out += '\t';
    else if (c == '\\')
      out += '\\';
    else if (c == 'x' && i + 2 < text.size() && std::isxdigit(uint8_t(text[i + 1])) &&
             std::isxdigit(uint8_t(text[i + 2]))) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      return std::nullopt;
    }
  }
  return out;
}

struct Payload {
  std::vector<uint8_t> bytes;
  std::optional<Outcome> failure;
};

Payload FromHex(const std::string &text) {
  const HexParse parsed = ParseHexBytes(text);
  if (parsed.empty) return {{}, Fail(kExitValidation, "--hex holds no bytes; nothing was sent")};
  if (!parsed.ok()) {
    return {{},
            Fail(kExitValidation, "not whole bytes: \"" + parsed.badPiece +
                                      "\" (each piece needs an even number of hexadecimal "
                                      "digits, 0x allowed); nothing was sent")};
  }
  return {parsed.bytes, std::nullopt};
}

Payload FromText(const std::string &text) {
  const auto unescaped = Unescape(text);
  if (!unescaped)
    return {{}, Fail(kExitUsage, "bad escape in --text (use \\r \\n \\t \\\\ \\xHH)")};
  // Printers take text in the system's 8-bit code page.
  QByteArray ansi;
  if (!ravo::utility::QStringToAnsi(QString::fromStdString(*unescaped), ansi)) {
    return {{}, Fail(kExitValidation, "the text has characters the code page cannot carry")};
  }
  return {std::vector<uint8_t>(ansi.begin(), ansi.end()), std::nullopt};
}

Payload FromFile(const std::string &path) {
  if (std::filesystem::is_directory(path)) return {{}, Fail(kExitFile, path + " is a directory")};
  std::ifstream file(path, std::ios::binary);
  if (!file) return {{}, Fail(kExitFile, "cannot read " + path)};
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                             std::istreambuf_iterator<char>());
  if (file.bad()) return {{}, Fail(kExitFile, "cannot read " + path)};
  return {std::move(bytes), std::nullopt};
}

Payload BuildPayload(const Args &args) {
  const int given = int(args.Has("hex")) + int(args.Has("text")) + int(args.Has("file"));
  if (given != 1) return {{}, Fail(kExitUsage, "give exactly one of --hex, --text, --file")};
  if (const auto hex = args.Value("hex")) return FromHex(*hex);
  if (const auto text = args.Value("text")) return FromText(*text);
  return FromFile(*args.Value("file"));
}

}  // namespace

Outcome RunSend(Context &context) {
  Payload payload = BuildPayload(context.args);
  if (payload.failure) return *payload.failure;
  long long readLength = 0;
  if (const auto read = context.args.Value("read")) {
    const auto n = ParseInteger(*read, 1, kMaxRead);
    if (!n)
      return Fail(kExitUsage, "--read takes a byte count from 1 to " + std::to_string(kMaxRead));
    readLength = *n;
  }
  const QByteArray bytes(reinterpret_cast<const char *>(payload.bytes.data()),
                         qsizetype(payload.bytes.size()));
  const ravo::utility::PrinterService service(context.printer);
  Outcome outcome;
  outcome.data["sent"] = payload.bytes.size();
  outcome.text = "Sent " + std::to_string(payload.bytes.size()) + " bytes\n";
  if (readLength == 0) {
    const ravo::utility::ServiceResult sent = service.Send(bytes);
    return sent.ok() ? outcome : ServiceFailure(sent, "the data");
  }
  const auto answer = service.SendAndRead(bytes, int32_t(readLength), 2);
  if (!answer.ok() && answer.result.message != ravo::utility::ServiceMessage::ReadData) {
    return ServiceFailure(answer.result, "the data");
  }
  const QString hex = mdlFunction::BytesToHex(
      reinterpret_cast<const uint8_t *>(answer.value.constData()), int(answer.value.size()));
  const std::string shown = hex.trimmed().toStdString();
  outcome.data["received"] = answer.value.size();
  outcome.data["answer"] = shown;
  outcome.text += "Received " + std::to_string(answer.value.size()) + " bytes\n";
  if (!shown.empty()) outcome.text += shown + "\n";
  if (answer.value.isEmpty()) {
    outcome.exitCode = kExitAnswer;
    outcome.error =
        answer.result.code != 0 ? "no answer: " + LibraryMessage(answer.result.code) : "no answer";
  }
  return outcome;
}

}  // namespace ravo::cli
