#include "mdl_global_printer_list_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <cerrno>
#include <cstring>

#include "text_codec.h"

namespace mdlGlobal {
namespace {

constexpr size_t kBlockBytes = 64 * 1024;

bool IsBlank(const QString &line) {
  for (QChar c : line) {
    if (c.unicode() > 32 && c.unicode() != 127) return false;
  }
  return true;
}

QString SystemReason(int error) {
  return QString::fromLocal8Bit(std::strerror(error));
}

// Splits the bytes into lines as they arrive, keeping at most
// kMaxPrinterListLine bytes of a line; longer lines are noted and dropped.
class LineCollector {
 public:
  explicit LineCollector(PrinterListFile &out) : out_(out) {}

  void Take(const char *bytes, size_t size) {
    for (size_t i = 0; i < size; ++i) {
      if (bytes[i] == '\n') {
        EndLine();
      } else if (bytes[i] == '\0') {
        sawNul_ = true;
      } else if (!tooLong_) {
        current_ += bytes[i];
        tooLong_ = current_.size() > kMaxPrinterListLine + 1;  // + a CR
        if (tooLong_) current_.clear();
      }
    }
  }

  void Finish() {
    if (!current_.isEmpty() || tooLong_) EndLine();
  }

  bool sawNul() const { return sawNul_; }

 private:
  void EndLine() {
    ++number_;
    if (number_ == 1 && current_.startsWith("\xEF\xBB\xBF")) current_.remove(0, 3);
    if (current_.endsWith('\r')) current_.chop(1);
    if (tooLong_ || current_.size() > kMaxPrinterListLine) {
      out_.longLines.push_back(number_);
    } else {
      const QString line = ravo::utility::AnsiToQString(current_);
      if (!IsBlank(line)) out_.lines << line;
    }
    current_.clear();
    tooLong_ = false;
  }

  PrinterListFile &out_;
  QByteArray current_;
  qsizetype number_ = 0;
  bool tooLong_ = false;
  bool sawNul_ = false;
};

// Reads the whole file through `collect`; 0 or the errno of the failure.
int ReadAll(int fd, LineCollector &collect) {
  std::vector<char> block(kBlockBytes);
  for (;;) {
    const ssize_t n = ::read(fd, block.data(), block.size());
    if (n == 0) return 0;
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    collect.Take(block.data(), static_cast<size_t>(n));
  }
}

}  // namespace

PrinterListFile ReadPrinterListFile(const QString &path) {
  PrinterListFile file;
  const QByteArray name = QFile::encodeName(path);
  // Non-blocking, so that a FIFO put in the list's place cannot hang the
  // start; it is refused below like any other file that is not regular.
  const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    if (errno == ENOENT) return file;
    file.state = PrinterListFile::State::Unreadable;
    file.reason = SystemReason(errno);
    return file;
  }
  struct stat info {};
  int error = ::fstat(fd, &info) != 0 ? errno : 0;
  if (error == 0 && S_ISDIR(info.st_mode)) error = EISDIR;
  if (error == 0 && !S_ISREG(info.st_mode)) {
    ::close(fd);
    file.state = PrinterListFile::State::Unreadable;
    file.reason = QStringLiteral("it is not a regular file");
    return file;
  }
  LineCollector collect(file);
  if (error == 0) error = ReadAll(fd, collect);
  ::close(fd);
  if (error != 0) {
    file.state = PrinterListFile::State::Unreadable;
    file.reason = SystemReason(error);
    file.lines.clear();
    return file;
  }
  collect.Finish();
  if (collect.sawNul()) {
    file.state = PrinterListFile::State::NotText;
    file.reason = QStringLiteral("it holds NUL bytes, so it is not a text file");
    file.lines.clear();
    return file;
  }
  file.state = PrinterListFile::State::Read;
  return file;
}

}  // namespace mdlGlobal
