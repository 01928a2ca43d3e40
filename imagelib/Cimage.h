#pragma once
// Ravelight's one class: a picture in memory. Other programs embed it by value and read its fields
// directly, so the order and widths of the fields below are part of the library's interface.
// Nothing here throws; failures are flags in the object.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "geometry.h"
#include "ravelight_api.h"
#include "win_types.h"

class CGifDecoder;
struct CimageTestAccess;
#if defined(_WIN32)
class CDC;
#endif

// Same layout as the codec library's Huffman table, for the exported tables nobody reads.
struct RavelightHuffmanTable {
  uint8_t bits[17];
  uint8_t huffval[256];
  int sent_table;
};

class RAVELIGHT_API Cimage {
 public:
  Cimage();
  explicit Cimage(const Cimage* other);
  Cimage(const Cimage& other);
  ~Cimage();
  Cimage& operator=(const Cimage& other);

  void DeleteImage();
  void NoAnimation();
  // Frees the copy that showing the picture on a palette or 15/16-bit display made (the next
  // display makes it again), so that a program showing many pictures keeps copies of those on
  // screen only.
  void FreeDisplayCopy();

  // Files by extension. The outcome is in the flags: m_valid, m_loadError, m_saveError.
  void LoadImageA(const char* path, int width, int height, int mode);
  void SaveImage(const char* path);
  void SaveImage(const char* path, int quality, int bmpColormap, int bmpDither, int pngColormap,
                 int pngDither, int gifDither, int jpegUseOrig);
  // A packed device-independent bitmap (header, colour table, rows) of size bytes.
  void FromPackedDIB(const void* dib, size_t size);
#if defined(_WIN32)
  // The same from movable global memory, as the clipboard hands it over; the caller frees it.
  void FromDIB(HGLOBAL dib);
#endif
  void NextFrame();

  // The one open thumbnail-cache file of the process.
  static int OpenTNC(const char* path, const char* mode);
  static void CloseTNC();
  static int SeekTNC(long offset, int origin);
  static long TellTNC();
  static unsigned ReadTNC(void* buffer, unsigned size, unsigned count);
  static unsigned WriteTNC(const void* buffer, unsigned size, unsigned count);
  void LoadTNC(int size);
  void SaveTNC(int quality);

  // Camera information as labelled lines chosen by a bit mask, at most size bytes with the terminator.
  void EXIF_ImageInfoText(char* text, unsigned int lines, int size);

  // Colour and tone; Brightness, Contrast and Saturation work on the YCbCr layout.
  void RGBtoYCC();
  void YCCtoRGB();
  void Brightness(int amount);
  void Contrast(int amount, int kind);
  void Saturation(int amount, int kind);
  void ApplyGain(int gain);
  void Effect(int kind, int style, void* params);
  void FixRedEye(CPoint centre, int radius);
  void Filter3x3(int kernel[9]);
  unsigned FindCommonColor();
  unsigned GetRGB(int x, int y);

  // Canvas.
  void Blank(int width, int height, unsigned colour);
  void BitBlt(int x, int y, Cimage* source);
  void Crop(CRect r);
  void CopyArea(Cimage* source, CRect r, int background);
  void PadToFill(unsigned colour, int width, int height);
  void FrameFill(int width, int height, int fill);
  // LoadImageA at full size followed by FrameFill, except that a JPEG at least twice its fit (or
  // cover) of the frame decodes at 1/2, 1/4 or 1/8 of its size, the largest reduction that keeps
  // it at least that fit; it ends at the same size as the whole picture would.
  void LoadFrameFilled(const char* path, int width, int height, int fill);
  // LoadImageA at full size, except that a JPEG decodes at the largest of those reductions that
  // still covers width × height: for a caller that makes its own single resampling.
  void LoadCovering(const char* path, int width, int height);
  void BorderMerge(Cimage* border, int mode);
  void OverlayMerge(Cimage* overlay, int hpos, int vpos, unsigned key);
  void TextOverlayMerge(Cimage* caption, int hpos, int vpos);

  // Turns and mirrors; S_RotateImageFile turns a file on disk (operation 1 clockwise,
  // 2 counter-clockwise, 3 half turn, 4 flip top-bottom, 5 flip left-right), losslessly for JPEG.
  void Flip_Horizontal();
  void Flip_Vertical();
  void Rotate_Clockwise();
  void Rotate_CounterClockwise();
  void Rotate_180();
  void Rotate_Arbitrary(double angle);
  static int S_RotateImageFile(const char* path, int operation);

#if defined(_WIN32)
  // Screen, printer and screen capture.
  void DisplayImage(CDC* dc, int x, int y);
  void DisplayImage(HDC dc, int x, int y);
  void PrintImage(CDC* dc, int x, int y, int width, int height);
  void FromDC(CDC* dc, int width, int height);
  void FromDC(HDC dc, int width, int height);
#endif

  // Size.
  void ReSample(int width, int height, int mode);
  void ZoomImage(Cimage* source, int num, int den, int x, int y, int width, int height, int unused);
  void ZoomImage(Cimage* source, int num, int den, CRect r);

  // The raw APP1 segment of a JPEG: two big-endian length bytes, then the segment data.
  int EXIFLoadBuffer(const char* path);
  uint8_t* EXIFNewBuffer(unsigned int size);
  void EXIFDeleteBuffer();
  uint8_t* EXIFGetBuffer();
  unsigned int EXIFGetBufferSize();

