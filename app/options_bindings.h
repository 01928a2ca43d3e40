#pragma once
// What each control of the options sheet's pages is bound to: a field of the settings record or
// a save setting of the image library. Pages keep no copies; the table is the whole binding.
#include <cstddef>
#include <string>

enum class OptionKind { kCheck, kRadio, kInt, kText };

struct OptionBinding {
  OptionKind kind;
  int id;             // the control; for a radio group its first button
  int* number;        // check, radio index, or number
  std::string* text;  // text fields
  int minimum;        // kInt: the accepted range; kText: unused
  int maximum;        // kInt: the accepted range; kText: the longest text
};

struct OptionBindings {
  const OptionBinding* rows;
  size_t count;
  const OptionBinding* begin() const { return rows; }
  const OptionBinding* end() const { return rows + count; }
};

extern const OptionBindings kThumbnailsPage, kImagePage, kSlideshowPage, kTransitionsPage, kSystemPage, kCachePage,
    kPreferencesPage, kCaptureOptionsPage, kAudioPage;
