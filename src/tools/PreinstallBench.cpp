// Prints how long the install procedure's work before the install call takes: the package
// choice, the same-product enumeration, the three package property reads, the family search
// and the version and folder queries. It runs the product's own Proceed on the x64 installer
// with a service that times every Windows Installer call and stops at the install call; the
// upgrade question, when one comes, is answered Yes at once.
//   preinstall_bench [ROUNDS]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "installer/ProductInstallerBase.h"
#include "platform/Com.h"
#include "platform/MessageBox.h"
#include "tools/TimingService.h"

namespace {
double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct PerName {
  std::vector<double> callTimes;  // microseconds, every call of every round
  std::vector<double> roundTimes;  // microseconds, the sum of one round's calls
  std::size_t calls = 0;
};
}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  platform::InitializeOle();
  {
    const platform::ScopedMessageBoxOverride yes(
        [](const platform::MessageBoxCall&) { return platform::kIdYes; });
    CProductInstallerX64 installer;  // extracts the package once, as start-up does
    std::map<std::string, PerName> names;
    std::vector<double> totals;
    for (int round = 0; round < rounds; ++round) {
      TimingService timing;
      const msi::ScopedServiceOverride timed(timing);
      const auto start = TimingService::Clock::now();
      installer.Proceed();
      totals.push_back(
          std::chrono::duration<double, std::micro>(timing.InstallCalledAt() - start).count());
      for (const auto& [name, times] : timing.Calls()) {
        PerName& entry = names[name];
        entry.callTimes.insert(entry.callTimes.end(), times.begin(), times.end());
        double sum = 0;
        for (double t : times) sum += t;
        entry.roundTimes.push_back(sum);
        entry.calls = times.size();
      }
    }
    std::printf("%-44s %6s %14s %14s\n", "call", "calls", "median/call", "median/run");
    for (const auto& [name, entry] : names) {
      std::printf("%-44s %6zu %11.0f us %11.2f ms\n", name.c_str(), entry.calls,
                  Median(entry.callTimes), Median(entry.roundTimes) / 1000);
    }
    std::printf("total before the install call: median %.1f ms, min %.1f, max %.1f (%d runs)\n",
                Median(totals) / 1000, *std::min_element(totals.begin(), totals.end()) / 1000,
                *std::max_element(totals.begin(), totals.end()) / 1000, rounds);
    std::printf("property string: %s\n", installer.PropertyString().c_str());
  }
  platform::UninitializeOle();
  return 0;
}
