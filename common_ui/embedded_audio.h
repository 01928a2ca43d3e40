#pragma once
#include <string>

// The ".wav" file beside an image: the image path with its extension replaced (or ".wav" added
// when the file name has none).
std::string CompanionSoundPath(const std::string& imagePath);

// Writes the sound memo that some cameras store inside a JPEG (FlashPix "Audio Stream" data in
// APP2 segments) to the image's companion ".wav". -1 when that file already exists (it is never
// overwritten), 1 when the image cannot be read, its contents list is implausible or the sound
// cannot be written (no file is left then), else 0 (with or without a sound found).
int ExtractEmbeddedAudio(const std::string& imagePath);
