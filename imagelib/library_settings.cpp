// The library's global settings, which the programs write directly.
#include "Cimage.h"

int Cimage::S_file_save_quality = 0;
int Cimage::S_file_colormap_bmp = 0;
int Cimage::S_file_dither_bmp = 0;
int Cimage::S_file_colormap_png = 0;
int Cimage::S_file_dither_png = 0;
int Cimage::S_file_dither_gif = 0;
int Cimage::S_file_save_useorig = 0;
int Cimage::S_keep_exifinfo = 0;
int Cimage::S_tifcompression = 0;
int Cimage::S_use_palette = 0;
HPALETTE Cimage::S_hpal = nullptr;
int Cimage::S_16bit_color = 1;
int Cimage::S_file_dither16 = 1;
int Cimage::S_dither_matrix_red[16][16];
int Cimage::S_dither_matrix_grn[16][16];
int Cimage::S_dither_matrix_blu[16][16];

int Cimage::S_jpeg_quality = 0;
int Cimage::S_optimize_huffman = 0;
int Cimage::S_lumina_table[64];
int Cimage::S_chroma_table[64];
int Cimage::S_load_lumina_table[64];
int Cimage::S_load_chroma_table[64];
RavelightHuffmanTable Cimage::S_ac_huffman_tables[4];
RavelightHuffmanTable Cimage::S_dc_huffman_tables[4];
int Cimage::floodmap[256];
char Cimage::ModeString[16][8];
