// The port lists of the printer dialog and the port strings it saves, as
// the port library sees them.
#include <QRegularExpression>
#include <vector>

#include "mdl_function.h"
#include "ravoio.h"

namespace mdlFunction {

QStringList EnumPortNames(const QString &kind, int32_t *error) {
  const QByteArray kindBytes = kind.toLatin1();
  const bool usb = kind.compare(QLatin1String("USB"), Qt::CaseInsensitive) == 0;
  std::vector<char> buffer;
  int32_t result = RAVO_IO_ERR_BUFFER_TOO_SMALL;
  // The list may grow between asking for its size and reading it.
  for (int attempt = 0; attempt < 3 && result == RAVO_IO_ERR_BUFFER_TOO_SMALL; ++attempt) {
    uint32_t needed = 0;
    char *room = buffer.empty() ? nullptr : buffer.data();
    const auto size = static_cast<uint32_t>(buffer.size());
    result = usb ? ravo_io_enum_usb_printers(room, size, &needed, nullptr)
                 : ravo_io_enum_ports(kindBytes.constData(), room, size, &needed, nullptr);
    if (result == RAVO_IO_ERR_BUFFER_TOO_SMALL) buffer.assign(needed, '\0');
  }
  if (error != nullptr) *error = result;
  QStringList names;
  if (result != 0) return names;
  for (const char *name = buffer.data(); *name != '\0'; name += qstrlen(name) + 1) {
    // USB printers come as port strings; the colon makes them dialog names.
    names << QString::fromLocal8Bit(name) + (usb ? QStringLiteral(":") : QString());
  }
  return names;
}

int32_t CheckPortString(const QString &port) {
  IoPort *object = nullptr;
  const int32_t result = ravo_io_port_creator(&object, port.toLocal8Bit().constData());
  if (object != nullptr) ravo_io_port_destroy(object);
  return result;
}

bool PortCanAnswer(const QString &port) {
  static const QRegularExpression parallel(QStringLiteral("^LPT[0-9]+$"),
                                           QRegularExpression::CaseInsensitiveOption);
  const QString name = port.section(QLatin1Char(','), 0, 0);
  if (parallel.match(name).hasMatch()) return false;
  const bool path = port.startsWith(QLatin1Char('/'));
  return !path || port.contains(QLatin1String(",BAUDRATE_"), Qt::CaseInsensitive);
}

}  // namespace mdlFunction
