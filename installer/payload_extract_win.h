#pragma once
// Writes one payload file below the target folder.
#include <cstdint>
#include <string>
#include <vector>

#include "payload_format.h"

// Inflates the entry from the installer's bytes into target\name (its sub-folder made when
// missing), through a temporary file renamed over any old one, so a failed write leaves the old
// file as it was. False after telling the user why.
bool ExtractPayloadEntry(const std::vector<uint8_t>& installer, const std::string& target, const PayloadEntry& entry);
