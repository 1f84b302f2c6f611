#pragma once
// A console reporter that keeps each benchmark's mean real and CPU time, so that a program
// can print its ratios against baselines measured in the same run.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace sw::bench {

// Keeps freed memory in the heap. Otherwise glibc maps and unmaps every large buffer, and on
// virtual machines the page faults of each fresh mapping dominate and depend on run order.
inline void KeepFreedMemory() {
#if defined(__GLIBC__)
  mallopt(M_MMAP_THRESHOLD, 512 * 1024 * 1024);
  mallopt(M_TRIM_THRESHOLD, 1024 * 1024 * 1024);
#endif
}

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0) {
        const double iterations = static_cast<double>(run.iterations);
        times_[run.run_name.function_name] = {run.real_accumulated_time / iterations,
                                              run.cpu_accumulated_time / iterations};
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // Prints measured / baseline in real and CPU time; a budget of 0 prints none.
  void printRatio(const char* what, const char* measured, const char* baseline, double budget = 0) const {
    const auto m = times_.find(measured);
    const auto b = times_.find(baseline);
    if (m == times_.end() || b == times_.end() || b->second.real <= 0 || b->second.cpu <= 0) return;
    std::printf("%-52s real %6.2fx  cpu %6.2fx", what, m->second.real / b->second.real,
                m->second.cpu / b->second.cpu);
    if (budget > 0) std::printf("  (budget under %gx)", budget);
    std::printf("\n");
  }

  void printFigure(const char* what, const char* measured) const {
    const auto m = times_.find(measured);
    if (m != times_.end()) std::printf("%-52s real %8.1f ms\n", what, m->second.real * 1000);
  }

 private:
  struct Times {
    double real = 0;
    double cpu = 0;
  };
  std::map<std::string, Times> times_;
};

}  // namespace sw::bench
