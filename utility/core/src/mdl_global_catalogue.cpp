#include "mdl_global_catalogue.h"

#include <array>
#include <utility>

#include "mdl_global.h"

namespace mdlGlobal {

bool ListHolds(const QString &listValue, const QString &name) {
  // "," alone would match every list: a row without a type or model
  // must not count as dealer, 4-byte-version, ... models.
  return !name.isEmpty() && listValue.contains(name + QLatin1Char(','));
}

bool InModelList(const QString &key, const QString &name) {
  return ListHolds(ReadIniString(PrinterTypeListFileName, QStringLiteral("ParameterSet"), key),
                   name);
}

QStringList FillPrintSpeedList(const QString &modelName) {
  static const std::array<std::pair<const char *, int>, 4> kSpeedLists = {
      {{"IPS3", 3}, {"IPS4", 4}, {"IPS5", 5}, {"IPS7", 7}}};
  int top = 3;
  for (const auto &[key, speed] : kSpeedLists) {
    if (InModelList(QLatin1String(key), modelName)) {
      top = speed;
      break;
    }
  }
  QStringList speeds;
  for (int speed = 2; speed <= top; ++speed) speeds << QString::number(speed);
  return speeds;
}

QStringList FillPrintSpeedList() {
  return FillPrintSpeedList(SelectedModel);
}

QString GetPaperWidth(const QString &model) {
  for (const char *width : {"56", "80", "108"}) {
    if (InModelList(QStringLiteral("PaperWidth") + QLatin1String(width), model)) {
      return QLatin1String(width);
    }
  }
  return QStringLiteral("48");
}

QString GetPaperWidth() {
  return GetPaperWidth(SelectedModel);
}

ravo::utility::param::Family ParameterFamilyOf(const QString &model) {
  using ravo::utility::param::Family;
  static const std::array<std::pair<const char *, Family>, 6> kWindows = {{
      {"TQX_ParameterSetting", Family::TQX},
      {"KV_ParameterSetting", Family::TQX},
      {"TQM_ParameterSetting", Family::TQM},
      {"HMZ_ParameterSetting", Family::HMZ},
      {"Q73_ParameterSetting", Family::Q73},
      {"TGV_ParameterSetting", Family::TGV},
  }};
  for (const auto &[key, window] : kWindows) {
    if (InModelList(QLatin1String(key), model)) return window;
  }
  return Family::TQX;
}

bool IsLearnDisabled(const QString &model) {
  return InModelList(QStringLiteral("NIsbtnStartLearn"), model);
}

int VersionAnswerLength(const QString &model) {
  return InModelList(QStringLiteral("VersionLength4"), model) ? 4 : 3;
}

bool IsDealerPrinterType(const QString &printerType) {
  return InModelList(QStringLiteral("Vanta_Serial"), printerType);
}

}  // namespace mdlGlobal
