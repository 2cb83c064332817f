#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
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
  ASSERT_EQ(window.lstTempletsList->count(), 2);
  EXPECT_EQ(window.lstTempletsList->currentRow(), 1);

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
    window.lstTempletsList->addItem(file.fileName());
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
    window_.openDownload = [this](QWidget *, Storage storage) {
      T_frmDownloadFile_TSPL download(storage);
      download.lstTempletsList->addItem(path_);
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

  QByteArray file_;
  QString path_;
  T_frmTempletManage window_;
};

TEST_F(TemplateManager, DownloadListsTheFileAndKillRemovesIt) {
  EXPECT_TRUE(Names().isEmpty());
  EXPECT_FALSE(window_.btnDelAll->isEnabled());
  EXPECT_EQ(window_.lblSpaceInfo->text(),
            SpacePattern().replace("{0}", "1024").replace("{1}", "1024"));
  EXPECT_TRUE(boxes_.shown.empty()) << boxes_.shown.front().text.toStdString();

  Click(window_.btnDownload);
  EXPECT_EQ(Names(), QStringList{"LOGO.PRN"});
  EXPECT_EQ(window_.lstImagesList->currentRow(), 0);
  EXPECT_TRUE(window_.btnDelAll->isEnabled());

  boxes_.answers = {MessageAnswer::Ok};
  Click(window_.btnDelCurrent);
  EXPECT_TRUE(Names().isEmpty());
  EXPECT_TRUE(Received().contains("KILL F,\"LOGO.PRN\"\r\n"));
  ASSERT_EQ(Shown(MessageIcon::Question).size(), 1);
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

TEST_F(TemplateManager, DeleteWithoutSelectionIsReported) {
  Click(window_.btnDownload);
  window_.lstImagesList->clearSelection();
  Click(window_.btnDelCurrent);  // confirmed by the recorder
  EXPECT_FALSE(Received().contains("KILL"));
  EXPECT_EQ(Shown(MessageIcon::Error).size(), 1);
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
