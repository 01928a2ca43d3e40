#include "image_sound.h"

#include <windows.h>
#include <mmsystem.h>

#include "app_settings.h"
#include "embedded_audio.h"
#include "file_tests.h"

void PlayImageSound(const std::string& imagePath) {
  const std::string sound = CompanionSoundPath(imagePath);
  if (!IsPlainFile(sound)) {
    if (!g_settings.audio.autoextract) return;
    ExtractEmbeddedAudio(imagePath);
    if (!IsPlainFile(sound)) return;
  }
  ::PlaySoundA(sound.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}
