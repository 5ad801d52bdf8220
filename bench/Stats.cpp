// Medians, extremes and the 99th percentile, printed as key=value lines.
#include "Stats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace bench {
namespace {

// Figures named *_kb are sizes and *_minstr counts; everything else is time.
std::string UnitOf(const std::string& figure) {
    if (figure.size() > 3 && figure.compare(figure.size() - 3, 3, "_kb") == 0) return "kb";
    if (figure.compare(0, 12, "instructions") == 0) return "minstr";
    return "ms";
}

}  // namespace

Summary Summarise(std::vector<double> samples) {
    Summary s;
    s.n = samples.size();
    if (samples.empty()) return s;
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    s.median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    s.min = samples.front();
    s.max = samples.back();
    // Nearest rank.
    const std::size_t rank = static_cast<std::size_t>(std::ceil(0.99 * static_cast<double>(n)));
    s.p99 = samples[std::max<std::size_t>(rank, 1) - 1];
    return s;
}

void Results::Add(const std::string& figure, const std::string& locker, double value) {
    if (std::find(order_.begin(), order_.end(), figure) == order_.end()) order_.push_back(figure);
    samples_[figure][locker].push_back(value);
}

void Results::Print(const std::string& subject, const std::vector<std::string>& lockers) const {
    for (const std::string& figure : order_) {
        const auto& by_locker = samples_.at(figure);
        const std::string unit = UnitOf(figure);
        for (const std::string& locker : lockers) {
            auto it = by_locker.find(locker);
            if (it == by_locker.end()) continue;
            const Summary s = Summarise(it->second);
            std::printf("figure=%s locker=%s median_%s=%.3f min_%s=%.3f max_%s=%.3f", figure.c_str(),
                        locker.c_str(), unit.c_str(), s.median, unit.c_str(), s.min, unit.c_str(), s.max);
            if (figure.compare(0, 9, "keystroke") == 0) std::printf(" p99_%s=%.3f", unit.c_str(), s.p99);
            std::printf(" n=%zu\n", s.n);
        }
    }
    for (const std::string& figure : order_) {
        const auto& by_locker = samples_.at(figure);
        auto mine = by_locker.find(subject);
        if (mine == by_locker.end()) continue;
        const double median = Summarise(mine->second).median;
        for (const std::string& peer : lockers) {
            auto theirs = by_locker.find(peer);
            if (peer == subject || theirs == by_locker.end()) continue;
            const double peer_median = Summarise(theirs->second).median;
            if (peer_median <= 0) continue;
            std::printf("ratio figure=%s locker=%s peer=%s median_ratio=%.3f\n", figure.c_str(),
                        subject.c_str(), peer.c_str(), median / peer_median);
        }
    }
    // The subject's time and work to be ready are held against the peers'
    // time and work to lock, as the targets are.
    const char* const cross[][2] = {{"t_ready", "t_locked"}, {"instructions_to_ready", "instructions_to_locked"}};
    for (const auto& pair : cross) {
        auto ready = samples_.find(pair[0]);
        auto locked = samples_.find(pair[1]);
        if (ready == samples_.end() || locked == samples_.end()) continue;
        auto mine = ready->second.find(subject);
        if (mine == ready->second.end()) continue;
        const double median = Summarise(mine->second).median;
        for (const std::string& peer : lockers) {
            auto theirs = locked->second.find(peer);
            if (peer == subject || theirs == locked->second.end()) continue;
            std::printf("ratio figure=%s_vs_%s locker=%s peer=%s median_ratio=%.3f\n", pair[0], pair[1],
                        subject.c_str(), peer.c_str(), median / Summarise(theirs->second).median);
        }
    }
}

}  // namespace bench
