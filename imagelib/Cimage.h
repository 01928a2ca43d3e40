#pragma once
// Ravelight's one class: a picture in memory. Other programs embed it by value and read its fields
// directly, so the order and widths of the fields below are part of the library's interface.
// Nothing here throws; failures are flags in the object.
#include <cstdint>
#include <cstdio>

#include "ravelight_api.h"
#include "win_types.h"

class CGifDecoder;
struct CimageTestAccess;

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

  void LoadJPEG(FILE* stream, int width, int height, int mode);
  void SaveJPEG(FILE* stream, int quality, int useOrig);
  void MakeBMIstruct();
};

// CMYK as stored by CMYK JPEG and PSD files (inverted ink: 255 is no ink) to a COLORREF.
extern "C" RAVELIGHT_API unsigned RGBfromCMYK(unsigned char c, unsigned char m, unsigned char y,
                                              unsigned char k);
