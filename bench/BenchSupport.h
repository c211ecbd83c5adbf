// Shared helpers of the benchmarks: timing, medians, scratch directories and the result table.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/ScratchDir.h"

namespace sqbench {

using Clock = std::chrono::steady_clock;

/// Seconds between two instants.
double Seconds(Clock::time_point from, Clock::time_point to);
/// The median of the figures (the mean of the middle two for an even count).
double Median(std::vector<double> figures);

using sqtest::ReadBytes;
using sqtest::ScratchDir;
using sqtest::WriteBytes;

/// "0.123 s", "12.3 ms": a duration for the table.
std::string FormatSeconds(double seconds);
/// A number with the given count of decimals.
std::string FormatNumber(double value, int decimals);

/// One line of the result table.
struct Row {
    std::string benchmark;
    std::string figure;
    std::string ratio;   ///< "" when the row has none
    std::string target;  ///< "" when the row has none
    std::string verdict;
    int runs = 0;  ///< 0 when nothing was measured
};

/// "pass" or "MISS", or "" when there is no target.
std::string Verdict(bool met);
/// Prints the row as a line of a Markdown table and flushes it.
void PrintRow(const Row& row);

/// Runs a shell command line; throws when it cannot be run or exits non-zero.
void RunShell(const std::string& command);

/// Runs a command line and returns its standard output; throws when it exits non-zero.
std::string Capture(const std::string& command);

}  // namespace sqbench
