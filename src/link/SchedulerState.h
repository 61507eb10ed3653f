// What the transmit timer does next: its mode and page, where a parameter read
// stands, and the requests other parts of the program leave for it.
#pragma once

#include "LinkTypes.h"

namespace zo::link {

struct SchedulerState {
  PollingMode pollingMode = PollingMode::Read;
  Page activePage = Page::Parameters;
  bool readInProgress = false;
  bool counterPageDue = false;    // the read's closing counter page is not in yet
  bool writesBeforeRead = false;  // the pending read starts once nothing is left to write
  int rotatingIndex = 0;
  bool switchRequest = false;
  bool reconnectRequest = false;
  bool factoryResetRequest = false;
  bool plausibilityRequest = false;
  bool identifiedOnce = false;
  int txIntervalMs = 100;  // last interval given to the transmit timer

  // Reads the whole image again from index 0 once every byte that differs
  // (such as an erase or the factory-parameters order) has been written.
  void RereadAfterPendingWrites() {
    readInProgress = true;
    writesBeforeRead = true;
    rotatingIndex = 0;
  }
};

}  // namespace zo::link
