#pragma once
#include <string>

// Plays the image's companion ".wav" (extracting a sound memo from the image first when the
// "Audio" setting autoextract allows it), asynchronously, replacing any sound still playing.
void PlayImageSound(const std::string& imagePath);
