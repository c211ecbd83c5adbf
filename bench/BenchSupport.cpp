// Shared helpers of the benchmarks.
#include "BenchSupport.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace sqbench {

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

double Median(std::vector<double> figures) {
    if (figures.empty())
        return 0;
    std::sort(figures.begin(), figures.end());
    const std::size_t n = figures.size();
    return n % 2 ? figures[n / 2] : (figures[n / 2 - 1] + figures[n / 2]) / 2;
}

std::string FormatNumber(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string FormatSeconds(double seconds) {
    if (seconds < 1)
        return FormatNumber(seconds * 1000, seconds < 0.01 ? 2 : 1) + " ms";
    return FormatNumber(seconds, 2) + " s";
}

std::string Verdict(bool met) {
    return met ? "pass" : "MISS";
}

void PrintRow(const Row& row) {
    std::printf("| %s | %s | %s | %s | %s | %s |\n", row.benchmark.c_str(), row.figure.c_str(),
                row.ratio.empty() ? "" : row.ratio.c_str(),
                row.target.empty() ? "" : row.target.c_str(), row.verdict.c_str(),
                row.runs ? std::to_string(row.runs).c_str() : "-");
    std::fflush(stdout);
}

void RunShell(const std::string& command) {
    const int status = std::system(command.c_str());
    if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("command failed: " + command);
}

std::string Capture(const std::string& command) {
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        throw std::runtime_error("cannot run: " + command);
    std::string output;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    const int status = ::pclose(pipe);
    if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("command failed: " + command);
    return output;
}

}  // namespace sqbench
