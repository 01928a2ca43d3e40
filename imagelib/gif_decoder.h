#pragma once
// An open GIF kept between frames while a picture animates: the picture owns it (m_gif) and
// frees it with DeleteImage or NoAnimation.
class CGifDecoder {
 public:
  CGifDecoder() = default;
  CGifDecoder(const CGifDecoder&) = delete;
  CGifDecoder& operator=(const CGifDecoder&) = delete;
};
