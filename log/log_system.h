// The process-wide diagnostic log of the device discovery: off unless a tool switches it on,
// then one line per call, appended to a file and echoed to a stream.
#pragma once

#include <cstdio>

class CLogSystem {
public:
    // Switches the log off and forgets its path.
    static void Reset();

    // Switches the log on with the file to append to and the stream that echoes every line
    // (standard output unless told otherwise). Call it before any thread logs.
    static void Enable(const char* szPath, std::FILE* pEcho = stdout);

    // One line: the message, then "*[day::hh:mm:ss]" and CR LF. 1 when a line was produced.
    static int Write(const char* format, ...) __attribute__((format(printf, 1, 2)));

    // One line: "[--hh:mm:ss[.micro]--]*", then the message and CR LF. 1 when produced.
    static int WriteStamped(const char* format, ...) __attribute__((format(printf, 1, 2)));

    // Appends the closing line of a run, without a stamp, when the log is on.
    static void WriteExitMarker();
};
