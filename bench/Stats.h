// Summaries of the samples and the machine-readable lines printed for them.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace bench {

struct Summary {
    double median = 0, min = 0, max = 0, p99 = 0;
    std::size_t n = 0;
};

Summary Summarise(std::vector<double> samples);

// samples[figure][locker] -> values, in the order lockers were given.
class Results {
public:
    void Add(const std::string& figure, const std::string& locker, double value);
    // One line per figure and locker, then one ratio line per figure
    // against each peer, dividing the subject's median by the peer's.
    void Print(const std::string& subject, const std::vector<std::string>& lockers) const;

private:
    std::vector<std::string> order_;
    std::map<std::string, std::map<std::string, std::vector<double>>> samples_;
};

}  // namespace bench
