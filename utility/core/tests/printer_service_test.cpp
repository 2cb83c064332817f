// The printer conversations against a scripted printer on a loopback port,
// where the tests decide how every answer is cut and timed.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>

#include "files_fixture.h"
#include "mdl_global.h"
#include "printer_service.h"
#include "scripted_printer.h"

using namespace ravo::utility;
using ravo::testing::Piece;
using ravo::testing::ScriptedPrinter;

namespace {

const QByteArray kProbe("\x1B\x1B\x08", 3);
const QByteArray kZzzRead("ZZZCR\n");
const QByteArray kDc2Read("\x12\x62", 2);

param::ParameterBlock SampleBlock() {
  param::ParameterBlock block{};
  for (size_t i = 1; i < 254; ++i) block[i] = static_cast<uint8_t>(i * 7);
  block[0] = param::kBlockMarker;
  param::SealParameterBlock(block);
  return block;
}

QByteArray Bytes(const param::ParameterBlock &block, int from = 0, int count = 256) {
  return QByteArray(reinterpret_cast<const char *>(block.data()) + from, count);
}

class Conversations : public FilesFixture {
 protected:
  void SetUp() override {
    FilesFixture::SetUp();
    mdlGlobal::SetDefaultFileNames();
    Write(mdlGlobal::PrinterTypeListFileName, "[ParameterSet]\nVersionLength4=TQM,\n");
  }

  PrinterTarget Target(const QString &model = QStringLiteral("TQX58"),
                       const QString &options = {}) const {
    const QString extra = options.isEmpty() ? QString() : QLatin1Char(',') + options;
    return {printer_.PortString() + extra, model, {}, PrinterLibrary::Tspl};
  }

