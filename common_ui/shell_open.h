#pragma once
// The files the shell asks the program to open or print: the one named on the command line,
// opened at the first idle moment, and those of the DDE commands "open" and "print". A shell that
// starts the program for a file may name it both ways; it is opened once.
#include <string>

struct ProgramState;

struct ShellFile {
  std::string folder;  // ends in its backslash; empty for a file to print, whose path is all name
  std::string name;
};

// The command-line file, once: true, with its folder and name, when one is still to be opened.
// From then on, unless a DDE command came first, the shell's DDE "open" of that same file is
// taken as the start's own and opens nothing.
bool TakeCommandLineFile(ProgramState& program, ShellFile& file);

enum class DdeAction {
  kAccept,  // nothing to do, answered as done
  kRefuse,
  kOpen,   // open folder + name in an image window
  kPrint,  // print the file (folder + name)
};

// What a DDE command asks for, and of which file.
DdeAction TakeDdeCommand(ProgramState& program, const std::string& command, ShellFile& file);
