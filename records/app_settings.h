#pragma once
// The program's user settings: one record, loaded once at start-up and saved once at exit.
// Dialogs, painting code and worker threads read and write its fields directly.
//
// Fields are grouped by profile section, one struct per section, and carry the profile's value
// names ("Thumbnail Size" becomes thumbnailSize, "original quality" originalQuality, and the
// keyword "case" case_). Seven "File Options" values live in the image library's statics
// instead (Cimage::S_file_dither_bmp and its neighbours), which Load sets and Save reads back.
#include <cstdint>
#include <string>

#include "profile.h"

struct SettingsEnvironment {
  int screenWidth;
  int screenHeight;
  std::string programFolder;  // without a trailing backslash
};

class CAppSettings {
 public:
  // Missing values take their defaults; a few values are then brought into range.
  void Load(Profile& profile, const SettingsEnvironment& environment);
  // Writes every value, then makes the writes permanent; false when they could not be stored (the
  // program then tells the user, instead of losing the changes without a word).
  bool Save(Profile& profile);

  struct MainOptions {
    std::string mainpath, cachepath, physicalpath;
    int rightopen, tipson, tipnum, delkey, dontwarn256;
  } mainOptions{};

  struct BatchPrint {
    int copies, english, upright, framed, dotted, center, overfill, rows, cols;
    int coloffset, rowoffset, colwidth, colheight, pawidth, paheight;
    int paoffsetx, paoffsety, taoffsetx, taoffsety, tasizex, tasizey;
    int bp_dotext, bp_names, bp_paths, bp_dates, bp_sizes, bp_annots, bp_static;
    int bp_points, bp_txtcolor;  // bp_txtcolor is a COLORREF
    std::string bp_font, bp_string;
  } batchPrint{};

  struct Capture {
    int enable, format, window, sound, display, index;
    uint16_t vkey;  // virtual-key code of the hot key
    uint16_t kmod;  // hot-key modifier bits
    std::string path, prefix;
  } capture{};

  struct Preferences {
    int expanddirs, slowdirs, expandkeys, slowkeys, dontconfirm, toggleboth, slowtips, flatbar;
  } preferences{};

  struct Thumbnails {
    int exif_tipoptions, exif_tipsenable;
    int showfiledate, showfilename, showsizeinfo, sortby, reverse, thumbnailSize, openwith;
    int showhidden, showlinks, preload, accumulate, cachemode, casesense, annotations;
    int fileinfo, ddmmyy, dosmall, limit, thresh, cachequality;
  } thumbnails{};

  struct HiddenFiles {
    int tnc, iif, sts;
  } hiddenFiles{};

  struct PictureFrames {
    int position, dismissondelay, dismissonmore, dismissonimages, preferedsize, dismisstime;
    int dismissonclick, scalingmode, viewstyle, ontop;
  } pictureFrames{};

  struct SlideShow {
    int position, size, interval, onmouse, fitmode, usedelay, onkey, overlap;
    int recycle, order, include, reverse, case_, match, shownames, tenths;
  } slideShow{};

  struct BatchResize {
    int filesel, targetsize, customwidth, customheight, quality;
    std::string batchpath;
    int colormap, dither, format, originalQuality;
    int border, bordercolor, borderminimum, useoverlay, useborderimg, overposx, overposy;
    int transparent, overfill, notrans, bordsizx, bordsizy, bordedge, bordmatch;
    std::string overimg, borderimg;
  } batchResize{};

  struct FrameLayout {
    int left, top, right, bottom;  // the main frame's rectangle
    int maximized, statusbar, toolbar, leftpane, keypane, dirpaney;
    int preview_x, preview_y, preview_w, preview_h, preview_on;
  } frameLayout{};

  // ditherbmp, colormapbmp, ditherpng, colormappng, dithergif, keepexifinfo and savequality are
  // the image library's statics.
  struct FileOptions {
    int showjpg, showgif, showbmp, showtif, showpng, showpsd, showpcx, showlnk;
    int confirm, useoriginal, dither16, usecdcache, cachecds, cacheremove;
    std::string homedirectory;
    int usehomedir;
  } fileOptions{};

  struct Confirmations {
    int keydel, single, multi, nonnest, nested, allsize;
  } confirmations{};

  struct ThumbPrint {
    int filenames, filedates, filesizes, title, allorsel, nx, ny, draft, margin;
  } thumbPrint{};

  struct TwainDest {
    std::string filename;
    int index, format, mode;
  } twainDest{};

  struct CreateIndex {
    int width, height, title, date, name, size, color, fgcolor, spacing, autospace;
  } createIndex{};

  struct Transitions {
    int enable, random, slidev, slideh, fingersv, fingersh, tfingersv, tfingersh, weave, zoomi;
    int zoomo, shutterv, shutterh, wiperv, wiperh, gridl, grids, speckle, blocksl, blockss;
  } transitions{};

  struct QuickWeb {
    int style, cols, thumbwid, thumbhgt, wid, hgt, textunder, usetext;
    int filenames, filedates, filesizes, annotations, statictext, useoriginal, centered, omitintro;
    int framelines, indexbkgcolor, imagebkgcolor, indexfgcolor, imagefgcolor;
    int indexlkgcolor, imagelkgcolor, indexvicolor, imagevicolor, autobkgcolor;
    int usebkgimage, usebkgimageall, createpages, centerimages, pagefilenames, pageannots;
    int pagebackbtn, pagestatic, prevnextbtns, imgpage_useopening, idx_usebg, img_usebg;
    int use_idxps, use_idxpe, use_imgps, use_imgpe;
    int op_usefontsize, op_usefontface, op_usefontcolr, tt_usefontsize, tt_usefontface, tt_usefontcolr;
    int wpp_op_usefontsize, wpp_op_usefontface, wpp_op_usefontcolr;
    int wpp_tt_usefontsize, wpp_tt_usefontface, wpp_tt_usefontcolr;
    int imagequality, thumbquality;
    std::string bkimagefile, backlinktext, imgpage_openingtext, idx_bgimage, img_bgimage;
    std::string titletext, openingtext, closuretext, filename, savepath, staticstr;
    std::string idxps, idxpe;  // index page start and end include file names
    std::string imgps, imgpe;  // image page start and end include file names
    std::string includepath;
    std::string op_fontsize, op_fontface, op_fontcolr, tt_fontsize, tt_fontface, tt_fontcolr;
    std::string wpp_op_fontsize, wpp_op_fontface, wpp_op_fontcolr;
    std::string wpp_tt_fontsize, wpp_tt_fontface, wpp_tt_fontcolr;
  } quickWeb{};

  struct Effects {
    int mode, batchmode, thickness, rounding, density;
  } effects{};

  struct Collage {
    int defaultx, defaulty;
  } collage{};

  struct Audio {
    int playondisplay, playonslideshow, autoextract;
  } audio{};
};

extern CAppSettings g_settings;  // the one program-wide instance
