#pragma once
// Where the full-screen window puts a picture along one axis of the screen, and how far the user
// may drag it: a picture larger than the screen never uncovers background at either edge, and a
// smaller one never leaves the screen, not even in part.

// The offset of the picture's first pixel that centres it; negative when it is larger.
int CentredOffset(int screen, int picture);

// The offset after the pointer moved by `movement` pixels, kept within the limits above.
int DraggedOffset(int offset, int movement, int screen, int picture);
