#pragma once
// Frame-time figures for --stats.

#include <string>
#include <vector>

class FrameStats {
public:
    /// Call once per presented frame.
    void Tick();
    /// "frames:", "frame_ms_median:", "frame_ms_p95:" and "peak_rss_mb:" lines.
    std::string Report() const;
    /// The p-th percentile (0..100) of the frame times in milliseconds.
    double Percentile(double p) const;
    std::size_t frames() const { return frames_; }

private:
    std::vector<double> frame_ms_;
    double last_ = -1.0;
    std::size_t frames_ = 0;
};

/// Peak resident memory of the process in megabytes.
double PeakRssMegabytes();
