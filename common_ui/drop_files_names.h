#pragma once
// The names of a dropped CF_HDROP block (a DROPFILES header, then NUL-separated paths ending in an
// empty one), as the program's name list: each name at the head, so they come out in the reverse
// of their order in the drop, each cut to 259 characters. A wide list's names go through the
// converter given; without one each character gives its low byte. The block comes from another
// program: a list offset outside it, or a last name that runs past its end, gives only the names
// that lie wholly inside.
#include <cstddef>
#include <string>

class CNameNode;

// The program's narrow form of a wide name.
using WideNameConverter = std::string (*)(const std::u16string& name);

// The chain (none for no names); the caller owns it.
CNameNode* NameListFromDropFiles(const unsigned char* block, size_t size, WideNameConverter narrow = nullptr);
