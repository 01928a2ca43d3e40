#include "key_index.h"

CKeyIndex g_keyIndex;
