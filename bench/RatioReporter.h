#pragma once
// A reporter that shows every run as the chosen output format does, and adds to each run of
// a benchmark named ".../<fast>" the counter "<slow>_over_<fast>": the CPU time of the run
// named ".../<slow>" of the same case, measured earlier in this same run of the program,
// divided by its own. Register the slow benchmark of each case first.

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace quenlow::bench {

class RatioReporter final : public benchmark::BenchmarkReporter {
 public:
  RatioReporter(const std::string& fast, const std::string& slow)
      : fast_(std::string(1, '/').append(fast)),
        slow_(std::string(1, '/').append(slow)),
        counter_(std::string(slow).append("_over_").append(fast)),
        inner_(benchmark::CreateDefaultDisplayReporter()) {}

  bool ReportContext(const Context& context) override {
    inner_->SetOutputStream(&GetOutputStream());
    inner_->SetErrorStream(&GetErrorStream());
    return inner_->ReportContext(context);
  }

  void ReportRuns(const std::vector<Run>& runs) override {
    std::vector<Run> shown = runs;
    for (Run& run : shown) {
      if (run.error_occurred || run.aggregate_unit != benchmark::kTime) continue;
      std::string name = run.benchmark_name();
      // CPU time: on a shared machine it is far steadier than the wall clock.
      const double time = run.GetAdjustedCPUTime();
      if (const auto at = name.find(slow_); at != std::string::npos) {
        slowTimes_[name.replace(at, slow_.size(), fast_)] = time;
      } else if (name.find(fast_) != std::string::npos && time > 0) {
        if (const auto slow = slowTimes_.find(name); slow != slowTimes_.end())
          run.counters[counter_] = benchmark::Counter(slow->second / time);
      }
    }
    inner_->ReportRuns(shown);
  }

  void Finalize() override { inner_->Finalize(); }

 private:
  std::string fast_, slow_, counter_;
  std::unique_ptr<benchmark::BenchmarkReporter> inner_;
  std::map<std::string, double> slowTimes_;  // by the name of the fast run they belong to
};

}  // namespace quenlow::bench
