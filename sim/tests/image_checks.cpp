#include "image_checks.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QString>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "host_session.h"

namespace ravo::sim {

bool Dark(const QImage &img, int x, int y) {
  return qGray(img.pixel(x, y)) < 128;
}

int DarkCount(const QImage &img, const QRect &r) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += Dark(img, x, y);
  return n;
}

int Edges(const QImage &img, int y, int x0, int x1) {
  int edges = 0;
  for (int x = x0 + 1; x <= x1; ++x) edges += Dark(img, x, y) && !Dark(img, x - 1, y);
  return edges;
}

std::pair<int, int> InkSpan(const QImage &img, int y0, int y1) {
  int left = -1, right = -1;
  for (int x = 0; x < img.width(); ++x) {
    if (DarkCount(img, QRect(x, y0, 1, y1 - y0 + 1)) == 0) continue;
    if (left < 0) left = x;
    right = x;
  }
  return {left, right};
}

QImage PrintOne(const SimProcess &sim, const std::string &job, size_t session) {
  {
    HostSession host(sim);
    EXPECT_EQ(host.open_result(), 0);
    EXPECT_EQ(host.Write(job), 0);
  }
  EXPECT_TRUE(sim.WaitForClosedSessions(session));
  const auto labels = sim.Labels();
  if (labels.empty()) return {};
  return QImage(QString::fromStdString(labels.back().string()));
}

std::vector<QImage> AllLabels(const SimProcess &sim) {
  std::vector<QImage> images;
  for (const auto &path : sim.Labels()) images.emplace_back(QString::fromStdString(path.string()));
  return images;
}

std::vector<std::string> ReadSymbols(const QImage &img) {
  char name[] = "/tmp/sim-zbar-XXXXXX.png";
  const int fd = ::mkstemps(name, 4);
  if (fd < 0) return {};
  ::close(fd);
  img.save(QString::fromUtf8(name), "PNG");
  const std::string command = std::string("zbarimg --quiet '") + name + "' 2>/dev/null";
  std::vector<std::string> found;
  if (FILE *pipe = ::popen(command.c_str(), "r")) {
    char line[4096];
    while (std::fgets(line, sizeof line, pipe)) {
      std::string s(line);
      while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
      found.push_back(s);
    }
    ::pclose(pipe);
  }
  std::filesystem::remove(name);
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace ravo::sim
