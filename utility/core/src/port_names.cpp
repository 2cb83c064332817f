#include "port_names.h"

#include <libserialport.h>

#include <QCollator>
#include <QDir>
#include <QRegularExpression>
#include <algorithm>

#include "mdl_function.h"

namespace ucore {
namespace {

// "COM2:" before "COM10:", then the other names alphabetically.
void SortNaturally(QStringList &names) {
  QCollator collator;
  collator.setNumericMode(true);
  std::sort(names.begin(), names.end(),
            [&](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
}

}  // namespace

QString SerialPortDisplayName(const QString &devicePath) {
  static const QRegularExpression ttyS(QStringLiteral("^/dev/ttyS(\\d+)$"));
  const QRegularExpressionMatch match = ttyS.match(devicePath);
  if (match.hasMatch()) {
    return QStringLiteral("COM%1:").arg(match.captured(1).toInt() + 1);
  }
  const QString name =
      devicePath.startsWith(QLatin1String("/dev/")) ? devicePath.mid(5) : devicePath;
  return name + QLatin1Char(':');
}

QString ParallelPortDisplayName(const QString &devicePath) {
  static const QRegularExpression lp(QStringLiteral("^/dev/lp(\\d+)$"));
  const QRegularExpressionMatch match = lp.match(devicePath);
  if (!match.hasMatch()) return {};
  return QStringLiteral("LPT%1:").arg(match.captured(1).toInt() + 1);
}

QStringList SystemSerialPorts() {
  QStringList names;
  sp_port **ports = nullptr;
  if (sp_list_ports(&ports) != SP_OK) return names;
  for (sp_port **port = ports; *port != nullptr; ++port) {
    names << SerialPortDisplayName(QString::fromLocal8Bit(sp_get_port_name(*port)));
  }
  sp_free_port_list(ports);
  SortNaturally(names);
  return names;
}

QStringList SystemParallelPorts() {
  QStringList names;
  const QDir dev(QStringLiteral("/dev"));
  for (const QString &entry : dev.entryList({QStringLiteral("lp*")}, QDir::System)) {
    const QString name = ParallelPortDisplayName(QStringLiteral("/dev/") + entry);
    if (!name.isEmpty()) names << name;
  }
  SortNaturally(names);
  return names;
}

}  // namespace ucore

namespace mdlFunction {

QStringList EnumPortNames(const QString &kind) {
  if (kind == QLatin1String("COM")) return ucore::SystemSerialPorts();
  if (kind == QLatin1String("LPT")) return ucore::SystemParallelPorts();
  return {};  // network printers are typed in by address
}

}  // namespace mdlFunction
