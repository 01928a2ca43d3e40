#include "shell_open.h"

#include <cstring>

#include "ascii_text.h"
#include "program_state.h"

namespace {

const char kOpen[] = "open ";
const char kPrint[] = "print ";

bool StartsWith(const std::string& text, const char* start) { return text.compare(0, strlen(start), start) == 0; }

// Splits at the last backslash, which must not be the first character; the folder keeps it.
bool SplitAtFolder(const std::string& path, ShellFile& file) {
  const size_t slash = path.find_last_of('\\');
  if (slash == std::string::npos || slash == 0) return false;
  file.folder = path.substr(0, slash + 1);
  file.name = path.substr(slash + 1);
  return true;
}

// The shell's "open" of the file the command line named (Windows names compare without case).
bool RepeatsCommandLineOpen(const ProgramState& program, const std::string& command) {
  return StartsWith(command, kOpen) &&
         platform::AsciiUpper(command.substr(strlen(kOpen))) == platform::AsciiUpper(program.commandLinePath);
}

}  // namespace

bool TakeCommandLineFile(ProgramState& program, ShellFile& file) {
  if (!program.openFileFlag) return false;
  program.openFileFlag = 0;
  program.skipNextDde = program.noDdeYet;
  return SplitAtFolder(program.commandLinePath, file);
}

DdeAction TakeDdeCommand(ProgramState& program, const std::string& command, ShellFile& file) {
  program.noDdeYet = 0;
  // Only the start's own "open" is passed over: any other command after a start from the command
  // line (another file double-clicked, a print) is the user's and is carried out.
  const bool skip = program.skipNextDde && RepeatsCommandLineOpen(program, command);
  program.skipNextDde = 0;
  if (skip || !program.frameReady) return DdeAction::kAccept;
  program.openFileFlag = 0;
  if (command.size() < 6) return DdeAction::kRefuse;
  if (StartsWith(command, kOpen))
    return SplitAtFolder(command.substr(strlen(kOpen)), file) ? DdeAction::kOpen : DdeAction::kRefuse;
  if (StartsWith(command, kPrint)) {
    file = {"", command.substr(strlen(kPrint))};
    return DdeAction::kPrint;
  }
  return DdeAction::kRefuse;
}
