// Starting other programs: always from an argument vector, never through a shell, so that a text
// from a device is exactly one argument whatever it holds.
#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

// The program a name stands for: a name with a slash as it stands, else the first executable file
// of that name in the PATH value's folders (an empty entry meaning the current folder); empty when
// there is none.
std::string FindProgramInPath(std::string_view strName, std::string_view strPath);

// FindProgramInPath with the process's PATH (or the system's default folders when it is unset).
std::string FindProgram(std::string_view strName);

// Starts args[0] (found with FindProgram) with args as its argument vector, in a session of its
// own, standard streams on /dev/null, no descriptor of ours inherited. Not waited for: a thread of
// ours reaps it when it ends, so it never lingers as a zombie. Its process id, or -1 when it could
// not be started.
pid_t StartHiddenCommand(const std::vector<std::string>& args);

// Opens a URL or a path with the desktop's default handler ("xdg-open target"), detached like a
// hidden command. An empty target or one that starts with '-' (it would read as an option) is
// refused. The process id of xdg-open, or -1.
pid_t OpenWithDefaultHandler(std::string_view strTarget);
