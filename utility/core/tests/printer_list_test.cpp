#include <gtest/gtest.h>

#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <functional>

#include "files_fixture.h"
#include "mdl_function.h"
#include "mdl_global.h"
#include "mdl_global_catalogue.h"
#include "mdl_global_printer_list.h"
#include "printer_link.h"

using namespace mdlGlobal;

namespace {

std::vector<QString> Captions(const std::vector<PrinterListEntry> &rows) {
  std::vector<QString> captions;
  for (const PrinterListEntry &row : rows) captions.push_back(row.printerType);
  return captions;
}

using PrinterList = FilesFixture;

TEST_F(PrinterList, EmptyListCreatesTheFirstCompanyType) {
  CompanyPrinterTypes = {"P1", "P2"};
  for (const QByteArray &content : {QByteArray(), QByteArray("\r\n  \r\n")}) {
    Write(PrinterListFileName, content);
    const auto rows = LoadPrinterList();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (PrinterListEntry{"P1", "USB", "USB"}));
    EXPECT_EQ(Read(PrinterListFileName), QByteArray("P1|USB|USB\r\n"));
  }
}

TEST_F(PrinterList, EmptyCompanyListCreatesNothing) {
  bool ok = false;
  EXPECT_TRUE(LoadPrinterList(&ok).empty());
  EXPECT_TRUE(ok);
  EXPECT_FALSE(QFile::exists(Path(PrinterListFileName)));
}

TEST_F(PrinterList, BlankAndShortLinesGiveNoRows) {
  Write(PrinterListFileName,
        "\r\nA|USB|USB\r\n\r\nbroken line\r\nB|COM|COM1,BAUDRATE_9600\r\nC|NET\r\n"
        "D|NET|NET,192.168.1.100\r\n");
  const auto rows = LoadPrinterList();
  EXPECT_EQ(Captions(rows), (std::vector<QString>{"A", "B", "D"}));
  EXPECT_EQ(rows[1].port, QLatin1String("COM1,BAUDRATE_9600"));
}

TEST_F(PrinterList, ReplaceChangesOnlyThatRow) {
  Write(PrinterListFileName,
        "A|USB|USB\r\nB|USB|USB\r\n\r\nC|USB|USB\r\nD|USB|USB\r\nE|USB|USB\r\n");
  ASSERT_TRUE(ReplacePrinterEntry(2, "X", "LPT", "LPT1"));
  EXPECT_EQ(Read(PrinterListFileName),
            QByteArray("A|USB|USB\r\nB|USB|USB\r\nX|LPT|LPT1\r\nD|USB|USB\r\nE|USB|USB\r\n"));
  EXPECT_FALSE(ReplacePrinterEntry(5, "Y", "USB", "USB"));
}

TEST_F(PrinterList, ReplaceCountsRowsNotLinesAndKeepsUnreadableLines) {
  Write(PrinterListFileName, "A|USB|USB\r\nnote\r\nB|USB|USB\r\n");
  ASSERT_TRUE(ReplacePrinterEntry(1, "X", "USB", "USB"));
  EXPECT_EQ(Read(PrinterListFileName), QByteArray("A|USB|USB\r\nnote\r\nX|USB|USB\r\n"));
}

TEST_F(PrinterList, AppendAddsAfterLastLineEvenWithoutLineEnd) {
  Write(PrinterListFileName, "A|USB|USB");
  ASSERT_TRUE(AppendPrinterEntry("B", "NET", "NET,10.0.0.1"));
  EXPECT_EQ(Captions(LoadPrinterList()), (std::vector<QString>{"A", "B"}));
}

TEST_F(PrinterList, SaveAfterDeleteStartsWithEmptyLineAndLoadsTheSameRows) {
  Write(PrinterListFileName, "A|USB|USB\r\nB|LPT|LPT1\r\nC|USB|USB\r\n");
  auto rows = LoadPrinterList();
  rows.erase(rows.begin() + 1);
  ASSERT_TRUE(SavePrinterList(rows));
  EXPECT_EQ(Read(PrinterListFileName), QByteArray("\r\nA|USB|USB\r\nC|USB|USB\r\n"));
  EXPECT_EQ(LoadPrinterList(), rows);
}

TEST_F(PrinterList, FailedWriteIsReportedAndKeepsTheOldFile) {
  Write(PrinterListFileName, "A|USB|USB\r\n");
  // A type the 8-bit code page cannot hold cannot be written.
  qputenv("RAVO_ACP", "CP1252");
  EXPECT_FALSE(AppendPrinterEntry(QStringLiteral("\u4E2D"), "USB", "USB"));
  EXPECT_FALSE(ReplacePrinterEntry(0, QStringLiteral("\u4E2D"), "USB", "USB"));
  qunsetenv("RAVO_ACP");
  EXPECT_EQ(Read(PrinterListFileName), QByteArray("A|USB|USB\r\n"));
  // A directory that does not exist.
  mdlGlobal::FilesPath = Path("missing/");
  EXPECT_FALSE(AppendPrinterEntry("B", "USB", "USB"));
  EXPECT_FALSE(SavePrinterList({}));
  CompanyPrinterTypes = {"P1"};
  bool ok = true;
  EXPECT_TRUE(LoadPrinterList(&ok).empty());
  EXPECT_FALSE(ok);
}

