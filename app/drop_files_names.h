#pragma once
// The names of a dropped CF_HDROP block (a DROPFILES header, then NUL-separated paths ending in an
// empty one), as the program's name list: each name at the head, so they come out in the reverse
// of their order in the drop, each cut to 259 characters. A wide list gives each character's low
// byte. The block comes from another program: a list offset outside it, or a last name that runs
// past its end, gives only the names that lie wholly inside.
#include <cstddef>

class CNameNode;

// The chain (none for no names); the caller owns it.
CNameNode* NameListFromDropFiles(const unsigned char* block, size_t size);
