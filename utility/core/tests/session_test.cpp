#include <gtest/gtest.h>

#include <array>
#include <numeric>

#include "files_fixture.h"
#include "mdl_function.h"
#include "mdl_global.h"
#include "mdl_printer_lib_esc.h"
#include "mdl_printer_lib_tspl.h"
#include "parameter_exchange.h"
#include "scripted_printer.h"

using namespace mdlPrinterLib_TSPL;
using ravo::testing::Piece;
using ravo::testing::ScriptedPrinter;

namespace {

const QByteArray kZzzRead("ZZZCR\n");
const QByteArray kDc2Read("\x12\x62");

ParameterBlock SampleBlock() {
  ParameterBlock block{};
  for (size_t i = 1; i < 254; ++i) block[i] = static_cast<uint8_t>(i * 7);
  block[0] = kBlockMarker;
  SealParameterBlock(block);
  return block;
}

QByteArray Bytes(const ParameterBlock &block, int from = 0, int count = 256) {
  return QByteArray(reinterpret_cast<const char *>(block.data()) + from, count);
}

class Session : public FilesFixture {
 protected:
  void SetUp() override {
    FilesFixture::SetUp();
    Write(mdlGlobal::LanguageFileName,
          "[LanguageCollect]\nList=1033\n[1033]\n_Err_ReadData=read failed\n"
          "_Err_CheckSum=bad checksum\n");
    mdlGlobal::SelectLanguage("1033");
    ASSERT_EQ(TsplCreatePrinter("TQX58"), 0);
    mdlGlobal::SelectedPort = printer_.PortString();
  }

  ScriptedPrinter printer_;
};

TEST_F(Session, OpenWithoutHandleIsInvalidHandle) {
  ASSERT_EQ(TsplCreatePrinter("no such model"), PRT_ERR_UNKNOWN_MODEL);
  EXPECT_EQ(TsplHandle(), nullptr);
  EXPECT_EQ(TsplOpenPort(printer_.PortString()), PRT_ERR_INVALID_HANDLE);
  EXPECT_EQ(ReadParameterBlock(*std::make_unique<ParameterBlock>()).messageKey,
            QLatin1String("_Err_OpenPort"));
}

TEST_F(Session, ReadRetryNeverReturnsMoreThanAsked) {
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
    ASSERT_EQ(TsplOpenPort(printer_.PortString()), 0);
    ASSERT_EQ(TsplWriteData(reinterpret_cast<const uint8_t *>("Q"), 1), 0);
    std::array<uint8_t, 8> buffer;
    buffer.fill(0xEE);
    int32_t count = -1;
    EXPECT_EQ(TsplReadRetry(buffer.data(), 4, count, 100, 2), 0);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(buffer.data()), 4), c.expected);
    EXPECT_EQ(buffer[4], 0xEE);
    TsplClosePort();
  }
}

TEST_F(Session, BlockSplitAcrossReadsIsCompleted) {
  const ParameterBlock sent = SampleBlock();
  printer_.Answer(
      kZzzRead,
      {{0, Bytes(sent, 0, 100)}, {400, Bytes(sent, 100, 100)}, {400, Bytes(sent, 200, 56)}});
  ParameterBlock block{};
  const BlockResult result = ReadParameterBlock(block);
  EXPECT_TRUE(result.ok) << result.messageKey.toStdString();
  EXPECT_EQ(result.StatusText(), QLatin1String("OK"));
  EXPECT_EQ(block, sent);
  EXPECT_EQ(printer_.Received(), kZzzRead);
}

TEST_F(Session, BadAnswersKeepTheBlockAndNameTheFault) {
  ParameterBlock zero{};
  ParameterBlock badSum = SampleBlock();
  badSum[10] ^= 1;
  ParameterBlock noMarker = SampleBlock();
  noMarker[0] = 0x77;
  struct Case {
    const char *name;
    QByteArray answer;
    const char *key;
    const char *text;
  };
  const Case cases[] = {
      {"all zero", Bytes(zero), "_Err_ReadData", "read failed"},
      {"checksum", Bytes(badSum), "_Err_CheckSum", "bad checksum"},
      {"marker", Bytes(noMarker), "_Err_ReadData", "read failed"},
  };
  for (const Case &c : cases) {
    printer_.Answer(kZzzRead, {{0, c.answer}});
    ParameterBlock block;
    block.fill(0x55);
    const BlockResult result = ReadParameterBlock(block);
    EXPECT_FALSE(result.ok) << c.name;
    EXPECT_EQ(result.messageKey, QLatin1String(c.key)) << c.name;
    EXPECT_EQ(result.StatusText(), QLatin1String(c.text)) << c.name;
    EXPECT_EQ(block[0], 0x55) << c.name;
  }
}