  static void S_Initialize();
  static void S_UnInitialize();

  int m_origHeight;
  int m_origWidth;
  int m_height;
  int m_width;
  int m_stride;
  int m_components;
  int m_valid;
  int m_loadError;
  int m_saveError;
  int m_animated;
  int m_displayDithered;
  int m_unknownExt;
  int m_scaleNum;
  int m_scaleDen;
  int m_frameDelay;
  int m_fileSize;
  int m_hasOrigQuant;
  int m_chromaQuant[64];
  int m_lumaQuant[64];
  uint8_t m_bgR;
  uint8_t m_bgG;
  uint8_t m_bgB;
  uint8_t* m_pixels;
  uint8_t* m_dispBits;
  BITMAPINFO* m_bmi;
  CGifDecoder* m_gif;
  uint8_t* m_frameBuf;
  uint8_t* m_exif;
  unsigned int m_exifSize;

  // Library settings, written directly by the programs.
  static int S_file_save_quality;
  static int S_file_colormap_bmp;
  static int S_file_dither_bmp;
  static int S_file_colormap_png;
  static int S_file_dither_png;
  static int S_file_dither_gif;
  static int S_file_save_useorig;
  static int S_keep_exifinfo;
  static int S_tifcompression;
  static int S_use_palette;
  static HPALETTE S_hpal;
  static int S_16bit_color;
  static int S_file_dither16;
  static int S_dither_matrix_red[16][16];
  static int S_dither_matrix_grn[16][16];
  static int S_dither_matrix_blu[16][16];

  // JFIF colour-conversion tables, 16 fractional bits.
  static int initstatus;
  static int ry_tab[256];
  static int gy_tab[256];
  static int by_tab[256];
  static int rcb_tab[256];
  static int gcb_tab[256];
  static int bcb_tab[256];
  static int gcr_tab[256];
  static int bcr_tab[256];
  static int Cr_r_tab[256];
  static int Cb_b_tab[256];
  static int Cr_g_tab[256];
  static int Cb_g_tab[256];

  // Exported for callers built against the library's whole interface; the library never reads them.
  static int S_jpeg_quality;
  static int S_optimize_huffman;
  static int S_lumina_table[64];
  static int S_chroma_table[64];
  static int S_load_lumina_table[64];
  static int S_load_chroma_table[64];
  static RavelightHuffmanTable S_ac_huffman_tables[4];
  static RavelightHuffmanTable S_dc_huffman_tables[4];
  static int floodmap[256];
  static char ModeString[16][8];

 private:
  friend struct CimageTestAccess;

  static int S_Init_Tables();

  static FILE* S_TNCFile;

  void LoadJPEG(FILE* stream, int width, int height, int mode);
  void SaveJPEG(FILE* stream, int quality, int useOrig);
  void LoadGIF(FILE* stream, int width = 0, int height = 0, int mode = 0);
  void SaveGIF(FILE* stream, int dither);
  void LoadBMP(FILE* stream, int width = 0, int height = 0, int mode = 0);
  void SaveBMP(FILE* stream, int colormap, int dither);
  void LoadPCX(FILE* stream, int width = 0, int height = 0, int mode = 0);
  void LoadPSD(FILE* stream);
  void LoadPNG(FILE* stream, int width = 0, int height = 0, int mode = 0);
  void SavePNG(FILE* stream, int colormap, int dither);
  void LoadTIF(const char* path, int width, int height, int mode);
  void SaveTIF(const char* path);
  // Writes to path a file that names itself documentName (a save writes beside the target first).
  void SaveTIF(const char* path, const char* documentName);

  void Arbitrary_Resample(int width, int height);
  void ResampleExactly(int halvings, int width, int height);
  void FinishResample(const uint8_t* before);
  // The fit of this picture into the box, or, when it is a reduced decode of a sourceWidth ×
  // sourceHeight picture, the size the fit of that picture would have.
  void FitFrom(int sourceWidth, int sourceHeight, int boxWidth, int boxHeight);
  void FillFrameFrom(int sourceWidth, int sourceHeight, int width, int height, int fill);
  void Block_Resample_12();
  void Block_Resample_23();
  void Block_Resample_34();
  void Block_Resample_21();
  void Block_Resample_31();

  void MakeBMIstruct();
#if defined(_WIN32)
  HPALETTE ChoosePalette();
  void DitherImage(int count, unsigned long* entries);
#endif
  void AddNoise();
};

// Colour conversions the decoders use. RGBfromCMYK takes CMYK as CMYK JPEG and PSD files store
// it (inverted ink: 255 is no ink) and, like RGBfromLAB, returns a COLORREF (red in the low byte);
// RGBfromYCC returns blue in the low byte.
extern "C" RAVELIGHT_API unsigned RGBfromCMYK(unsigned char c, unsigned char m, unsigned char y,
                                              unsigned char k);
RAVELIGHT_API unsigned RGBfromLAB(unsigned char L, unsigned char a, unsigned char b);
RAVELIGHT_API unsigned RGBfromYCC(int y, int cb, int cr);
// A 256-entry tone curve: kind 1 gain, 2 S-shaped contrast, 3 scaling about 128; 100 is identity.
RAVELIGHT_API void MakeCurve(int* curve, int amount, int kind);
#if defined(_WIN32)
// Learns the display's depth, fills the dither offsets and makes the shared display palette;
// 0 when the display has fewer than 8 bits per pixel.
RAVELIGHT_API int Initialize_Palette();
#endif
