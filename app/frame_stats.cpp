#include "app/frame_stats.h"

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/clock.h"

void FrameStats::Tick() {
    const double now = clock_real_seconds();
    if (last_ >= 0.0) frame_ms_.push_back((now - last_) * 1000.0);
    last_ = now;
    ++frames_;
}

double FrameStats::Percentile(double p) const {
    if (frame_ms_.empty()) return 0.0;
    std::vector<double> sorted = frame_ms_;
    std::sort(sorted.begin(), sorted.end());
    const double rank = std::clamp(p, 0.0, 100.0) / 100.0 * static_cast<double>(sorted.size() - 1);
    const std::size_t lo = static_cast<std::size_t>(std::floor(rank));
    const std::size_t hi = std::min(lo + 1, sorted.size() - 1);
    const double frac = rank - static_cast<double>(lo);
    return sorted[lo] + (sorted[hi] - sorted[lo]) * frac;
}

std::string FrameStats::Report() const {
    char text[256];
    std::snprintf(text, sizeof text,
                  "frames: %zu\nframe_ms_median: %.3f\nframe_ms_p95: %.3f\npeak_rss_mb: %.1f\n",
                  frames_, Percentile(50), Percentile(95), PeakRssMegabytes());
    return text;
}

double PeakRssMegabytes() {
    struct rusage usage {};
    if (getrusage(RUSAGE_SELF, &usage) != 0) return 0.0;
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}
