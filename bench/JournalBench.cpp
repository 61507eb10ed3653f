// Appending one confirmed change to a controller's journal, synced to the
// disk, in the system's temporary folder: the median and the slowest of 200
// appends against the 1 ms limit.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "TempFolder.h"
#include "journal/ChangeJournal.h"
#include "journal/JournalFolder.h"

int main() {
  using Clock = std::chrono::steady_clock;
  zo::test::TempFolder temp;
  zo::journal::JournalFolder folder(temp.Path() / "journal");
  zo::journal::ChangeJournal journal(folder);
  journal.Open({150, 255, "230517", "261207"}, {1, 179, "1.79", std::string(368, '0')});
  std::vector<double> ms;
  for (int i = 0; i < 200; ++i) {
    const zo::journal::Change change{1'765'000'000 + i,
                                     57,
                                     75,
                                     static_cast<std::uint8_t>(i),
                                     zo::link::ChangeCause::GridEdit,
                                     "TPS threshold",
                                     "1.50 [V]",
                                     "1.52 [V]"};
    const auto start = Clock::now();
    if (journal.Record(change) != zo::journal::JournalWrite::Written) {
      std::printf("journal append failed: %s\n", folder.LastError().c_str());
      return 1;
    }
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  const double median = ms[ms.size() / 2];
  std::printf("journal append with sync: median %.3f ms (%.2f x the 1 ms limit), slowest %.3f ms\n",
              median, median / 1.0, ms.back());
  return 0;
}
