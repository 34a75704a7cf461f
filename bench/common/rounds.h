#pragma once

// Rounds of a baseline path and the path under test run back to back, so both
// see the same machine load; figures are medians over the rounds.

#include <algorithm>
#include <vector>

namespace tessel::bench {

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Each path's figure per round, and the ratio of the tested path's figure to
// the baseline's.
struct Rounds {
    std::vector<double> raw;
    std::vector<double> exchange;
    std::vector<double> ratios;
};

template <class RawPath, class ExchangePath>
Rounds alternatingRounds(int count, RawPath raw, ExchangePath exchange) {
    Rounds r;
    for (int round = 0; round < count; ++round) {
        // Which path goes first alternates, so neither always runs warm.
        if (round % 2 == 0) {
            r.raw.push_back(raw());
            r.exchange.push_back(exchange());
        } else {
            r.exchange.push_back(exchange());
            r.raw.push_back(raw());
        }
        r.ratios.push_back(r.exchange.back() / r.raw.back());
    }
    return r;
}

}  // namespace tessel::bench
