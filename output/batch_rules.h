#pragma once
// The arithmetic and naming rules of a batch run, free of windows so that both trees test them:
// the output size, the solid border's canvas, the output file's name, the destination's checks,
// and the Input list's duplicate removal.
#include <string>
#include <vector>

struct BatchSize {
  int width = 0;
  int height = 0;
};

// "targetsize": 0, 1, 2 the fixed sizes, 3 the custom size; anything else keeps each picture's
// own size (false).
bool BatchTargetSize(int targetsize, int customWidth, int customHeight, BatchSize* size);

// The solid border's canvas around a picture of the given size: the border is added to it, unless
// the border is larger than the picture both ways, when the border is the canvas itself.
BatchSize SolidBorderCanvas(int borderWidth, int borderHeight, BatchSize picture);

// The output file for a source: the destination folder, a separator and the source's file name;
// "format" 1 to 5 gives it the extension of that format, in place of its own or added to a name
// that has none.
std::string BatchOutputPath(const std::string& folder, const std::string& source, int format);

// Why a run cannot start, as the message that tells the user; empty when it can. The outputs are
// checked too: a run that would write over one of its own sources (the destination is the
// sources' folder and the name stays the same) is refused before anything is written.
std::string BatchDestinationProblem(const std::string& folder, const std::vector<std::string>& sources, int format);

extern const char kBatchRootMessage[];
extern const char kBatchNoFolderMessage[];
extern const char kBatchOverwritesSourceMessage[];

// Removes every row that equals an earlier row byte for byte (letter case counts).
void RemoveDuplicateRows(std::vector<std::string>& rows);