TEST_F(Session, NoAnswerIsAReadError) {
  mdlGlobal::SelectedPort = printer_.PortString() + QStringLiteral(",TIMEOUT_50");
  ParameterBlock block{};
  EXPECT_EQ(ReadParameterBlock(block).messageKey, QLatin1String("_Err_ReadData"));
}

TEST_F(Session, CommandModeSelectsTheRequestForms) {
  const ParameterBlock sent = SampleBlock();
  struct Case {
    int flag;
    QByteArray read, write;
  };
  const Case cases[] = {{1, kZzzRead, QByteArray("ZZZCW ")},
                        {7, kZzzRead, QByteArray("ZZZCW ")},
                        {0, kDc2Read, QByteArray("\x12\x63")}};
  for (const Case &c : cases) {
    mdlGlobal::CommandModeFlag = c.flag;
    ScriptedPrinter printer;
    printer.Answer(c.read, {{0, Bytes(sent)}});
    mdlGlobal::SelectedPort = printer.PortString();
    ParameterBlock block{};
    ASSERT_TRUE(ReadParameterBlock(block).ok) << c.flag;
    block[5] = 0x42;  // an edited field
    ASSERT_TRUE(WriteParameterBlock(block).ok) << c.flag;
    ASSERT_TRUE(printer.WaitForBytes(c.read.size() + c.write.size() + 256));
    ParameterBlock expected = sent;
    expected[5] = 0x42;
    SealParameterBlock(expected);
    EXPECT_EQ(block, expected);
    EXPECT_EQ(printer.Received(), c.read + c.write + Bytes(expected)) << c.flag;
  }
}

TEST_F(Session, SealStoresChecksumLowByteFirst) {
  ParameterBlock block;
  block.fill(0xFF);
  SealParameterBlock(block);
  EXPECT_EQ(block[254], 0x02);
  EXPECT_EQ(block[255], 0xFD);
}

TEST_F(Session, WriteFailsWhenPortCannotOpen) {
  mdlGlobal::SelectedPort = QStringLiteral("BOGUS");
  ParameterBlock block{};
  const BlockResult result = WriteParameterBlock(block);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.messageKey, QLatin1String("_Err_OpenPort"));
  EXPECT_NE(result.code, 0);
}

TEST_F(Session, QueryCommandModeReadsOneByte) {
  printer_.Answer(QByteArray("\x1B\x1B\x08"), {{0, QByteArray("\x01\x02")}});
  ASSERT_EQ(TsplOpenPort(printer_.PortString()), 0);
  EXPECT_EQ(QueryCommandMode(), 1);
  TsplClosePort();
  ScriptedPrinter silent;
  ASSERT_EQ(TsplOpenPort(silent.PortString() + QStringLiteral(",TIMEOUT_50")), 0);
  EXPECT_EQ(QueryCommandMode(), 0);
  TsplClosePort();
  EXPECT_EQ(QueryCommandMode(), 0);  // port closed: write fails
}

TEST_F(Session, EscAndTsplHandlesWorkSideBySide) {
  using namespace mdlPrinterLib_ESC;
  ASSERT_EQ(EscCreatePrinter("KP330"), 0);
  EXPECT_NE(EscHandle(), TsplHandle());
  ScriptedPrinter escPrinter;
  escPrinter.Answer("E", {{0, "ok"}});
  ASSERT_EQ(EscOpenPort(escPrinter.PortString()), 0);
  ASSERT_EQ(TsplOpenPort(printer_.PortString()), 0);
  ASSERT_EQ(EscWriteData(reinterpret_cast<const uint8_t *>("E"), 1), 0);
  ASSERT_EQ(TsplWriteData(reinterpret_cast<const uint8_t *>("T"), 1), 0);
  std::array<uint8_t, 4> answer{};
  int32_t count = 0;
  EXPECT_EQ(EscReadRetry(answer.data(), 2, count, 50, 2), 0);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(answer[0], 'o');
  EXPECT_EQ(EscClosePort(), 0);
  EXPECT_EQ(TsplClosePort(), 0);
  ASSERT_TRUE(printer_.WaitForBytes(1));
  EXPECT_EQ(printer_.Received(), QByteArray("T"));
  EXPECT_EQ(escPrinter.Received(), QByteArray("E"));
  EXPECT_EQ(EscClosePort(), PRT_ERR_PORT_NOT_OPEN);
}

}  // namespace
