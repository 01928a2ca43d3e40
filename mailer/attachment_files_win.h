#pragma once
// The files behind the attachment list: wildcard entries, the type the system gives a file,
// and pictures reduced for sending.
#include <string>
#include <vector>

#include "mailer_settings.h"

struct AttachmentFile {
  std::string path;  // the file on disk as listed
  std::string name;  // its name in the message
};

// The files an entry names: itself, or every file matching its wildcards.
std::vector<AttachmentFile> ExpandAttachmentEntry(const std::string& entry);

// "Content-Type" of HKEY_CLASSES_ROOT\<extension> when the system knows it, else by extension.
std::string AttachmentContentType(const std::string& name);

// A picture reduced into the settings' box (never enlarged) as a JPEG in a temporary file of
// its own; deleted when the object goes.
class ReducedPicture {
 public:
  ReducedPicture() = default;
  ~ReducedPicture();
  ReducedPicture(const ReducedPicture&) = delete;
  ReducedPicture& operator=(const ReducedPicture&) = delete;

  // False when the file does not load as a picture or the JPEG cannot be written.
  bool Make(const std::string& source, const MailerSettings& settings);
  const std::string& Path() const { return jpeg_; }

 private:
  std::string reserved_;  // the unique name GetTempFileName made
  std::string jpeg_;      // beside it, with the extension the saver needs
};

// "holiday.png" -> "holiday.jpg".
std::string JpegName(const std::string& name);
