// Jobs against a printer that is away, dies halfway, runs out of labels or
// loses its job to Cancel-Job: nothing is lost, nothing prints twice.
#include <gtest/gtest.h>

#include <thread>

#include "app_on_sim.h"
#include "ipp_client.h"

namespace ravo::app::test {
namespace {

class ReliabilityTest : public AppOnSim {
 protected:
  std::string Png() { return WritePicture("label.png", TestLabel()); }
};

TEST_F(ReliabilityTest, JobSentWhileThePrinterIsOffPrintsOnceWhenItReturns) {
  ASSERT_NO_FATAL_FAILURE(StartPrinter({"--model", "TGV"}, "ravo_tgv"));
  ASSERT_TRUE(sim_->Stop());
  const int job = PrintJob(Uri(), Png(), "image/png");
  ASSERT_GT(job, 0);
  std::this_thread::sleep_for(std::chrono::seconds(1));
  EXPECT_EQ(JobState(Uri(), job), "processing");
  ASSERT_TRUE(sim_->RestartOnSamePort()) << sim_->Error();
  ASSERT_TRUE(WaitForJobState(Uri(), job, "completed", 20));
  ASSERT_TRUE(sim_->WaitForClosedSessions(1));
  EXPECT_EQ(sim_->Labels().size(), 1u);
  EXPECT_EQ(Count(Received(), "PRINT 1,1"), 1u);
}

TEST_F(ReliabilityTest, PrinterThatDiesHalfwayGetsTheWholeJobAgain) {
  // The printer takes 3000 bytes of every connection, then drops it.
  ASSERT_NO_FATAL_FAILURE(StartPrinter({"--model", "TGV", "--close-after", "3000"}, "ravo_tgv"));
  const int job = PrintJob(Uri(), Png(), "image/png");
  ASSERT_GT(job, 0);
  ASSERT_TRUE(sim_->WaitForClosedSessions(1, std::chrono::seconds(10)));
  EXPECT_EQ(JobState(Uri(), job), "processing");
  EXPECT_TRUE(sim_->Labels().empty());
  ASSERT_TRUE(sim_->RestartOnSamePort({"--model", "TGV"})) << sim_->Error();
  ASSERT_TRUE(WaitForJobState(Uri(), job, "completed", 20));
  EXPECT_EQ(sim_->Labels().size(), 1u);
  // The dropped start, then the whole job once more.
  const std::string received = Received();
  EXPECT_EQ(Count(received, "SIZE 101.6mm,152.4mm"), 2u);
  EXPECT_EQ(Count(received, "PRINT 1,1"), 1u);
}

TEST_F(ReliabilityTest, CanceledJobNeverPrints) {
  ASSERT_NO_FATAL_FAILURE(StartPrinter({"--model", "TGV"}, "ravo_tgv"));
  ASSERT_TRUE(sim_->Stop());
  const int canceled = PrintJob(Uri(), Png(), "image/png");
  ASSERT_GT(canceled, 0);
  ASSERT_TRUE(WaitForJobState(Uri(), canceled, "processing", 5));
  ASSERT_TRUE(CancelJob(Uri(), canceled));
  EXPECT_TRUE(WaitForJobState(Uri(), canceled, "canceled", 10));
  ASSERT_TRUE(sim_->RestartOnSamePort()) << sim_->Error();
  // Jobs print in order: once the next job's label is out, the canceled
  // one would have come first.
  const int next =
      PrintJob(Uri(), WriteDocument("next.tspl", "SIZE 20 mm,10 mm\r\nCLS\r\nPRINT 1\r\n"),
               "application/vnd.ravo-tspl");
  ASSERT_GT(next, 0);
  ASSERT_TRUE(WaitForJobState(Uri(), next, "completed", 20));
  EXPECT_EQ(sim_->Labels().size(), 1u);
  EXPECT_EQ(Received().find("BITMAP"), std::string::npos);
}

TEST_F(ReliabilityTest, PrinterOutOfLabelsHoldsTheJobAndReportsWhy) {
  ASSERT_NO_FATAL_FAILURE(StartPrinter({"--model", "TGV"}, "ravo_tgv"));
  SetPrinterStatus(0x04);  // out of paper
  const int job = PrintJob(Uri(), Png(), "image/png");
  ASSERT_GT(job, 0);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  std::string attributes;
  do {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    attributes = PrinterAttributes(Uri(), "printer-state-reasons");
  } while (attributes.find("media-empty") == std::string::npos &&
           std::chrono::steady_clock::now() < deadline);
  EXPECT_NE(attributes.find("media-empty"), std::string::npos) << attributes;
  EXPECT_EQ(JobState(Uri(), job), "processing");
  EXPECT_TRUE(sim_->Labels().empty());

  SetPrinterStatus(0x09);  // head open and out of ribbon: still held
  std::this_thread::sleep_for(std::chrono::milliseconds(2500));
  attributes = PrinterAttributes(Uri(), "printer-state-reasons");
  EXPECT_NE(attributes.find("cover-open"), std::string::npos) << attributes;
  EXPECT_NE(attributes.find("marker-supply-empty"), std::string::npos) << attributes;
  EXPECT_EQ(attributes.find("media-empty"), std::string::npos) << attributes;
  EXPECT_TRUE(sim_->Labels().empty());

  SetPrinterStatus(0x00);
  ASSERT_TRUE(WaitForJobState(Uri(), job, "completed", 15));
  EXPECT_EQ(sim_->Labels().size(), 1u);
  attributes = PrinterAttributes(Uri(), "printer-state-reasons");
  EXPECT_EQ(attributes.find("cover-open"), std::string::npos) << attributes;
}

}  // namespace
}  // namespace ravo::app::test
