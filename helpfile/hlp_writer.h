#pragma once
// Writes a WinHelp 3.1 file: the topics (uncompressed), their titles, the context names and
// the context numbers through which a program opens a topic, and two fonts.
#include "help_source.h"
#include "hlp_bytes.h"

// Throws std::length_error when the document does not fit the file's simple layout
// (one-page indexes, paragraphs shorter than a topic block), std::invalid_argument when two
// context names share a hash.
HlpBytes WriteHlpFile(const HelpDocument& document);
