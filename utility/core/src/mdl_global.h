// Global state of the utility: where its data files are, the chosen
// language, the message strings, the selected printer and the session flags.
// Set during start-up on the window thread and read by every window.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <span>

namespace mdlGlobal {

// Directories, each ending in a slash.
inline QString AppPath;
inline QString FilesPath;

// Data file names inside FilesPath.
inline QString LanguageFileName;
inline QString PrinterTypeListFileName;
inline QString PrinterMapFileName;
inline QString CompanyPrinterListFileName;
inline const QString PrinterListFileName = QStringLiteral("PrinterList.txt");

// Section name used for every language lookup ("2052", "1033" ...).
inline QString LanguageId;

// Printer types offered in the printer dialog; the first one names the entry
// created when the printer list is empty.
inline QStringList CompanyPrinterTypes;

// The printer chosen in the main window.
inline QString SelectedPrinterType;
inline QString SelectedModel;
inline QString SelectedPort;
// Row index remembered by SelectPrinterEntry for a later modify; -1 = none.
inline int SelectedRowIndex = -1;

// Nonzero: TSPL-side commands (ZZZ forms); zero: the ESC side (DC2 forms).
inline int CommandModeFlag = 1;

// Message texts loaded once at start by LoadMessageStrings.
struct MessageStrings {
  QString MSG_Title_Message, MSG_Title_Error, MSG_Title_Warn;
  QString Set, Print, Close;
  QString ConnectOK, DownloadSuccess, ParaSet, ParaSet_OK;
  QString Support, UnSupport, Enable, Disable;
  QString PaperType_Auto, PaperType_Receipt, PaperType_Label, PaperType_BlackMark;
  QString PrintType1, PrintType2;
  QString Err_CreatePrinter, Err_OpenPort, Err_WriteData, Err_ReadData;
  QString Err_ImportNull, Err_CheckSum, Err_ParaSet;
};
inline MessageStrings Msg;

// Every message key with the field it fills, in table order.
struct MessageKey {
  const char *key;
  QString MessageStrings::*field;
};
std::span<const MessageKey> MessageKeys();

// Command-line choices: "--files DIR" and "--language ID".
struct StartupOptions {
  QString filesDir;    // empty: AppPath + "files/"
  QString languageId;  // empty: the system's default language
  // Where the files the user changes go (mdl_global_user_data.h).  Empty:
  // in filesDir when that is given, else DefaultUserDataDir().
  QString userDataDir{};
};
StartupOptions ParseStartupOptions(const QStringList &arguments);

// Sets the four data file names to the names the program ships with.
void SetDefaultFileNames();

// Directory of the running program, ending in a slash.
QString ProgramDirectory();

// Start-up: paths (the user's data directory prepared, see
// PrepareUserData), company printer types, language, message strings.
// The shipped file names are used when none were set.
void InitGlobals(const StartupOptions &options = {});

// The system default language identifier in decimal ("2052", "1033" ...),
// from LC_ALL, LC_MESSAGES and LANG in that order.
QString SystemDefaultLanguageId();

// Sets LanguageId: `preferred` (or the system default when empty) when the
// language file lists it, else the file's DefaultLanguageID.
void SelectLanguage(const QString &preferred = {});

// Value of key in section of FilesPath + fileName; empty when any is missing.
QString ReadIniString(const QString &fileName, const QString &section, const QString &key);

// Text of key in the LanguageId section of the language file.
QString GetLangString(const QString &key);

// Fills Msg from the language file.
void LoadMessageStrings();

// After InitGlobals: empty when the language file gives the texts of
// LanguageId, else a sentence in plain English saying which file is
// missing or unusable, where it was looked for, and what to do.  Every
// caption and message comes from that file, so without it the program
// has nothing to show.
QString LanguageFileProblem();

}  // namespace mdlGlobal
