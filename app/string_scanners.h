#pragma once
// Scanners over zero-terminated byte strings, as the key files and the thumbnail view parse text.
// A "set" is a zero-terminated string of characters; its terminating zero is never a member.
#include <cstddef>

// Copies source up to (not including) the first character in the set, at most 500 characters and
// never more than fits in capacity bytes with the terminator; the destination is always terminated.
void StrCopyUntil(const char* source, char* destination, size_t capacity, const char* set);
// The first character of text that is in the set, or the terminating zero.
const char* StrSkipToAny(const char* text, const char* set);
// The first character of text that is not in the set.
const char* StrSkipAny(const char* text, const char* set);
// True when b matches the start of a, ASCII letters compared without case, and the first
// characters of a and b are exactly equal.
bool StrSameNoCase(const char* a, const char* b);
int StrLength(const char* text);
