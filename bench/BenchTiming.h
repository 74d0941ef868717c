#pragma once

// Wall and CPU time of one piece of work, and min / median / max of a set of figures.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace plandeck::bench {

inline double CpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

struct Timing {
    double wall = 0; // ms
    double cpu = 0;  // ms
};

template <class F>
Timing Measure(F f) {
    const double cpu = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    f();
    return {std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count(),
            (CpuSeconds() - cpu) * 1e3};
}

// "min median max"
inline std::string Spread(std::vector<double> v, int width = 0) {
    if (v.empty())
        return "-";
    std::sort(v.begin(), v.end());
    char text[96];
    std::snprintf(text, sizeof text, "%*.2f %*.2f %*.2f", width, v.front(), width, v[v.size() / 2], width, v.back());
    return text;
}

} // namespace plandeck::bench
