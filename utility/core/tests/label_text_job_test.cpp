// The test label of a typed text and the rules of its size boxes.
#include <gtest/gtest.h>

#include "label_text_job.h"

using namespace ravo::utility;

namespace {

QStringList Lines(const ServiceAnswer<QList<QByteArray>> &job) {
  QStringList lines;
  for (const QByteArray &line : job.value) lines << QString::fromLatin1(line);
  return lines;
}

TEST(LabelTextJob, LinesAreOneFontHeightApart) {
  const auto job = LabelTextJob("30", "30", "one\ntwo\r\nthree");
  ASSERT_TRUE(job.ok());
  const QStringList expected{"CLS",
                             "SIZE 30 mm,30 mm",
                             "TEXT 10,10,\"5\",0,1,1,\"one\"",
                             "TEXT 10,58,\"5\",0,1,1,\"two\"",
                             "TEXT 10,106,\"5\",0,1,1,\"three\"",
                             "PRINT 1"};
  EXPECT_EQ(Lines(job), expected);
}

TEST(LabelTextJob, QuotesAreEscapedAndMarkersStayAsTyped) {
  const auto job = LabelTextJob(" 56 ", "", "say \"{2}\" %1\n");
  ASSERT_TRUE(job.ok());
  const QStringList lines = Lines(job);
  ASSERT_EQ(lines.size(), 5);
  EXPECT_EQ(lines[1], "SIZE 56 mm,10 mm");  // empty box counts as the lowest size
  EXPECT_EQ(lines[2], "TEXT 10,10,\"5\",0,1,1,\"say \\[\"]{2}\\[\"] %1\"");
  EXPECT_EQ(lines[3], "TEXT 10,58,\"5\",0,1,1,\"\"");  // the final line break adds a line
}

TEST(LabelTextJob, RefusesWhatWouldBreakTheCommand) {
  struct Case {
    QString text;
    ServiceMessage message;
    QString subject;
  };
  const Case cases[] = {
      {"  \n ", ServiceMessage::EmptyText, ""},
      {"a\rPRINT 9", ServiceMessage::TextControl, "U+000D"},  // a lone CR starts a command
      {"tab\there", ServiceMessage::TextControl, "U+0009"},
      {QString("nul") + QChar(0) + "x", ServiceMessage::TextControl, "U+0000"},
      {QString("del") + QChar(0x7F), ServiceMessage::TextControl, "U+007F"},
  };
  for (const Case &c : cases) {
    const auto job = LabelTextJob("30", "30", c.text);
    EXPECT_EQ(job.result.message, c.message) << c.text.toStdString();
    EXPECT_EQ(job.result.subject, c.subject) << c.text.toStdString();
    EXPECT_TRUE(job.value.isEmpty());
  }
}

TEST(LabelSizeBoxes, BoxesClampOnLeaving) {
  struct Case {
    const char *text;
    int highest;
    const char *result;
  };
  const Case cases[] = {
      {"90", 56, "56"},
      {"5", 56, "10"},
      {"300", 210, "210"},
      {"", 210, "10"},
      {"56", 56, "56"},
      {"10", 56, "10"},
      {"99999999999999999999", 56, "56"},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(ClampSizeText(c.text, c.highest), QString::fromLatin1(c.result)) << c.text;
  }
}

}  // namespace
