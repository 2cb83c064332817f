// Printing conversations: the test label of a text, plain text in ESC
// mode, an image file.
#include "heron.h"
#include "label_text_job.h"
#include "printer_service.h"
#include "text_codec.h"

namespace ravo::utility {
namespace {

ServiceResult Written(int32_t code) {
  return code == PRT_SUCCESS ? ServiceResult{} : Failure(ServiceMessage::WriteData, code);
}

}  // namespace

ServiceResult PrinterService::PrintLabelText(const QString &width, const QString &height,
                                             const QString &text, Unprintable unprintable) const {
  const ServiceAnswer<QList<QByteArray>> job = LabelTextJob(width, height, text, unprintable);
  if (!job.ok()) return job.result;
  return Session([&](PrinterLink &link) {
    for (const QByteArray &command : job.value) {
      const int32_t written = link.Write(command + "\r\n");
      if (written != PRT_SUCCESS) return Written(written);
    }
    return ServiceResult{};
  });
}

ServiceResult PrinterService::PrintPlainText(const QString &text, Unprintable unprintable) const {
  if (text.trimmed().isEmpty()) return Failure(ServiceMessage::EmptyText);
  const QString lines = WithCrLf(text) + QLatin1Char('\n');
  QByteArray bytes;
  if (unprintable == Unprintable::Replace) {
    bytes = ToAnsi(lines);
  } else if (!QStringToAnsi(lines, bytes)) {
    return Failure(ServiceMessage::TextCodePage, 0, UnprintableCharacters(lines).value(0));
  }
  return SendCommand(bytes);
}

ServiceResult PrinterService::PrintImage(const QString &path, int x, int y, int mode,
                                         const QByteArray &sizeCommand) const {
  return Session([&](PrinterLink &link) {
    int32_t code = link.Write("CLS\r\n" + sizeCommand);
    if (code != PRT_SUCCESS) return Written(code);
    const std::u16string file = path.toStdU16String();
    code =
        TSPL_BitMapW(link.Handle(), x, y, mode, reinterpret_cast<const PrtWChar *>(file.c_str()));
    // The file's own errors (system codes) and an image the rasterizer
    // cannot use concern the file; anything else the port.
    const bool fileFault = code > 0 || code == PRT_ERR_IMAGE_LOAD || code == PRT_ERR_IMAGE_SIZE;
    if (code != PRT_SUCCESS && fileFault) return Failure(ServiceMessage::FileRead, code, path);
    if (code != PRT_SUCCESS) return Written(code);
    return Written(link.Write("PRINT 1\r\n"));
  });
}

}  // namespace ravo::utility
