#pragma once
// The caption lines under a thumbnail: their font, and fitting a text into the thumbnail's width.
#include <windows.h>

#include <string>

// The captions' font: Arial, 14 pixels high, of medium weight. The caller deletes it.
HFONT CreateCaptionFont();

// Draws one caption line with its top-left at x, y and at most width pixels wide, in the font
// selected into dc. A text too long for the width ends in an ellipsis instead of being cut off,
// so that a clipped number is never read as a smaller one. Returns the text as drawn.
std::string DrawCaptionLine(HDC dc, const std::string& text, int x, int y, int width, int height);
