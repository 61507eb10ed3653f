// Bit rates that have no B<rate> constant (14400, 56000, 128000, 256000) are
// set through the kernel's termios2 interface. Kept in its own file because
// its kernel header cannot share a translation unit with <termios.h>.
#pragma once

namespace zo::serial {

// Sets input and output bit rate of terminal `fd` to `rate`; returns 0 or the
// system's error number.
int SetArbitraryBitRate(int fd, int rate);

// The output bit rate the terminal reports, -1 when it cannot be read.
int ReadBitRate(int fd);

}  // namespace zo::serial
