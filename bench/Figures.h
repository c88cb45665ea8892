#pragma once
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace dorbolt::bench {

// The values one figure was measured as, run after run.
class Samples {
 public:
  void Add(double value) { values_.push_back(value); }
  size_t Count() const { return values_.size(); }
  bool Empty() const { return values_.empty(); }

  double Median() const {
    std::vector<double> v = values_;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
  }
  // The run farthest from what was intended, or the longest when nothing was.
  double Worst(std::optional<double> intended = std::nullopt) const {
    double worst = values_.front();
    for (double v : values_) {
      const bool further = intended ? std::fabs(v - *intended) > std::fabs(worst - *intended) : v > worst;
      if (further) worst = v;
    }
    return worst;
  }

 private:
  std::vector<double> values_;
};

}  // namespace dorbolt::bench
