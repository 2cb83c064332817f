// The file download: every file behind DOWNLOAD, then a look at the
// printer's listing to see that it stored them.
#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "printer_service.h"

namespace ravo::utility {
namespace {

struct LocalFile {
  QString path;
  QByteArray bytes;
};

// The whole file; a directory or anything unreadable fails with the
// system's error number.
ServiceResult ReadLocalFile(const QString &path, LocalFile &file) {
  if (QFileInfo(path).isDir()) return Failure(ServiceMessage::FileRead, EISDIR, path);
  QFile in(path);
  errno = 0;
  if (!in.open(QIODevice::ReadOnly)) {
    return Failure(ServiceMessage::FileRead, errno != 0 ? errno : ENOENT, path);
  }
  file.path = path;
  file.bytes = in.readAll();
  if (in.error() != QFileDevice::NoError) return Failure(ServiceMessage::FileRead, EIO, path);
  return {};
}

}  // namespace

ServiceAnswer<DownloadProgress> PrinterService::DownloadFiles(const QStringList &paths,
                                                              Storage storage) const {
  ServiceAnswer<DownloadProgress> answer;
  DownloadProgress &progress = answer.value;
  // Every file is read first, so a bad path leaves the printer untouched.
  std::vector<LocalFile> files(size_t(paths.size()));
  for (qsizetype i = 0; i < paths.size(); ++i) {
    answer.result = ReadLocalFile(paths[i], files[size_t(i)]);
    if (!answer.ok()) return answer;
    progress.total += files[size_t(i)].bytes.size();
  }
  answer.result = Session([&](PrinterLink &link) {
    if (control_ != nullptr) control_->Progress(0, progress.total);
    for (const LocalFile &file : files) {
      const int32_t written = link.Write(DownloadPrefix(storage));
      if (written != PRT_SUCCESS) return Failure(ServiceMessage::WriteData, written, file.path);
      for (QByteArrayView piece : DownloadPieces(file.bytes)) {
        if (link.Cancelled()) return Failure(ServiceMessage::Cancelled, 0, file.path);
        const int32_t code = link.Write(piece);
        if (code != PRT_SUCCESS) return Failure(ServiceMessage::DownloadCut, code, file.path);
        progress.sent += piece.size();
        if (control_ != nullptr) control_->Progress(progress.sent, progress.total);
      }
    }
    return ServiceResult{};
  });
  if (!answer.ok() || files.empty()) return answer;
  // A printer that lost data on the way stores nothing; its listing tells.
  const ServiceAnswer<StoredFiles> listed = ListStoredFiles(storage);
  if (!listed.ok()) {
    answer.result = Failure(ServiceMessage::NotListed, listed.result.code);
    return answer;
  }
  if (listed.value.listingBytes == 0) return answer;  // a printer that cannot list
  for (const LocalFile &file : files) {
    const std::optional<QByteArray> name = StoredName(file.bytes);
    if (name && !listed.value.names.contains(*name)) {
      answer.result = Failure(ServiceMessage::NotListed, 0, QString::fromLatin1(*name));
      return answer;
    }
  }
  return answer;
}

}  // namespace ravo::utility
