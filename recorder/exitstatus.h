#pragma once

// What the recorder's exit status says; the manual page and --help list them.
namespace ExitStatus {

constexpr int done = 0;          // stopped by a signal or at --duration, file complete
constexpr int noBoard = 1;       // the board is not there or cannot be opened
constexpr int usage = 2;         // the command line was not understood
constexpr int cannotWrite = 3;   // the file cannot be created or written
constexpr int brokerSetUp = 4;   // publishing cannot be set up (credentials, TLS)

} // namespace ExitStatus
