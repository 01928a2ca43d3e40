#pragma once
// Composing GIF frames on a picture's pixels, which serve as the animation's canvas.
#include "Cimage.h"
#include "gif_decoder.h"

namespace ravelight {

// Sets every pixel to the picture's background colour (m_bgR, m_bgG, m_bgB).
void FillGifCanvas(Cimage& picture);

// Draws a frame. A frame that is to be undone afterwards (disposal 3) first has the canvas as it
// is now kept in m_frameBuf.
void ShowGifFrame(Cimage& picture, const CGifDecoder& gif, const CGifFrame& frame);

// Undoes the frame on the canvas as its disposal method says, before the next one is shown:
// 2 fills its rectangle with the background colour, 3 brings back the canvas kept before it
// was drawn, and any other method leaves the canvas as it is.
void DisposeGifFrame(Cimage& picture, const CGifFrame& frame);

}  // namespace ravelight