// A list that is there but cannot be read (or is no text) is the user's
// and stays: nothing writes over it, and the load says why.  Most failures
// are ones root meets too: a directory, a read error (/proc/self/mem gives
// EIO at offset 0), a file of zeros as a crash may leave; a list only its
// owner may write is tried when the test does not run as root.
TEST_F(PrinterList, UnreadableListIsNeverWritten) {
  CompanyPrinterTypes = {"P1"};
  const QString list = Path(PrinterListFileName);
  struct Case {
    const char *name;
    std::function<void()> make;
    PrinterListLoad::Issue issue;
    const char *reason;
  };
  std::vector<Case> cases = {
      {"directory", [&] { QDir().mkdir(list); }, PrinterListLoad::Issue::Unreadable,
       "Is a directory"},
      {"read error", [&] { QFile::link(QStringLiteral("/proc/self/mem"), list); },
       PrinterListLoad::Issue::Unreadable, "Input/output error"},
      {"zeros", [&] { Write(PrinterListFileName, QByteArray(64, '\0')); },
       PrinterListLoad::Issue::NotText, "NUL"},
  };
  if (geteuid() != 0) {
    cases.push_back({"write-only",
                     [&] {
                       Write(PrinterListFileName, "A|USB|USB\r\n");
                       QFile::setPermissions(list, QFileDevice::WriteOwner);
                     },
                     PrinterListLoad::Issue::Unreadable, "Permission denied"});
  }
  for (const auto &c : cases) {
    c.make();
    const QFileInfo before(list);
    const QByteArray bytes = before.isReadable() && before.isFile() && !before.isSymLink()
                                 ? Read(PrinterListFileName)
                                 : "";
    const PrinterListLoad load = ReadPrinterList();
    EXPECT_EQ(load.issue, c.issue) << c.name;
    EXPECT_TRUE(load.rows.empty()) << c.name;
    EXPECT_TRUE(load.reason.contains(QLatin1String(c.reason)))
        << c.name << ": " << load.reason.toStdString();
    EXPECT_FALSE(AppendPrinterEntry("B", "USB", "USB")) << c.name;
    EXPECT_FALSE(ReplacePrinterEntry(0, "B", "USB", "USB")) << c.name;
    EXPECT_FALSE(SavePrinterList({})) << c.name;
    const QFileInfo after(list);
    EXPECT_EQ(after.isDir(), before.isDir()) << c.name;
    EXPECT_EQ(after.isSymLink(), before.isSymLink()) << c.name;
    if (!bytes.isEmpty()) {
      EXPECT_EQ(Read(PrinterListFileName), bytes) << c.name;
    }
    QFile::setPermissions(list, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (c.issue == PrinterListLoad::Issue::Unreadable && after.isFile() && !after.isSymLink()) {
      EXPECT_EQ(Read(PrinterListFileName), QByteArray("A|USB|USB\r\n")) << c.name;
    }
    if (after.isDir() && !after.isSymLink()) {
      QDir(list).removeRecursively();
    } else {
      QFile::remove(list);
    }
  }
}

// An over-long line is left out (and named) rather than read whole; the
// entries around it still load, and the list is not replaced.
TEST_F(PrinterList, OverLongLinesAreSkippedAndNamed) {
  CompanyPrinterTypes = {"P1"};
  const QByteArray huge(20 * 1024 * 1024, 'x');
  const QByteArray longest(kMaxPrinterListLine - 6, 'y');  // with "|USB|" just fits
  Write(PrinterListFileName, "A|USB|USB\r\n" + huge + "\r\n" + longest + "|USB|\r\nB|COM|COM1");
  PrinterListLoad load = ReadPrinterList();
  EXPECT_EQ(load.issue, PrinterListLoad::Issue::None);
  EXPECT_EQ(Captions(load.rows), (std::vector<QString>{"A", QString::fromLatin1(longest), "B"}));
  EXPECT_EQ(load.longLines, (std::vector<qsizetype>{2}));
  // A list holding nothing but an over-long line is still the user's.
  Write(PrinterListFileName, huge + huge);
  load = ReadPrinterList();
  EXPECT_TRUE(load.rows.empty());
  EXPECT_EQ(load.longLines, (std::vector<qsizetype>{1}));
  EXPECT_EQ(Read(PrinterListFileName).size(), 2 * huge.size());
}

TEST_F(PrinterList, SelectionUsesTheMapAndFallsBackToKP330) {
  Write(PrinterMapFileName, "[Map]\nLabel One=TQX58\n");
  Write(PrinterTypeListFileName, "[ParameterSet]\nNIsbtnStartLearn=KP330,\n");
  const std::vector<PrinterListEntry> rows = {{"Label One", "NET", "NET,127.0.0.1:1"},
                                              {"Unknown", "USB", "USB"}};
  SelectionResult result = SelectPrinterEntry(rows, 0);
  EXPECT_EQ(result.createResult, 0);
  EXPECT_TRUE(result.learnEnabled);
  EXPECT_EQ(SelectedModel, QLatin1String("TQX58"));
  EXPECT_EQ(SelectedPort, QLatin1String("NET,127.0.0.1:1"));
  result = SelectPrinterEntry(rows, 1);
  EXPECT_EQ(SelectedRowIndex, 1);
  EXPECT_EQ(SelectedPrinterType, QLatin1String("Unknown"));
  EXPECT_EQ(SelectedModel, QLatin1String("KP330"));
  EXPECT_FALSE(result.learnEnabled);
  EXPECT_EQ(SelectPrinterEntry(rows, 2).createResult, -1);
  EXPECT_EQ(SelectedRowIndex, 1);
}

TEST(ModelLists, MembershipNeedsTheComma) {
  struct Case {
    const char *list;
    const char *name;
    bool member;
  };
  const Case cases[] = {{"M10,M2,", "M10", true}, {"M10,M2,", "M2", true}, {"M10,M2,", "M1", false},
                        {"M10,M2,", "2", true},   {"M10,M2", "M2", false}, {"", "M2", false},
                        {"M10,M2,", "", false}};  // an empty name is in no list
  for (const Case &c : cases) {
    EXPECT_EQ(ListHolds(QLatin1String(c.list), QLatin1String(c.name)), c.member)
        << c.list << " / " << c.name;
  }
}

using Catalogue = FilesFixture;

TEST_F(Catalogue, SpeedsWidthsAndWindows) {
  Write(PrinterTypeListFileName,
        "[ParameterSet]\nIPS4=A,\nIPS5=B,\nIPS7=A,C,\nPaperWidth80=A,\nPaperWidth56=A,\n"
        "TQM_ParameterSetting=B,\nTGV_ParameterSetting=B,C,\nKV_ParameterSetting=D,\n");
  EXPECT_EQ(FillPrintSpeedList("A"), (QStringList{"2", "3", "4"}));  // first list wins
  EXPECT_EQ(FillPrintSpeedList("B"), (QStringList{"2", "3", "4", "5"}));
  EXPECT_EQ(FillPrintSpeedList("C").size(), 6);
  EXPECT_EQ(FillPrintSpeedList("Z"), (QStringList{"2", "3"}));
  SelectedModel = "A";
  EXPECT_EQ(GetPaperWidth(), QLatin1String("56"));
  EXPECT_EQ(FillPrintSpeedList(), (QStringList{"2", "3", "4"}));
  SelectedModel = "Z";
  EXPECT_EQ(GetPaperWidth(), QLatin1String("48"));
  EXPECT_EQ(ParameterFamilyOf("B"), ravo::utility::param::Family::TQM);
  EXPECT_EQ(ParameterFamilyOf("C"), ravo::utility::param::Family::TGV);
  EXPECT_EQ(ParameterFamilyOf("D"), ravo::utility::param::Family::TQX);
  EXPECT_EQ(ParameterFamilyOf("Z"), ravo::utility::param::Family::TQX);
}

TEST(ShippedCatalogue, EveryTypeIsMappedAndEveryModelCreatesBothHandles) {
  SetDefaultFileNames();
  FilesPath = ShippedFilesDir() + '/';
  const QStringList types = {"TQX58", "TQM", "TGV", "VT-640K", "HMZ", "Q73"};
  const QStringList lines = mdlFunction::ReadTextLines(FilesPath + CompanyPrinterListFileName);
  ASSERT_FALSE(lines.isEmpty());
  QSet<QString> models;
  for (const QString &type : lines) {
    const QString model = ReadIniString(PrinterMapFileName, "Map", type);
    EXPECT_FALSE(model.isEmpty()) << type.toStdString();
    models.insert(model);
  }
  for (const QString &model : models) {
    using ravo::utility::PrinterLibrary;
    using ravo::utility::PrinterLink;
    EXPECT_TRUE(PrinterLink::CheckModel(model, PrinterLibrary::Tspl).ok()) << model.toStdString();
    EXPECT_TRUE(PrinterLink::CheckModel(model, PrinterLibrary::Esc).ok()) << model.toStdString();
  }
  // Each window family has a model that opens its window.
  EXPECT_EQ(ParameterFamilyOf("TQM"), ravo::utility::param::Family::TQM);
  EXPECT_EQ(ParameterFamilyOf("TGV"), ravo::utility::param::Family::TGV);
  EXPECT_EQ(ParameterFamilyOf("HMZ"), ravo::utility::param::Family::HMZ);
  EXPECT_EQ(ParameterFamilyOf("Q73"), ravo::utility::param::Family::Q73);
  EXPECT_TRUE(IsDealerPrinterType("VANTA-58"));
  EXPECT_FALSE(IsDealerPrinterType("TQX58"));
  for (const QString &type : types) EXPECT_TRUE(lines.contains(type)) << type.toStdString();
}

}  // namespace
