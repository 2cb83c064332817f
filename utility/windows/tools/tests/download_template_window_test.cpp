#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <filesystem>

#include "frm_download_file_tspl.h"
#include "frm_templet_manage.h"
#include "mdl_global.h"
#include "window_fixture.h"

using namespace ravo::utility;

namespace {

// A stored-file download of exactly `total` bytes: "NAME",SIZE, then SIZE
// bytes of data; empty when no SIZE gives that total.
QByteArray StoredFile(const QByteArray &name, int total) {
  for (int size = total; size > 0; --size) {
    QByteArray file = '"' + name + "\"," + QByteArray::number(size) + ',';
    if (file.size() + size != total) continue;
    for (int i = 0; i < size; ++i) file += static_cast<char>('a' + i % 26);
    return file;
  }
  return {};
}

class DownloadWindow : public ToolWindowTest {
 protected:
  DownloadWindow() : ToolWindowTest({"--model", "TQX58", "--flash-size", "1048576"}) {}

  QString WriteFile(const QString &name, const QByteArray &bytes) {
    QFile file(dir_.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  }

  QTemporaryDir dir_;
};

TEST_F(DownloadWindow, FileGoesBehindThePrefixInOrder) {
  QByteArray first = StoredFile("A.DAT", 2500);
  QByteArray second = StoredFile("B.DAT", 21);
  ASSERT_EQ(first.size(), 2500);
  ASSERT_EQ(second.size(), 21);
  T_frmDownloadFile_TSPL window(Storage::Flash);
  ChooseFiles({WriteFile("a", first), WriteFile("b", second)});
  window.btnAdd->click();
  window.btnAdd->click();
  window.btnAdd->click();  // cancelled
  ASSERT_EQ(window.Files().size(), 2);
  EXPECT_EQ(window.lstTempletsList->indexOfTopLevelItem(window.lstTempletsList->currentItem()), 1);
  // Each file with its size, and the total.
  EXPECT_EQ(window.lstTempletsList->topLevelItem(0)->text(1),
            QLocale().formattedDataSize(2500, 1, QLocale::DataSizeTraditionalFormat));
  EXPECT_EQ(window.lstTempletsList->topLevelItem(1)->text(1),
            QLocale().formattedDataSize(21, 1, QLocale::DataSizeTraditionalFormat));
  EXPECT_TRUE(window.lblTotal->text().contains(
      QLocale().formattedDataSize(2521, 1, QLocale::DataSizeTraditionalFormat)))
      << window.lblTotal->text().toStdString();

  window.btnDownload->click();
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Shown(MessageIcon::Information), QStringList{mdlGlobal::Msg.DownloadSuccess});
  EXPECT_TRUE(window.btnDownload->isEnabled());
  // The download, then the listing that confirms the printer stored both.
  ASSERT_TRUE(sim_.WaitForClosedSessions(2));
  EXPECT_EQ(Received(),
            "DOWNLOAD F," + first + "DOWNLOAD F," + second + "ZZZFILES F\r\nZZZFILESSIZE\r\n");
  EXPECT_TRUE(std::filesystem::exists(sim_.StateDir() / "flash" / "A.DAT"));
  EXPECT_TRUE(std::filesystem::exists(sim_.StateDir() / "flash" / "B.DAT"));
  EXPECT_TRUE(sim_.Labels().empty());
}

TEST_F(DownloadWindow, DramPrefixAndEmptyList) {
  T_frmDownloadFile_TSPL window(Storage::Dram);
  window.btnDownload->click();  // nothing to send, still finished
  ASSERT_TRUE(Settle());
  ChooseFiles({WriteFile("c", StoredFile("C.DAT", 30))});
  window.btnAdd->click();
  window.btnDownload->click();
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Shown(MessageIcon::Information).size(), 2);
  ASSERT_TRUE(sim_.WaitForClosedSessions(3));
  EXPECT_EQ(Received(), "DOWNLOAD " + StoredFile("C.DAT", 30) + "ZZZFILES N\r\nZZZFILESSIZE\r\n");
}

TEST_F(DownloadWindow, UnreadableFileStopsTheDownload) {
  QByteArray good = StoredFile("G.DAT", 40);
  T_frmDownloadFile_TSPL window(Storage::Flash);
  ChooseFiles({WriteFile("g", good), dir_.filePath("missing"), WriteFile("h", good)});
  for (int i = 0; i < 3; ++i) window.btnAdd->click();
  window.btnDownload->click();
  ASSERT_TRUE(Settle());
  EXPECT_TRUE(Shown(MessageIcon::Information).isEmpty());
  ASSERT_EQ(Shown(MessageIcon::Error).size(), 1);
  EXPECT_TRUE(Shown(MessageIcon::Error)[0].startsWith(dir_.filePath("missing") + ": "));
  // Every file is read before the first is sent: the printer saw nothing.
  EXPECT_FALSE(sim_.WaitForClosedSessions(1, std::chrono::milliseconds(300)));
}

