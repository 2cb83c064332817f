#include "mdl_global.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>

#include "ini_file.h"
#include "locale_env.h"
#include "mdl_function.h"
#include "mdl_global_user_data.h"

namespace mdlGlobal {

std::span<const MessageKey> MessageKeys() {
  using M = MessageStrings;
  static const std::array<MessageKey, 27> kKeys = {{
      {"_MSG_Title_Message", &M::MSG_Title_Message},
      {"_MSG_Title_Error", &M::MSG_Title_Error},
      {"_MSG_Title_Warn", &M::MSG_Title_Warn},
      {"_Set", &M::Set},
      {"_Print", &M::Print},
      {"_Close", &M::Close},
      {"_ConnectOK", &M::ConnectOK},
      {"_DownloadSuccess", &M::DownloadSuccess},
      {"_ParaSet", &M::ParaSet},
      {"_ParaSet_OK", &M::ParaSet_OK},
      {"_Support", &M::Support},
      {"_UnSupport", &M::UnSupport},
      {"_Enable", &M::Enable},
      {"_Disable", &M::Disable},
      {"_PaperType_Auto", &M::PaperType_Auto},
      {"_PaperType_Receipt", &M::PaperType_Receipt},
      {"_PaperType_Label", &M::PaperType_Label},
      {"_PaperType_BlackMark", &M::PaperType_BlackMark},
      {"_PrintType1", &M::PrintType1},
      {"_PrintType2", &M::PrintType2},
      {"_Err_CreatePrinter", &M::Err_CreatePrinter},
      {"_Err_OpenPort", &M::Err_OpenPort},
      {"_Err_WriteData", &M::Err_WriteData},
      {"_Err_ReadData", &M::Err_ReadData},
      {"_Err_ImportNull", &M::Err_ImportNull},
      {"_Err_CheckSum", &M::Err_CheckSum},
      {"_Err_ParaSet", &M::Err_ParaSet},
  }};
  return kKeys;
}

StartupOptions ParseStartupOptions(const QStringList &arguments) {
  StartupOptions options;
  for (qsizetype i = 0; i + 1 < arguments.size(); ++i) {
    if (arguments[i] == QLatin1String("--files")) {
      options.filesDir = arguments[++i];
    } else if (arguments[i] == QLatin1String("--language")) {
      options.languageId = arguments[++i];
    }
  }
  return options;
}

void SetDefaultFileNames() {
  LanguageFileName = QStringLiteral("UtilityForLabelLanguage.ini");
  PrinterTypeListFileName = QStringLiteral("PrinterTypeList_Label.ini");
  PrinterMapFileName = QStringLiteral("PrinterMap.ini");
  CompanyPrinterListFileName = QStringLiteral("CompanyPrinterList_Label.txt");
}

QString ProgramDirectory() {
  const QFileInfo exe(QStringLiteral("/proc/self/exe"));
  return QFileInfo(exe.canonicalFilePath()).absolutePath() + QLatin1Char('/');
}

namespace {

QString WithSlash(const QString &dir) {
  QString path = QDir(dir).absolutePath();
  return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

}  // namespace

void InitGlobals(const StartupOptions &options) {
  if (LanguageFileName.isEmpty()) SetDefaultFileNames();
  AppPath = ProgramDirectory();
  FilesPath =
      options.filesDir.isEmpty() ? AppPath + QStringLiteral("files/") : WithSlash(options.filesDir);
  if (!options.userDataDir.isEmpty()) {
    UserDataPath = WithSlash(options.userDataDir);
  } else {
    UserDataPath = options.filesDir.isEmpty() ? DefaultUserDataDir() : QString();
  }
  PrepareUserData();
  CompanyPrinterTypes = mdlFunction::ReadTextLines(FilesPath + CompanyPrinterListFileName);
  SelectLanguage(options.languageId);
  LoadMessageStrings();
}

QString SystemDefaultLanguageId() {
  return QString::number(prt::UserLanguageId());
}

void SelectLanguage(const QString &preferred) {
  LanguageId = preferred.isEmpty() ? SystemDefaultLanguageId() : preferred;
  const QString list =
      ReadIniString(LanguageFileName, QStringLiteral("LanguageCollect"), QStringLiteral("List"));
  // A plain substring test, as the list is free text ("2052,1028,1033").
  if (LanguageId.isEmpty() || !list.contains(LanguageId)) {
    LanguageId = ReadIniString(LanguageFileName, QStringLiteral("LanguageCollect"),
                               QStringLiteral("DefaultLanguageID"));
  }
}

QString ReadIniString(const QString &fileName, const QString &section, const QString &key) {
  return ravo::utility::IniValue(FilesPath + fileName, section, key);
}

QString GetLangString(const QString &key) {
  if (LanguageId.isEmpty()) return {};
  return ReadIniString(LanguageFileName, LanguageId, key);
}

QString LanguageFileProblem() {
  const QString path = FilesPath + LanguageFileName;
  const QFileInfo info(path);
  const QString advice = QStringLiteral(
      " Install the program again, or start it with --files DIR naming the folder that holds "
      "its data files.");
  if (!info.exists()) {
    return QStringLiteral("The language file %1 is missing: it was looked for in %2.")
               .arg(LanguageFileName, FilesPath) +
           advice;
  }
  QFile file(path);
  if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
    const QString why = info.isDir() ? QStringLiteral("it is a folder") : file.errorString();
    return QStringLiteral("The language file %1 cannot be read (%2).").arg(path, why) + advice;
  }
  if (LanguageId.isEmpty() || !ravo::utility::IniHasSection(path, LanguageId)) {
    return QStringLiteral("The language file %1 holds no texts for language %2.")
               .arg(path, LanguageId.isEmpty() ? QStringLiteral("(none chosen)") : LanguageId) +
           advice;
  }
  return {};
}

void LoadMessageStrings() {
  for (const MessageKey &entry : MessageKeys()) {
    Msg.*entry.field = GetLangString(QLatin1String(entry.key));
  }
}

}  // namespace mdlGlobal
