#pragma once
// The texts of the folder Properties and Confirm delete dialogs.
#include <cstdint>
#include <string>

// "1,234,567 Bytes   1.1 MB  ": the exact count with thousands separators while it is below
// 128 MB, then the size in megabytes with one decimal.
std::string FormatByteCount(uint64_t bytes);
