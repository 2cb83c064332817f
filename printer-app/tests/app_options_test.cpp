// The state-directory option is taken out of the command line wherever it
// stands, in both of getopt's forms.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_options.h"

namespace ravo::app {
namespace {

std::vector<std::string> Take(std::vector<std::string> words, std::optional<std::string> &dir) {
  std::vector<char *> args;
  for (std::string &word : words) args.push_back(word.data());
  dir = TakeStateDirectory(args);
  return {args.begin(), args.end()};
}

TEST(AppOptions, StateDirectoryIsTakenOutOfTheCommandLine) {
  std::optional<std::string> dir;
  EXPECT_EQ(Take({"app", "server", "-o", "state-directory=/tmp/a", "-o", "server-port=0"}, dir),
            (std::vector<std::string>{"app", "server", "-o", "server-port=0"}));
  EXPECT_EQ(dir, "/tmp/a");
  EXPECT_EQ(Take({"app", "add", "-ostate-directory=/tmp/b", "-d", "x"}, dir),
            (std::vector<std::string>{"app", "add", "-d", "x"}));
  EXPECT_EQ(dir, "/tmp/b");
  EXPECT_EQ(Take({"app", "-o", "state-directory=/a", "-o", "state-directory=/c"}, dir),
            (std::vector<std::string>{"app"}));
  EXPECT_EQ(dir, "/c");
  EXPECT_EQ(Take({"app", "submit", "-o", "media=oe_4x6-label_4x6in", "-o"}, dir),
            (std::vector<std::string>{"app", "submit", "-o", "media=oe_4x6-label_4x6in", "-o"}));
  EXPECT_FALSE(dir);
}

}  // namespace
}  // namespace ravo::app
