// Texts the windows build from results and answers: the one form of an
// error with its code, the warning about characters the code page cannot
// carry, status lines, dfu-util's progress and the port-string checks.
#include <gtest/gtest.h>

#include <cerrno>

#include "files_fixture.h"
#include "firmware_update.h"
#include "label_text_job.h"
#include "mdl_function.h"
#include "mdl_global.h"
#include "sent_status.h"
#include "unprintable_text.h"
#include "window_messages.h"

using namespace ravo::utility;

namespace {

class WindowTexts : public ::testing::Test {
 protected:
  void SetUp() override {
    mdlGlobal::InitGlobals(mdlGlobal::ParseStartupOptions(
        {"test", "--files", ShippedFilesDir(), "--language", "1033"}));
    ASSERT_EQ(mdlGlobal::LanguageId, "1033");
  }
  void TearDown() override {
    qunsetenv("RAVO_ACP");
    mdlGlobal::LanguageId = "1033";
  }
};

TEST_F(WindowTexts, ErrorsShowTextCodeAndTheLibrarysMessageInOneForm) {
  struct Case {
    const char *language;
    QString text;
    int32_t code;
    QString shown;
  };
  const QString chineseConnect = QStringLiteral("网卡连接失败。\n请确认网络打印机处于可连接状态！");
  const Case cases[] = {
      {"1033", "Cannot open the port", -352,
       "Cannot open the port:-352\nCannot connect the target network printer.\n"
       "Please confirm the network printer is online and in the same network."},
      {"2052", QStringLiteral("打开端口失败"), -352,
       QStringLiteral("打开端口失败:-352\n") + chineseConnect},
      {"1028", QStringLiteral("開啟連接埠失敗"), -352,
       QStringLiteral("開啟連接埠失敗:-352\n") + chineseConnect},
      {"1033", "Cannot read the file", ENOENT, "Cannot read the file:2\nNo such file or directory"},
      {"1033", "Checksum error", 0, "Checksum error"},
  };
  for (const Case &c : cases) {
    mdlGlobal::LanguageId = c.language;
    EXPECT_EQ(ErrorCodeText(c.text, c.code), c.shown) << c.language << " " << c.code;
  }
}

TEST_F(WindowTexts, ServiceErrorsNameTheirSubjectBeforeTheLibrarysMessage) {
  EXPECT_EQ(ServiceErrorText(Failure(ServiceMessage::FileRead, ENOENT, "/tmp/logo.png")),
            "Cannot read the file:2\n/tmp/logo.png\nNo such file or directory");
  EXPECT_EQ(ServiceErrorText(Failure(ServiceMessage::TextCodePage, 0, QStringLiteral("中"))),
            mdlGlobal::GetLangString("_Err_TextCodePage") + QStringLiteral("\n中"));
  // The port string of a failed open adds nothing the user typed not in.
  EXPECT_EQ(
      ServiceErrorText(Failure(ServiceMessage::OpenPort, -301, "COM1,X")),
      "Cannot open the port:-301\nIO invalid setting.\nPlease confirm IO port configuration.");
}

TEST_F(WindowTexts, UnprintableCharactersAreNamedOnceEachWithTheCodePage) {
  qputenv("RAVO_ACP", "CP1252");
  EXPECT_EQ(AnsiCodePageName(), "CP1252");
  const QString text = QStringLiteral("Café € 中文\n中 😀");
  EXPECT_EQ(UnprintableCharacters(text),
            (QStringList{QStringLiteral("中"), QStringLiteral("文"), QStringLiteral("😀")}));
  const QString warning = UnprintableWarning(text);
  EXPECT_TRUE(warning.contains("code page CP1252")) << warning.toStdString();
  EXPECT_TRUE(warning.contains(QStringLiteral("中 (U+4E2D), 文 (U+6587), 😀 (U+1F600)")))
      << warning.toStdString();
  EXPECT_TRUE(UnprintableWarning("plain Latin-1: é ß").isEmpty());

  // A long list names the first ones and says there are more.
  QString many;
  for (char32_t c = U'一'; c < U'一' + 20; ++c) many += QString::fromUcs4(&c, 1);
  EXPECT_EQ(UnprintableCharacters(many).size(), 20);
  EXPECT_TRUE(UnprintableWarning(many, 3).contains(QStringLiteral("(U+4E02), …")));

  qputenv("RAVO_ACP", "GBK");
  EXPECT_TRUE(UnprintableCharacters(QStringLiteral("中文标签")).isEmpty());
  EXPECT_EQ(UnprintableCharacters(QStringLiteral("中한")), QStringList{QStringLiteral("한")});
}

TEST_F(WindowTexts, LabelJobRefusesOrReplacesUnprintableCharacters) {
  qputenv("RAVO_ACP", "CP1252");
  const auto refused = LabelTextJob("30", "30", QStringLiteral("a中b"));
  EXPECT_EQ(refused.result.message, ServiceMessage::TextCodePage);
  EXPECT_EQ(refused.result.subject, QStringLiteral("中"));
  EXPECT_TRUE(refused.value.isEmpty());

  const auto replaced = LabelTextJob("30", "30", QStringLiteral("a中b"), Unprintable::Replace);
  ASSERT_TRUE(replaced.ok());
  ASSERT_EQ(replaced.value.size(), 4);
  EXPECT_EQ(replaced.value[2], QByteArray("TEXT 10,10,\"5\",0,1,1,\"a?b\""));
  // Control characters are refused whatever the choice: they break the command.
  EXPECT_EQ(LabelTextJob("30", "30", "a\tb", Unprintable::Replace).result.message,
            ServiceMessage::TextControl);
}

TEST_F(WindowTexts, StatusLineSaysWhatWentToWhichPrinter) {
  const PrinterTarget printer{"NET,192.0.2.7", "TQX58", "TQX58", PrinterLibrary::Tspl};
  const QTime at(14, 3, 22);
  EXPECT_EQ(
      SentStatus(SentAction::ConfigurationPrint,
                 DeviceCommandShown(SentAction::ConfigurationPrint, CommandSet::Dc2), printer, at),
      "14:03:22  Configuration print sent to TQX58 (NET,192.0.2.7): 1D 28 41 02 00 00 02");
  EXPECT_EQ(SentStatus(SentAction::TestLabel, LabelLinesShown(3, "30", "40"), printer, at),
            "14:03:22  Test label sent to TQX58 (NET,192.0.2.7): 3 line(s) on a 30 × 40 mm label");
  mdlGlobal::LanguageId = "2052";
  EXPECT_EQ(SentStatus(SentAction::AutoLearn, "ZZZLEARN", printer, at),
            QStringLiteral("14:03:22  已向 TQX58 (NET,192.0.2.7) 发送标签自动学习：ZZZLEARN"));

  EXPECT_EQ(TextLineCount("one"), 1);
  EXPECT_EQ(TextLineCount("one\r\ntwo\nthree"), 3);
  EXPECT_EQ(TextLineCount("one\n"), 2);  // the final break sends an empty line too
}

TEST(FirmwareUpdate, ProgressIsTheLastPercentageDfuUtilReported) {
  const QString redrawn =
      "Download\t[=====                    ]  21%         5120 bytes\r"
      "Download\t[==========               ]  42%        10240 bytes\r";
  EXPECT_EQ(DfuProgressPercent(redrawn), 42);
  EXPECT_EQ(DfuProgressPercent(redrawn + "Download\t[=========================] 100%  24448 bytes\n"
                                         "Download done.\n"),
            100);
  EXPECT_EQ(DfuProgressPercent("Opening DFU capable USB device...\nDevice ID 0483:df11\n"),
            std::nullopt);
  EXPECT_EQ(DfuProgressPercent("bogus 250% then 7%"), 7);

  EXPECT_EQ(DfuOutputForLog("Waiting for device\n" + redrawn + "\nDownload done.\n"),
            "Waiting for device\n"
            "Download\t[==========               ]  42%        10240 bytes\n"
            "Download done.\n");
  EXPECT_EQ(DfuUtilArguments("/tmp/fw.bin"), (QStringList{"--wait", "--download", "/tmp/fw.bin"}));
}

TEST(PortStrings, ThePortLibraryDecidesWhatIsAPort) {
  struct Case {
    QString port;
    int32_t result;
  };
  const Case cases[] = {
      {"USB", 0},
      {"NET,192.0.2.7", 0},
      {"NET,127.0.0.1:9101", 0},
      {"COM1,BAUDRATE_115200", 0},
      {"LPT1", 0},
      {",BAUDRATE_115200", -301},  // the serial box was empty
      {"", -301},                  // the parallel box was empty
      {"FOO", -301},
      {"COM1,BAUDRATE_1234", -351},
      {"USB,VID_XYZ", -371},
      {"NET," + QString(300, 'a'), -302},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(mdlFunction::CheckPortString(c.port), c.result) << c.port.toStdString();
  }
}

TEST(PortStrings, OnlyParallelPortsCannotAnswer) {
  for (const char *port : {"LPT1", "lpt12", "/dev/lp0", "/tmp/printer.fifo"})
    EXPECT_FALSE(mdlFunction::PortCanAnswer(port)) << port;
  for (const char *port :
       {"USB", "NET,10.0.0.5", "COM3,BAUDRATE_9600", "/dev/ttyUSB0,BAUDRATE_9600", "ttyACM0"})
    EXPECT_TRUE(mdlFunction::PortCanAnswer(port)) << port;
}

}  // namespace
