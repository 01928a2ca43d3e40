#include "fs_options_pages.h"

#include "resource.h"

void SaveOptionsPage::DoDataExchange(DataExchange& exchange) {
  ExchangeFormat(exchange);
  exchange.Check(IDC_FS_CONFIRM, options_.confirm);
}

void PalettePage::ExchangeFormat(DataExchange& exchange) {
  int choice = PaletteChoice(options_.*colormap_, options_.*dither_);
  exchange.Radio(IDC_FS_TRUE_COLOR, choice);
  if (exchange.Saving()) ApplyPaletteChoice(choice, options_.*colormap_, options_.*dither_);
}

CFSbmpPP::CFSbmpPP(SaveOptions& options)
    : PalettePage(IDD_FS_BMP, options, &SaveOptions::colormapBmp, &SaveOptions::ditherBmp) {}

CFSpngPP::CFSpngPP(SaveOptions& options)
    : PalettePage(IDD_FS_PNG, options, &SaveOptions::colormapPng, &SaveOptions::ditherPng) {}

CFSgifPP::CFSgifPP(SaveOptions& options) : SaveOptionsPage(IDD_FS_GIF, options) {}

void CFSgifPP::ExchangeFormat(DataExchange& exchange) { exchange.Check(IDC_FS_DITHER_GIF, options_.ditherGif); }

CFSjpgPP::CFSjpgPP(SaveOptions& options) : SaveOptionsPage(IDD_FS_JPEG, options) {}

void CFSjpgPP::ExchangeFormat(DataExchange& exchange) {
  exchange.Int(IDC_FS_JPEG_QUALITY, options_.quality, 1, 100);
  exchange.Check(IDC_FS_USE_ORIGINAL, options_.useOriginal);
  exchange.Check(IDC_FS_KEEP_EXIF, options_.keepExif);
}

CFStifPP::CFStifPP(SaveOptions& options) : SaveOptionsPage(IDD_FS_TIF, options) {}

void CFStifPP::ExchangeFormat(DataExchange& exchange) { exchange.Radio(IDC_FS_TIF_NONE, options_.tifCompression); }
