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

// Why a run cannot start into the folder, as the message that tells the user; empty when it can.
// A drive's or a share's top folder is refused however it is written. A folder that holds the
// sources is not: each file a run would replace is asked about as it comes, and a picture is
// only ever replaced by a complete new one.
std::string BatchDestinationProblem(const std::string& folder);

extern const char kBatchRootMessage[];
extern const char kBatchNoFolderMessage[];

// Removes every row that equals an earlier row byte for byte (letter case counts).
void RemoveDuplicateRows(std::vector<std::string>& rows);
