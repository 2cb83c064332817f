// The port lists of the printer dialog, from the port library.
#include <vector>

#include "mdl_function.h"
#include "ravoio.h"

namespace mdlFunction {

QStringList EnumPortNames(const QString &kind, int32_t *error) {
  const QByteArray kindBytes = kind.toLatin1();
  std::vector<char> buffer;
  int32_t result = RAVO_IO_ERR_BUFFER_TOO_SMALL;
  // The list may grow between asking for its size and reading it.
  for (int attempt = 0; attempt < 3 && result == RAVO_IO_ERR_BUFFER_TOO_SMALL; ++attempt) {
    uint32_t needed = 0;
    result = ravo_io_enum_ports(kindBytes.constData(), buffer.empty() ? nullptr : buffer.data(),
                                static_cast<uint32_t>(buffer.size()), &needed, nullptr);
    if (result == RAVO_IO_ERR_BUFFER_TOO_SMALL) buffer.assign(needed, '\0');
  }
  if (error != nullptr) *error = result;
  QStringList names;
  if (result != 0) return names;
  for (const char *name = buffer.data(); *name != '\0'; name += qstrlen(name) + 1) {
    names << QString::fromLocal8Bit(name);
  }
  return names;
}

}  // namespace mdlFunction
