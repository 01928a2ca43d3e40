// The files the shell names: the command line's file opens at the first idle moment, a DDE "open"
// or "print" does its work, and a start that names a file both ways opens it once. Each case is a
// start followed by idle steps and DDE commands, with what each of them did.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "program_state.h"
#include "shell_open.h"

namespace {

const char kReady[] = "(frame ready)";
const char kIdle[] = "(idle)";

struct Step {
  const char* given;  // kReady, kIdle or a DDE command
  const char* does;   // "open <path>", "print <path>", "accepted", "refused", "nothing"
};

struct Case {
  const char* what;
  bool startsWithFile;  // the command line named "C:\pics\a.jpg"
  bool frameReady;
  std::vector<Step> steps;
};

std::string Perform(ProgramState& program, const char* given) {
  ShellFile file;
  if (given == std::string(kReady)) {
    program.frameReady = 1;
    return "nothing";
  }
  if (given == std::string(kIdle))
    return TakeCommandLineFile(program, file) ? "open " + file.folder + file.name : "nothing";
  switch (TakeDdeCommand(program, given, file)) {
    case DdeAction::kAccept: return "accepted";
    case DdeAction::kRefuse: return "refused";
    case DdeAction::kOpen: return "open " + file.folder + file.name;
    case DdeAction::kPrint: return "print " + file.folder + file.name;
  }
  return "?";
}

const Case kCases[] = {
    {"the shell's start names the file both ways: it opens once, a later open opens again",
     true,
     true,
     {{kIdle, "open C:\\pics\\a.jpg"},
      {"open C:\\pics\\a.jpg", "accepted"},
      {kIdle, "nothing"},
      {"open C:\\pics\\a.jpg", "open C:\\pics\\a.jpg"}}},
    {"the start's own open may spell the path in another case",
     true,
     true,
     {{kIdle, "open C:\\pics\\a.jpg"},
      {"open c:\\PICS\\A.JPG", "accepted"},
      {"open c:\\PICS\\A.JPG", "open c:\\PICS\\A.JPG"}}},
    {"the DDE open before the first idle moment opens the file, the idle step nothing",
     true,
     true,
     {{"open C:\\pics\\a.jpg", "open C:\\pics\\a.jpg"},
      {kIdle, "nothing"},
      {"open C:\\pics\\a.jpg", "open C:\\pics\\a.jpg"}}},
    {"a DDE command before the frame is ready is passed over; the idle step opens the file and the next "
     "open is carried out",
     true,
     false,
     {{"open C:\\pics\\a.jpg", "accepted"},
      {kReady, "nothing"},
      {kIdle, "open C:\\pics\\a.jpg"},
      {"open C:\\pics\\a.jpg", "open C:\\pics\\a.jpg"}}},
    {"after a start from the command line alone, another file's open is the user's and opens",
     true,
     true,
     {{kIdle, "open C:\\pics\\a.jpg"},
      {"open C:\\pics\\b.jpg", "open C:\\pics\\b.jpg"},
      {"open C:\\pics\\a.jpg", "open C:\\pics\\a.jpg"}}},
    {"after a start from the command line alone, a print is carried out",
     true,
     true,
     {{kIdle, "open C:\\pics\\a.jpg"}, {"print C:\\pics\\a.jpg", "print C:\\pics\\a.jpg"}}},
    {"without a file on the command line every open is carried out",
     false,
     true,
     {{kIdle, "nothing"},
      {"open C:\\pics\\a.jpg", "open C:\\pics\\a.jpg"},
      {"open C:\\pics\\a.jpg", "open C:\\pics\\a.jpg"}}},
    {"commands of the wrong form are refused, also as the first after the start",
     true,
     true,
     {{kIdle, "open C:\\pics\\a.jpg"},
      {"Open C:\\pics\\a.jpg", "refused"},
      {"open a.jpg", "refused"},
      {"open \\a.jpg", "refused"},
      {"open ", "refused"},
      {"[open(\"C:\\pics\\a.jpg\")]", "refused"}}},
};

TEST(ShellOpen, EachFileTheShellNamesIsOpenedOnce) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    ProgramState program;
    program.frameReady = c.frameReady;
    if (c.startsWithFile) {
      program.commandLinePath = "C:\\pics\\a.jpg";
      program.openFileFlag = 1;
    }
    for (size_t i = 0; i < c.steps.size(); ++i)
      EXPECT_EQ(Perform(program, c.steps[i].given), c.steps[i].does) << "step " << i;
  }
}

}  // namespace
