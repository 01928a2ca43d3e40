#pragma once
// A path from the command line, made fit for the folder tree and the shell. People start the
// program with paths of every form ("photos", "/tmp/photos/", "..\photos"); the shell takes only
// absolute paths on a drive or a network share, and some others crash it.
#include <string>

// The path made absolute against the current folder (forward slashes become backslashes, "."
// and ".." are resolved); empty when the result is not a plain path on a drive or a network
// share (a device or "\\?\" name, wildcards) or is too long for the shell.
std::string ShellReadyCommandLinePath(const std::string& path);
