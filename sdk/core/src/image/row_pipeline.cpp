#include "image/row_pipeline.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace prt {
namespace {

// Batches big enough that handing one over (a lock and a wake-up) costs
// little against its rows, small enough to stay a megabyte or two.
constexpr size_t kSlots = 3;
constexpr size_t kBatchBytes = 512 * 1024;
constexpr size_t kMaxBatchRows = 256;

// A ring of kSlots batches; batch b lives in slot b % kSlots.
class BatchRing {
 public:
  BatchRing(uint32_t rows, size_t rowBytes)
      : rows_(rows),
        rowBytes_(rowBytes),
        batchRows_(
            std::clamp<size_t>(kBatchBytes / std::max<size_t>(rowBytes, 1), 1, kMaxBatchRows)),
        batches_((rows + batchRows_ - 1) / batchRows_) {
    for (auto &slot : slots_) slot.resize(batchRows_ * rowBytes_);
  }

  // Producer side: runs on the helper thread.
  void Produce(const RowProducer &produce) {
    try {
      for (size_t b = 0; b < batches_; ++b) {
        if (!WaitForFreeSlot(b)) return;
        bool ok = FillBatch(b, produce);
        std::lock_guard lock(mutex_);
        if (!ok) {
          failed_ = true;
        } else {
          produced_ = b + 1;
        }
        changed_.notify_all();
        if (!ok) return;
      }
    } catch (...) {
      std::lock_guard lock(mutex_);
      error_ = std::current_exception();
      failed_ = true;
      changed_.notify_all();
    }
  }

  // Consumer side: returns false when the producer failed.
  bool Consume(const RowConsumer &consume) {
    for (size_t b = 0; b < batches_; ++b) {
      if (!WaitForBatch(b)) return false;
      const uint8_t *slot = slots_[b % kSlots].data();
      for (size_t r = 0; r < RowsIn(b); ++r) consume(slot + r * rowBytes_);
      std::lock_guard lock(mutex_);
      consumed_ = b + 1;
      changed_.notify_all();
    }
    return true;
  }

  void Cancel() {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    changed_.notify_all();
  }

  void RethrowProducerError() {
    if (error_) std::rethrow_exception(error_);
  }

 private:
  size_t RowsIn(size_t batch) const {
    return std::min<size_t>(batchRows_, rows_ - batch * batchRows_);
  }

  bool FillBatch(size_t b, const RowProducer &produce) {
    uint8_t *slot = slots_[b % kSlots].data();
    for (size_t r = 0; r < RowsIn(b); ++r) {
      if (!produce(slot + r * rowBytes_)) return false;
    }
    return true;
  }

  bool WaitForFreeSlot(size_t b) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return cancelled_ || b - consumed_ < kSlots; });
    return !cancelled_;
  }

  bool WaitForBatch(size_t b) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return failed_ || produced_ > b; });
    return produced_ > b;
  }

  const uint32_t rows_;
  const size_t rowBytes_;
  const size_t batchRows_;
  const size_t batches_;
  std::vector<uint8_t> slots_[kSlots];
  std::mutex mutex_;
  std::condition_variable changed_;
  size_t produced_ = 0;
  size_t consumed_ = 0;
  bool failed_ = false;
  bool cancelled_ = false;
  std::exception_ptr error_;
};

}  // namespace

bool PipeRowsInline(uint32_t rows, size_t rowBytes, const RowProducer &produce,
                    const RowConsumer &consume) {
  std::vector<uint8_t> row(rowBytes);
  for (uint32_t y = 0; y < rows; ++y) {
    if (!produce(row.data())) return false;
    consume(row.data());
  }
  return true;
}

bool PipeRowsThreaded(uint32_t rows, size_t rowBytes, const RowProducer &produce,
                      const RowConsumer &consume) {
  BatchRing ring(rows, rowBytes);
  std::thread producer;
  try {
    producer = std::thread([&] { ring.Produce(produce); });
  } catch (const std::system_error &) {
    return PipeRowsInline(rows, rowBytes, produce, consume);
  }
  bool ok = false;
  try {
    ok = ring.Consume(consume);
  } catch (...) {
    ring.Cancel();
    producer.join();
    throw;
  }
  producer.join();
  ring.RethrowProducerError();
  return ok;
}

}  // namespace prt
