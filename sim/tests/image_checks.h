// Checks on printed PNGs for the end-to-end tests: dark dots by region,
// jobs sent through a connection, and bar codes read back with zbar.
#pragma once

#include <QImage>
#include <QRect>
#include <string>
#include <utility>
#include <vector>

#include "sim_process.h"

namespace ravo::sim {

bool Dark(const QImage &img, int x, int y);
int DarkCount(const QImage &img, const QRect &r);
// Light-to-dark changes along one row.
int Edges(const QImage &img, int y, int x0, int x1);
// Leftmost and rightmost dark column within rows y0..y1; {-1, -1} if none.
std::pair<int, int> InkSpan(const QImage &img, int y0, int y1);

// Sends one job as the session-th connection and loads the newest PNG.
QImage PrintOne(const SimProcess &sim, const std::string &job, size_t session = 1);
// Every PNG the daemon has printed, in order.
std::vector<QImage> AllLabels(const SimProcess &sim);

// What zbarimg (Debian's zbar-tools) reads in an image, one entry per
// symbol as "TYPE:data", sorted.
std::vector<std::string> ReadSymbols(const QImage &img);

}  // namespace ravo::sim
