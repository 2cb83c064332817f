// The emulated printers' scripted answers.
#include <gtest/gtest.h>

#include "printer_script.h"

using ravo::usbtest::PrinterScript;

namespace {

TEST(PrinterScript, AnswersTriggersInOrderEvenWhenSplit) {
  PrinterScript script;
  script.Answer("\x1B\x1B\x08", "\x01");
  script.Answer("ZZZGETSN\r\n", "SN");
  EXPECT_EQ(script.Feed("junk ZZZGE"), "");
  EXPECT_EQ(script.Feed("TSN\r"), "");
  EXPECT_EQ(script.Feed("\n\x1B"), "SN");
  EXPECT_EQ(script.Feed("\x1B\x08ZZZGETSN\r\n\x1B\x1B\x08"), "\x01SN\x01");
  EXPECT_EQ(script.Feed("ZZZGETSN\r"), "");
}

TEST(PrinterScript, CapturedBytesBecomeAReplyAndAreNotMatched) {
  PrinterScript script;
  auto block = script.Answer("READ\n", "old");
  script.Answer("PING", "pong");
  script.Capture("WRITE ", 10, block);
  EXPECT_EQ(script.Feed("READ\nWRITE PING"), "old");  // PING is captured data
  EXPECT_EQ(script.Feed("READ\n"), "");
  // The capture ends after "!"; then PING and READ are commands again, and
  // READ answers with what was captured.
  EXPECT_EQ(script.Feed("!PING READ\n"), "pongPINGREAD\n!");
  EXPECT_EQ(script.ReplyOf(block), "PINGREAD\n!");
}

}  // namespace
