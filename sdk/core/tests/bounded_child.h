// Runs a piece of a test in a forked child under an address-space limit
// and an alarm, so that a call that would take gigabytes fails instead of
// swapping the machine, and one that would block is killed instead of
// hanging the suite.  The child's 32-bit result comes back through a pipe.
#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

namespace prt::testing {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
#else
inline constexpr bool kAddressSanitizer = false;
#endif

// Bytes of address space the process holds now.
inline uint64_t AddressSpaceInUse() {
  unsigned long pages = 0;
  if (std::FILE *statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%lu", &pages) != 1) pages = 0;
    std::fclose(statm);
  }
  return static_cast<uint64_t>(pages) * static_cast<uint64_t>(::sysconf(_SC_PAGESIZE));
}

struct ChildBounds {
  uint64_t extraAddressSpace = 0;  // on top of what the test holds; 0 = no limit
  unsigned seconds = 10;
};

// The child's result, or nullopt with a failure recorded when it died
// (killed by the alarm, or crashed).
inline std::optional<int32_t> RunBounded(const ChildBounds &bounds,
                                         const std::function<int32_t()> &body) {
  int channel[2];
  if (::pipe(channel) != 0) {
    ADD_FAILURE() << "pipe failed";
    return std::nullopt;
  }
  const uint64_t limit =
      bounds.extraAddressSpace == 0 ? 0 : AddressSpaceInUse() + bounds.extraAddressSpace;
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    if (limit != 0) {
      rlimit space{limit, limit};
      ::setrlimit(RLIMIT_AS, &space);
    }
    ::alarm(bounds.seconds);
    const int32_t result = body();
    (void)!::write(channel[1], &result, sizeof result);
    ::_exit(0);
  }
  ::close(channel[1]);
  int32_t result = 0;
  const bool got = ::read(channel[0], &result, sizeof result) == sizeof result;
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (got) return result;
  if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM) {
    ADD_FAILURE() << "did not return within " << bounds.seconds << " s";
  } else {
    ADD_FAILURE() << "the child ended without a result (status " << status << ")";
  }
  return std::nullopt;
}

}  // namespace prt::testing