  ScriptedPrinter printer_;
};

TEST_F(Conversations, ReadsNeverReturnMoreThanAsked) {
  struct Case {
    std::vector<Piece> pieces;
    const char *expected;
  };
  const Case cases[] = {
      {{{0, "abc"}, {150, "def"}}, "abcd"},  // 3 bytes per read
      {{{0, "abcdef"}}, "abcd"},             // more than asked at once
  };
  for (const Case &c : cases) {
    printer_.Answer("Q", c.pieces);
    ServiceResult opened;
    auto link = PrinterLink::Open(Target(), opened);
    ASSERT_TRUE(link) << opened.code;
    ASSERT_EQ(link->Write("Q"), 0);
    const PrinterLink::Answer answer = link->Read(4, 100, 2);
    EXPECT_EQ(answer.code, 0);
    EXPECT_EQ(answer.bytes, QByteArray(c.expected));
  }
}

TEST_F(Conversations, BlockSplitAcrossReadsIsCompleted) {
  const param::ParameterBlock sent = SampleBlock();
  printer_.Answer(
      kZzzRead,
      {{0, Bytes(sent, 0, 100)}, {400, Bytes(sent, 100, 100)}, {400, Bytes(sent, 200, 56)}});
  const auto read = PrinterService(Target()).ReadParameterBlock(CommandSet::Zzz);
  ASSERT_TRUE(read.ok()) << int(read.result.message);
  EXPECT_EQ(read.value.block, sent);
  EXPECT_EQ(read.value.received, 256);
  EXPECT_EQ(printer_.Received(), kZzzRead);
}

TEST_F(Conversations, BadBlockAnswersNameTheirFault) {
  param::ParameterBlock badSum = SampleBlock();
  badSum[10] ^= 1;
  param::ParameterBlock noMarker = SampleBlock();
  noMarker[0] = 0x77;
  struct Case {
    const char *name;
    QByteArray answer;
    ServiceMessage message;
  };
  const Case cases[] = {
      {"all zero", Bytes(param::ParameterBlock{}), ServiceMessage::ReadData},
      {"checksum", Bytes(badSum), ServiceMessage::CheckSum},
      {"marker", Bytes(noMarker), ServiceMessage::ReadData},
      // Cut after 100 bytes: its checksum is wrong too, but that is not the fault.
      {"cut short", Bytes(SampleBlock(), 0, 100), ServiceMessage::ShortAnswer},
      {"silent", QByteArray(), ServiceMessage::ReadData},
  };
  for (const Case &c : cases) {
    printer_.Answer(kZzzRead,
                    c.answer.isEmpty() ? std::vector<Piece>{} : std::vector<Piece>{{0, c.answer}});
    const auto read =
        PrinterService(Target("TQX58", "TIMEOUT_50")).ReadParameterBlock(CommandSet::Zzz);
    EXPECT_EQ(read.result.message, c.message) << c.name;
  }
}

TEST_F(Conversations, CommandSetChoosesTheRequestForms) {
  const param::ParameterBlock sent = SampleBlock();
  struct Case {
    std::optional<CommandSet> asked;
    QByteArray probeAnswer;  // when probing
    QByteArray expectedWire;
    CommandSet used;
  };
  const QByteArray zzzWrite("ZZZCW ");
  const QByteArray dc2Write("\x12\x63", 2);
  const Case cases[] = {
      {CommandSet::Zzz, {}, kZzzRead + zzzWrite, CommandSet::Zzz},
      {CommandSet::Dc2, {}, kDc2Read + dc2Write, CommandSet::Dc2},
      {std::nullopt, QByteArray("\x07", 1), kProbe + kZzzRead + zzzWrite, CommandSet::Zzz},
      {std::nullopt, QByteArray("\x00", 1), kProbe + kDc2Read + dc2Write, CommandSet::Dc2},
      {std::nullopt, QByteArray(), kProbe + kDc2Read + dc2Write, CommandSet::Dc2},  // silent
  };
  for (const Case &c : cases) {
    ScriptedPrinter printer;
    if (!c.probeAnswer.isEmpty()) printer.Answer(kProbe, {{0, c.probeAnswer}});
    printer.Answer(kZzzRead, {{0, Bytes(sent)}});
    printer.Answer(kDc2Read, {{0, Bytes(sent)}});
    const PrinterService service({printer.PortString() + ",TIMEOUT_100", "TQX58", {}});
    const auto read = service.ReadParameterBlock(c.asked);
    ASSERT_TRUE(read.ok()) << int(read.result.message);
    EXPECT_EQ(read.value.commandSet, c.used);
    EXPECT_EQ(read.value.probeAnswer.has_value(), !c.asked.has_value());
    param::ParameterBlock edited = read.value.block;
    edited[5] = 0x42;
    ASSERT_TRUE(service.WriteParameterBlock(edited, read.value.commandSet, false).ok());
    param::SealParameterBlock(edited);
    ASSERT_TRUE(printer.WaitForBytes(c.expectedWire.size() + 256));
    EXPECT_EQ(printer.Received(), c.expectedWire + Bytes(edited));
  }
}

TEST_F(Conversations, VerifyReportsABlockThePrinterDidNotKeep) {
  const param::ParameterBlock kept = SampleBlock();
  printer_.Answer(kZzzRead, {{0, Bytes(kept)}});
  const PrinterService service(Target());
  EXPECT_TRUE(service.WriteParameterBlock(kept, CommandSet::Zzz, true).ok());
  param::ParameterBlock other = kept;
  other[40] ^= 0x11;
  EXPECT_EQ(service.WriteParameterBlock(other, CommandSet::Zzz, true).message,
            ServiceMessage::NotKept);
  const ServiceResult closed = PrinterService({"NET,127.0.0.1:1,CTIMEOUT_200", "TQX58", {}})
                                   .WriteParameterBlock(kept, CommandSet::Zzz, true);
  EXPECT_EQ(closed.message, ServiceMessage::OpenPort);
  EXPECT_NE(closed.code, 0);
}

TEST_F(Conversations, ReceiptModelHasNoSerialQueryButTellsTheRest) {
  printer_.Answer("ZZZGETSN\r\n", {{0, QByteArray("\x09TQX512345\x00", 11)}});
  printer_.Answer("ZZZGETJOURNEY\r\n", {{0, QByteArray("\x00\x00\x30\x39", 4)}});
  printer_.Answer("ZZZGETVERSION\r\n", {{0, QByteArray("\x01\x02\x07\x03", 4)}});
  const auto label = PrinterService(Target("TQM")).ReadInformation();
  ASSERT_TRUE(label.ok());
  EXPECT_EQ(label.value.serialState, PrinterInformation::Serial::Read);
  EXPECT_EQ(label.value.serial, "TQX512345");
  EXPECT_EQ(label.value.journey, QByteArray("\x00\x00\x30\x39", 4));
  EXPECT_EQ(label.value.version, QByteArray("\x01\x02\x07\x03", 4));  // four for the TQM

  ScriptedPrinter receiptPrinter;
  receiptPrinter.Answer("ZZZGETJOURNEY\r\n", {{0, QByteArray("\x00\x00\x00\x01", 4)}});
  receiptPrinter.Answer("ZZZGETVERSION\r\n", {{0, QByteArray("\x01\x02\x07", 3)}});
  const auto receipt = PrinterService({receiptPrinter.PortString(), "KP330", {}}).ReadInformation();
  ASSERT_TRUE(receipt.ok());
  EXPECT_EQ(receipt.value.serialState, PrinterInformation::Serial::NotSupported);
  EXPECT_EQ(receipt.value.version.size(), 3);
  EXPECT_EQ(receiptPrinter.Received(), QByteArray("ZZZGETJOURNEY\r\nZZZGETVERSION\r\n"));
}

// The connection test asks before it says the printer is there: the probe
// first, the serial number when the probe brings nothing.
TEST_F(Conversations, ConnectionCheckAsksThePrinter) {
  struct Case {
    const char *name;
    std::vector<std::pair<QByteArray, QByteArray>> answers;
    ConnectionCheck expected;
    QByteArray sent;
  };
  const Case cases[] = {
      {"probe answered with 0", {{kProbe, QByteArray(1, '\0')}}, ConnectionCheck::Answered, kProbe},
      {"serial number only",
       {{"ZZZGETSN\r\n", QByteArray("\x05RV123\x00", 7)}},
       ConnectionCheck::Answered,
       kProbe + "ZZZGETSN\r\n"},
      {"silent", {}, ConnectionCheck::Silent, kProbe + "ZZZGETSN\r\n"},
  };
  for (const Case &c : cases) {
    ScriptedPrinter printer;
    for (const auto &[request, answer] : c.answers) printer.Answer(request, {{0, answer}});
    const auto check =
        PrinterService({printer.PortString() + ",TIMEOUT_200", "TQX58", {}}).CheckConnection();
    ASSERT_TRUE(check.ok()) << c.name;
    EXPECT_EQ(check.value, c.expected) << c.name;
    EXPECT_TRUE(printer.WaitForBytes(c.sent.size()));
    EXPECT_EQ(printer.Received(), c.sent) << c.name;
  }

  // A parallel port cannot answer: it is opened, nothing is asked.
  const QString device = Path("lp");
  QFile(device).open(QIODevice::WriteOnly);
  const auto parallel = PrinterService({device, "TQX58", {}}).CheckConnection();
  ASSERT_TRUE(parallel.ok());
  EXPECT_EQ(parallel.value, ConnectionCheck::CannotAnswer);
  EXPECT_EQ(QFile(device).size(), 0);

  const auto dead = PrinterService({"NET,127.0.0.1:1", "TQX58", {}}).CheckConnection();
  EXPECT_EQ(dead.result.message, ServiceMessage::OpenPort);
  EXPECT_EQ(dead.result.code, -352);
}

class Downloads : public Conversations {
 protected:
  QString File(const QString &name, const QByteArray &bytes) {
    QFile file(QDir(files_.path()).filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  }
  QTemporaryDir files_;
};

TEST_F(Downloads, SuccessNeedsTheFileInThePrintersListing) {
  const QByteArray program("\"HELLO.BAS\"\r\nCLS\r\nEOP\r\n");
  const QString path = File("hello", program);
  struct Case {
    const char *name;
    QByteArray listing;  // the answer to ZZZFILES F; empty: no answer
    ServiceMessage message;
  };
  const Case cases[] = {
      {"listed", "A.BMP,HELLO.BAS\r", ServiceMessage::Ok},
      {"missing", "A.BMP\r", ServiceMessage::NotListed},
      {"a printer that does not list", {}, ServiceMessage::Ok},
  };
  for (const Case &c : cases) {
    ScriptedPrinter printer;
    if (!c.listing.isEmpty()) printer.Answer("ZZZFILES F\r\n", {{0, c.listing}});
    const PrinterService service({printer.PortString() + ",TIMEOUT_100", "TQX58", {}});
    const auto download = service.DownloadFiles({path}, Storage::Flash);
    EXPECT_EQ(download.result.message, c.message) << c.name;
    EXPECT_EQ(download.value.sent, program.size()) << c.name;
    EXPECT_TRUE(printer.Received().startsWith("DOWNLOAD F," + program)) << c.name;
    if (c.message == ServiceMessage::NotListed) {
      EXPECT_EQ(download.result.subject, "HELLO.BAS");
    }
  }
}

TEST_F(Downloads, EveryFileIsReadBeforeAnythingIsSent) {
  const QString good = File("good", "\"G\"\r\nEOP\r\n");
  const QString missing = QDir(files_.path()).filePath("missing");
  for (const QString &bad : {missing, files_.path()}) {
    const auto download = PrinterService(Target()).DownloadFiles({good, bad}, Storage::Dram);
    EXPECT_EQ(download.result.message, ServiceMessage::FileRead);
    EXPECT_EQ(download.result.subject, bad);
    EXPECT_GT(download.result.code, 0);  // the system's error number
  }
  EXPECT_FALSE(printer_.WaitForBytes(1, 200));
}

TEST_F(Downloads, CancellingStopsBetweenPieces) {
  const QString big = File("big", QByteArray(64 * 1024, 'x'));
  std::atomic<bool> cancel{false};
  TaskControl control;
  control.cancelled = [&] { return cancel.load(); };
  control.progress = [&](int64_t sent, int64_t) {
    if (sent >= 4096) cancel = true;
  };
  const auto download = PrinterService(Target(), &control).DownloadFiles({big}, Storage::Flash);
  EXPECT_EQ(download.result.message, ServiceMessage::Cancelled);
  EXPECT_EQ(download.value.sent, 4096);
  // A cancelled task does not even connect.
  EXPECT_EQ(PrinterService(Target(), &control).TestConnection().message, ServiceMessage::Cancelled);
}

TEST_F(Conversations, EscAndTsplLinksWorkSideBySide) {
  ScriptedPrinter escPrinter;
  escPrinter.Answer("E", {{0, "ok"}});
  ServiceResult result;
  auto esc = PrinterLink::Open({escPrinter.PortString(), "KP330", {}, PrinterLibrary::Esc}, result);
  ASSERT_TRUE(esc);
  auto tspl = PrinterLink::Open(Target(), result);
  ASSERT_TRUE(tspl);
  ASSERT_EQ(esc->Write("E"), 0);
  ASSERT_EQ(tspl->Write("T"), 0);
  EXPECT_EQ(esc->Read(2, 50, 2).bytes, QByteArray("ok"));
  esc.reset();
  tspl.reset();
  ASSERT_TRUE(printer_.WaitForBytes(1));
  EXPECT_EQ(printer_.Received(), QByteArray("T"));
  EXPECT_EQ(escPrinter.Received(), QByteArray("E"));
  EXPECT_EQ(PrinterLink::CheckModel("no such model").message, ServiceMessage::CreatePrinter);
}

}  // namespace