class DroppingPrinter : public ToolWindowTest {
 protected:
  DroppingPrinter() : ToolWindowTest({"--model", "TQX58", "--close-after", "50000"}) {}
};

// The printer closes the connection after 50000 bytes: whether the rest is
// refused at once or vanishes in the buffers, the window says the download
// failed and how.
TEST_F(DroppingPrinter, LostDataIsReportedNotCalledSuccess) {
  QTemporaryDir dir;
  for (int size : {200 << 10, 2 << 20}) {
    boxes_.shown.clear();
    QFile file(dir.filePath(QString::number(size)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(StoredFile("BIG.DAT", size));
    file.close();
    T_frmDownloadFile_TSPL window(Storage::Flash);
    window.AddFile(file.fileName());
    window.btnDownload->click();
    ASSERT_TRUE(Settle());
    EXPECT_TRUE(Shown(MessageIcon::Information).isEmpty()) << size;
    ASSERT_EQ(Shown(MessageIcon::Error).size(), 1u) << size;
    const QString error = Shown(MessageIcon::Error)[0];
    const bool cut = error.startsWith(mdlGlobal::GetLangString("_Err_DownloadCut") + ":");
    const bool unlisted = error.startsWith(mdlGlobal::GetLangString("_Err_DownloadNotListed"));
    EXPECT_TRUE(cut || unlisted) << error.toStdString();
    EXPECT_TRUE(window.btnDownload->isEnabled());
  }
  EXPECT_FALSE(std::filesystem::exists(sim_.StateDir() / "flash" / "BIG.DAT"));
}

class TemplateManager : public DownloadWindow {
 protected:
  void SetUp() override {
    DownloadWindow::SetUp();
    file_ = StoredFile("LOGO.PRN", 300);
    path_ = WriteFile("logo", file_);
    toDownload_ = {path_};
    window_.openDownload = [this](QWidget *, Storage storage) {
      T_frmDownloadFile_TSPL download(storage);
      for (const QString &path : toDownload_) download.AddFile(path);
      download.btnDownload->click();
      ASSERT_TRUE(Settle());
    };
    window_.show();
    ASSERT_TRUE(Settle());
  }

  // Clicks and waits for the conversation it starts.
  void Click(QPushButton *button) {
    button->click();
    ASSERT_TRUE(Settle());
  }

  QStringList Names() const {
    QStringList names;
    for (int i = 0; i < window_.lstImagesList->count(); ++i) {
      names += window_.lstImagesList->item(i)->text();
    }
    return names;
  }

  QString SpacePattern() const {
    return mdlGlobal::GetLangString("FormTempletManage_lblSpaceInfo");
  }

  // Questions asked, in order.
  QStringList Questions() const { return Shown(MessageIcon::Question); }

  QByteArray file_;
  QString path_;
  QStringList toDownload_;  // what the download window sends
  T_frmTempletManage window_;
};

TEST_F(TemplateManager, DownloadListsTheFileAndKillRemovesIt) {
  EXPECT_TRUE(Names().isEmpty());
  EXPECT_FALSE(window_.btnDelPosiAll->isEnabled());
  EXPECT_TRUE(window_.btnDelAll->isEnabled());  // the other memory may hold files
  EXPECT_EQ(window_.lblSpaceInfo->text(),
            SpacePattern().replace("{0}", "1024").replace("{1}", "1024"));
  EXPECT_TRUE(boxes_.shown.empty()) << boxes_.shown.front().text.toStdString();

  Click(window_.btnDownload);
  EXPECT_EQ(Names(), QStringList{"LOGO.PRN"});
  EXPECT_EQ(window_.lstImagesList->currentRow(), 0);
  EXPECT_TRUE(window_.btnDelPosiAll->isEnabled());

  boxes_.answers = {MessageAnswer::Ok};
  Click(window_.btnDelCurrent);
  EXPECT_TRUE(Names().isEmpty());
  EXPECT_TRUE(Received().contains("KILL F,\"LOGO.PRN\"\r\n"));
  // The question names the file and where it is.
  ASSERT_EQ(Questions().size(), 1);
  EXPECT_TRUE(Questions()[0].contains("LOGO.PRN"));
  EXPECT_TRUE(Questions()[0].contains(window_.cmbTempletSavePosition->itemText(0)));
  EXPECT_EQ(boxes_.shown.back().title, mdlGlobal::Msg.MSG_Title_Warn);
  EXPECT_EQ(Shown(MessageIcon::Information), QStringList{mdlGlobal::Msg.DownloadSuccess});
}

TEST_F(TemplateManager, PrintRunsTheSelectedTemplateOnly) {
  Click(window_.btnDownload);
  qsizetype before = Received().size();
  Click(window_.btnPrint);
  QByteArray run("RUN \"LOGO.PRN\"\r\n");
  ASSERT_TRUE(WaitForReceived(before + run.size()));
  WaitFor([] { return false; }, 200);  // no refresh may follow
  EXPECT_EQ(Received().mid(before), run);
}

TEST_F(TemplateManager, CancelSendsNothingButRefreshes) {
  Click(window_.btnDownload);
  boxes_.answers = {MessageAnswer::Cancel, MessageAnswer::Cancel};
  Click(window_.btnDelAll);
  Click(window_.btnDelPosiAll);
  EXPECT_FALSE(Received().contains("KILL"));
  EXPECT_EQ(Names(), QStringList{"LOGO.PRN"});
  EXPECT_TRUE(Received().endsWith("ZZZFILESSIZE\r\n"));
}

// Said before anything is asked, and nothing is sent, not even a refresh.
TEST_F(TemplateManager, DeleteOrPrintWithoutSelectionIsReportedFirst) {
  Click(window_.btnDownload);
  window_.lstImagesList->clearSelection();
  const qsizetype before = Received().size();
  Click(window_.btnDelCurrent);
  Click(window_.btnPrint);
  EXPECT_TRUE(Questions().isEmpty());
  EXPECT_EQ(Shown(MessageIcon::Error),
            QStringList(2, mdlGlobal::GetLangString("FormTempletManage_MSGNoSelection")));
  WaitFor([] { return false; }, 100);
  EXPECT_EQ(Received().size(), before);
}

TEST_F(TemplateManager, SeveralSelectedFilesAreDeletedAfterOneQuestion) {
  const QByteArray second = StoredFile("B.PRN", 50);
  toDownload_ = {path_, WriteFile("b", second), WriteFile("c", StoredFile("C.PRN", 40))};
  Click(window_.btnDownload);
  ASSERT_EQ(Names(), QStringList({"B.PRN", "C.PRN", "LOGO.PRN"}));
  window_.lstImagesList->item(2)->setSelected(true);
  window_.lstImagesList->item(0)->setSelected(true);
  window_.lstImagesList->item(1)->setSelected(false);
  boxes_.answers = {MessageAnswer::Ok};
  Click(window_.btnDelCurrent);
  ASSERT_EQ(Questions().size(), 1);
  EXPECT_TRUE(Questions()[0].contains("B.PRN") && Questions()[0].contains("LOGO.PRN"));
  EXPECT_FALSE(Questions()[0].contains("C.PRN"));
  EXPECT_TRUE(Questions()[0].contains(" 2 ")) << Questions()[0].toStdString();
  EXPECT_EQ(Names(), QStringList{"C.PRN"});
  EXPECT_TRUE(Received().contains("KILL F,\"B.PRN\"\r\n"));
  EXPECT_TRUE(Received().contains("KILL F,\"LOGO.PRN\"\r\n"));
}

// "Delete all" lists both memories first and names what each holds;
// "delete all here" names the memory and says the other one stays.
TEST_F(TemplateManager, DeleteQuestionsSayExactlyWhatGoes) {
  Click(window_.btnDownload);  // LOGO.PRN to flash
  window_.cmbTempletSavePosition->setCurrentIndex(1);
  ASSERT_TRUE(Settle());
  toDownload_ = {WriteFile("d", StoredFile("D.PRN", 60))};
  Click(window_.btnDownload);  // D.PRN to DRAM
  const QString flash = window_.cmbTempletSavePosition->itemText(0);
  const QString dram = window_.cmbTempletSavePosition->itemText(1);

  boxes_.answers = {MessageAnswer::Cancel, MessageAnswer::Cancel};
  Click(window_.btnDelPosiAll);
  Click(window_.btnDelAll);
  ASSERT_EQ(Questions().size(), 2);
  EXPECT_TRUE(Questions()[0].contains("D.PRN") && !Questions()[0].contains("LOGO.PRN"));
  EXPECT_TRUE(Questions()[0].startsWith(mdlGlobal::GetLangString("FormTempletManage_DelStorageTip")
                                            .replace("{0}", "1")
                                            .replace("{1}", dram)
                                            .replace("{2}", flash)));
  EXPECT_TRUE(Questions()[1].contains("D.PRN") && Questions()[1].contains("LOGO.PRN"));
  EXPECT_TRUE(
      Questions()[1].startsWith(mdlGlobal::GetLangString("FormTempletManage_DelEverythingTip")
                                    .replace("{0}", "1")
                                    .replace("{1}", flash)
                                    .replace("{2}", "1")
                                    .replace("{3}", dram)));
  EXPECT_FALSE(Received().contains("KILL"));

  boxes_.answers = {MessageAnswer::Ok};
  Click(window_.btnDelAll);
  EXPECT_TRUE(Received().contains("KILL \"*\"\r\nKILL F,\"*\"\r\n"));
  EXPECT_TRUE(Names().isEmpty());
  EXPECT_TRUE(window_.btnDelAll->isEnabled());
  Click(window_.btnDelAll);  // nothing left: said so, nothing asked
  EXPECT_EQ(Questions().size(), 3);
  EXPECT_EQ(Shown(MessageIcon::Information).last(),
            mdlGlobal::GetLangString("FormTempletManage_MSGNothingStored"));
}

// A printer out of reach: one message when the window opens and one per
// click, the window keeps its layout, and Refresh finds the printer back.
TEST_F(DownloadWindow, TemplateManagerOfflineSaysSoOnceAndRefreshTriesAgain) {
  ASSERT_TRUE(sim_.Stop());
  T_frmTempletManage window;
  window.show();
  ASSERT_TRUE(Settle());
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_TRUE(boxes_.shown[0].text.startsWith(mdlGlobal::Msg.Err_OpenPort))
      << boxes_.shown[0].text.toStdString();
  EXPECT_FALSE(window.Reachable());
  EXPECT_TRUE(window.lblStatus->isVisibleTo(&window));
  EXPECT_TRUE(window.lblStatus->text().contains(boxes_.shown[0].text));
  EXPECT_TRUE(window.lblSpaceInfo->isVisibleTo(&window));
  EXPECT_FALSE(window.lblSpaceInfo->text().isEmpty());
  EXPECT_GE(window.width(), window.minimumSizeHint().width());
  EXPECT_GT(window.height(), 260);
  for (QPushButton *b : {window.btnDownload, window.btnPrint, window.btnDelCurrent,
                         window.btnDelPosiAll, window.btnDelAll}) {
    EXPECT_FALSE(b->isEnabled()) << b->text().toStdString();
  }
  EXPECT_TRUE(window.btnRefresh->isEnabled());

  window.btnRefresh->click();
  ASSERT_TRUE(Settle());
  EXPECT_EQ(boxes_.shown.size(), 2u);

  ASSERT_TRUE(sim_.RestartOnSamePort());
  window.btnRefresh->click();
  ASSERT_TRUE(Settle());
  EXPECT_EQ(boxes_.shown.size(), 2u);
  EXPECT_TRUE(window.Reachable());
  EXPECT_FALSE(window.lblStatus->isVisibleTo(&window));
  EXPECT_TRUE(window.btnDownload->isEnabled());
  EXPECT_EQ(window.lblSpaceInfo->text(), mdlGlobal::GetLangString("FormTempletManage_lblSpaceInfo")
                                             .replace("{0}", "1024")
                                             .replace("{1}", "1024"));
}

TEST_F(TemplateManager, StoragesAreListedApart) {
  window_.cmbTempletSavePosition->setCurrentIndex(1);  // DRAM refreshes
  ASSERT_TRUE(Settle());
  EXPECT_EQ(window_.SavePosition(), Storage::Dram);
  Click(window_.btnDownload);
  EXPECT_TRUE(Received().contains("DOWNLOAD \"LOGO.PRN\""));
  EXPECT_EQ(Names(), QStringList{"LOGO.PRN"});
  window_.cmbTempletSavePosition->setCurrentIndex(0);
  ASSERT_TRUE(Settle());
  EXPECT_TRUE(Names().isEmpty());
  boxes_.answers = {MessageAnswer::Ok};
  window_.cmbTempletSavePosition->setCurrentIndex(1);
  ASSERT_TRUE(Settle());
  Click(window_.btnDelAll);
  EXPECT_TRUE(Received().endsWith("ZZZFILESSIZE\r\n"));
  EXPECT_TRUE(Received().contains("KILL \"*\"\r\nKILL F,\"*\"\r\n"));
  EXPECT_TRUE(Names().isEmpty());
}

}  // namespace
