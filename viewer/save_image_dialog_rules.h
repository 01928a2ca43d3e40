#pragma once
// What the save dialog of a picture offers: the file types it lists and the name it proposes.
#include <string>

// The list of types as the dialog shows it, each description and pattern separated by "|".
extern const char kSaveImageFilter[];
// The type added to a name typed without one.
extern const char kSaveImageDefaultExtension[];

// The list in the form the system's dialog takes: every "|" a NUL, the last two ending it.
std::string DialogFilter(const char* filter);

// The name without what follows its last dot, so that the dialog's chosen type supplies it.
std::string NameWithoutExtension(const std::string& name);

// The file name of a path: what follows its last backslash.
std::string FileNameOfPath(const std::string& path);

// What the user is told when the picture could not be written.
extern const char kSaveErrorMessage[];
