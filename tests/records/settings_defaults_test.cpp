// Every setting's default, typed here from the documented lists on their own, so that a typo in
// the program's table cannot hide behind the same typo in the test: a fresh profile loaded and
// saved must hold exactly these values.
#include <cstdio>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "app_settings.h"
#include "ini_profile.h"

namespace {

struct Default {
  const char* section;
  const char* name;
  const char* value;  // as the profile stores it
};

// On a 1024 × 768 screen, with the program in C:\Program Files\Vireldan. The Batch Print sizes
// show their clamped values (colwidth 0 loads as 1, pawidth 0 as 10, tasizex 0 as 1).
const Default kDefaults[] = {
    {"Main Options", "mainpath", "c:\\"},
    {"Main Options", "physicalpath", "Desktop"},
    {"Main Options", "cachepath", "C:\\Program Files\\Vireldan\\cache"},
    {"Main Options", "rightopen", "1"},
    {"Main Options", "tipson", "1"},
    {"Main Options", "tipnum", "1"},
    {"Main Options", "delkey", "0"},
    {"Main Options", "dontwarn256", "0"},

    {"Effects", "mode", "0"},
    {"Effects", "batchmode", "3"},
    {"Effects", "thickness", "15"},
    {"Effects", "rounding", "10"},
    {"Effects", "density", "25"},

    {"Batch Print", "copies", "1"},
    {"Batch Print", "english", "1"},
    {"Batch Print", "upright", "1"},
    {"Batch Print", "framed", "0"},
    {"Batch Print", "dotted", "0"},
    {"Batch Print", "center", "1"},
    {"Batch Print", "overfill", "1"},
    {"Batch Print", "rows", "3"},
    {"Batch Print", "cols", "2"},
    {"Batch Print", "coloffset", "0"},
    {"Batch Print", "rowoffset", "0"},
    {"Batch Print", "colwidth", "1"},
    {"Batch Print", "colheight", "1"},
    {"Batch Print", "pawidth", "10"},
    {"Batch Print", "paheight", "10"},
    {"Batch Print", "paoffsetx", "0"},
    {"Batch Print", "paoffsety", "0"},
    {"Batch Print", "taoffsetx", "0"},
    {"Batch Print", "taoffsety", "0"},
    {"Batch Print", "tasizex", "1"},
    {"Batch Print", "tasizey", "1"},
    {"Batch Print", "bp_dotext", "0"},
    {"Batch Print", "bp_names", "0"},
    {"Batch Print", "bp_paths", "0"},
    {"Batch Print", "bp_dates", "0"},
    {"Batch Print", "bp_sizes", "0"},
    {"Batch Print", "bp_annots", "0"},
    {"Batch Print", "bp_static", "0"},
    {"Batch Print", "bp_points", "12"},
    {"Batch Print", "bp_txtcolor", "0"},
    {"Batch Print", "bp_font", "Times New Roman"},
    {"Batch Print", "bp_string", "Copyright Notice"},

    {"Capture", "enable", "0"},
    {"Capture", "format", "0"},
    {"Capture", "window", "0"},
    {"Capture", "sound", "0"},
    {"Capture", "display", "0"},
    {"Capture", "index", "0"},
    {"Capture", "vkey", "123"},
    {"Capture", "kmod", "6"},
    {"Capture", "path", "c:\\capture"},
    {"Capture", "prefix", "Capture"},

    {"Preferences", "expanddirs", "1"},
    {"Preferences", "slowdirs", "0"},
    {"Preferences", "expandkeys", "1"},
    {"Preferences", "slowkeys", "0"},
    {"Preferences", "dontconfirm", "0"},
    {"Preferences", "toggleboth", "0"},
    {"Preferences", "slowtips", "0"},
    {"Preferences", "flatbar", "1"},

    {"Thumbnails", "exif_tipoptions", "134217735"},
    {"Thumbnails", "exif_tipsenable", "1"},
    {"Thumbnails", "showfiledate", "0"},
    {"Thumbnails", "showfilename", "1"},
    {"Thumbnails", "showsizeinfo", "1"},
    {"Thumbnails", "sortby", "0"},
    {"Thumbnails", "reverse", "0"},
    {"Thumbnails", "Thumbnail Size", "2"},
    {"Thumbnails", "openwith", "0"},
    {"Thumbnails", "showhidden", "1"},
    {"Thumbnails", "showlinks", "0"},
    {"Thumbnails", "preload", "1"},
    {"Thumbnails", "accumulate", "0"},
    {"Thumbnails", "cachemode", "0"},
    {"Thumbnails", "casesense", "0"},
    {"Thumbnails", "annotations", "1"},
    {"Thumbnails", "fileinfo", "1"},
    {"Thumbnails", "ddmmyy", "0"},
    {"Thumbnails", "dosmall", "1"},
    {"Thumbnails", "limit", "1"},
    {"Thumbnails", "thresh", "1"},
    {"Thumbnails", "cachequality", "1"},

    {"HiddenFiles", "tnc", "1"},
    {"HiddenFiles", "iif", "1"},
    {"HiddenFiles", "sts", "1"},

    {"Picture Frames", "position", "1"},
    {"Picture Frames", "dismissondelay", "0"},
    {"Picture Frames", "dismissonmore", "1"},
    {"Picture Frames", "dismissonimages", "5"},
    {"Picture Frames", "preferedsize", "0"},
    {"Picture Frames", "dismisstime", "0"},
    {"Picture Frames", "dismissonclick", "1"},
    {"Picture Frames", "scalingmode", "0"},
    {"Picture Frames", "viewstyle", "0"},
    {"Picture Frames", "ontop", "1"},

    {"Slide Show", "position", "1"},
    {"Slide Show", "size", "0"},
    {"Slide Show", "interval", "3"},
    {"Slide Show", "onmouse", "1"},
    {"Slide Show", "fitmode", "1"},
    {"Slide Show", "usedelay", "1"},
    {"Slide Show", "onkey", "1"},
    {"Slide Show", "overlap", "0"},
    {"Slide Show", "recycle", "0"},
    {"Slide Show", "order", "1"},
    {"Slide Show", "include", "0"},
    {"Slide Show", "reverse", "0"},
    {"Slide Show", "case", "0"},
    {"Slide Show", "match", "0"},
    {"Slide Show", "shownames", "0"},
    {"Slide Show", "tenths", "0"},

    {"Batch Resize", "filesel", "1"},
    {"Batch Resize", "targetsize", "1"},
    {"Batch Resize", "customwidth", "100"},
    {"Batch Resize", "customheight", "100"},
    {"Batch Resize", "quality", "75"},
    {"Batch Resize", "batchpath", "c:\\pics\\thumbs"},
    {"Batch Resize", "colormap", "1"},
    {"Batch Resize", "dither", "1"},
    {"Batch Resize", "format", "0"},
    {"Batch Resize", "original quality", "1"},
    {"Batch Resize", "border", "0"},
    {"Batch Resize", "bordercolor", "16777215"},
    {"Batch Resize", "borderminimum", "0"},
    {"Batch Resize", "useoverlay", "0"},
    {"Batch Resize", "useborderimg", "0"},
    {"Batch Resize", "overposx", "1"},
    {"Batch Resize", "overposy", "2"},
    {"Batch Resize", "transparent", "16777215"},
    {"Batch Resize", "overfill", "0"},
    {"Batch Resize", "notrans", "0"},
    {"Batch Resize", "bordsizx", "50"},
    {"Batch Resize", "bordsizy", "50"},
    {"Batch Resize", "bordedge", "0"},
    {"Batch Resize", "bordmatch", "0"},
    {"Batch Resize", "overimg", ""},
    {"Batch Resize", "borderimg", ""},

    {"Frame Layout", "top", "96"},
    {"Frame Layout", "left", "128"},
    {"Frame Layout", "bottom", "672"},
    {"Frame Layout", "right", "896"},
    {"Frame Layout", "maximized", "0"},
    {"Frame Layout", "statusbar", "1"},
    {"Frame Layout", "toolbar", "1"},
    {"Frame Layout", "leftpane", "320"},
    {"Frame Layout", "keypane", "300"},
    {"Frame Layout", "dirpaney", "350"},
    {"Frame Layout", "preview_x", "0"},
    {"Frame Layout", "preview_y", "350"},
    {"Frame Layout", "preview_w", "300"},
    {"Frame Layout", "preview_h", "200"},
    {"Frame Layout", "preview_on", "1"},

    {"File Options", "showjpg", "1"},
    {"File Options", "showgif", "1"},
    {"File Options", "showbmp", "1"},
    {"File Options", "showtif", "1"},
    {"File Options", "showpng", "1"},
    {"File Options", "showpsd", "1"},
    {"File Options", "showpcx", "1"},
    {"File Options", "showlnk", "1"},
    {"File Options", "ditherbmp", "1"},
    {"File Options", "colormapbmp", "0"},
    {"File Options", "ditherpng", "1"},
    {"File Options", "colormappng", "0"},
    {"File Options", "dithergif", "1"},
    {"File Options", "keepexifinfo", "1"},
    {"File Options", "confirm", "1"},
    {"File Options", "savequality", "80"},
    {"File Options", "useoriginal", "1"},
    {"File Options", "dither16", "1"},
    {"File Options", "usecdcache", "1"},
    {"File Options", "cachecds", "1"},
    {"File Options", "cacheremove", "0"},
    {"File Options", "homedirectory", "C:"},
    {"File Options", "usehomedir", "0"},

    {"Confirmations", "keydel", "1"},
    {"Confirmations", "single", "0"},
    {"Confirmations", "multi", "1"},
    {"Confirmations", "nonnest", "1"},
    {"Confirmations", "nested", "1"},
    {"Confirmations", "allsize", "2"},

    {"ThumbPrint", "filenames", "1"},
    {"ThumbPrint", "filedates", "1"},
    {"ThumbPrint", "filesizes", "1"},
    {"ThumbPrint", "title", "1"},
    {"ThumbPrint", "allorsel", "0"},
    {"ThumbPrint", "nx", "5"},
    {"ThumbPrint", "ny", "4"},
    {"ThumbPrint", "draft", "0"},
    {"ThumbPrint", "margin", "0"},

    {"TWAINDest", "filename", "TWAIN"},
    {"TWAINDest", "index", "1"},
    {"TWAINDest", "format", "0"},
    {"TWAINDest", "mode", "0"},

    {"CreateIndex", "width", "6"},
    {"CreateIndex", "height", "3"},
    {"CreateIndex", "title", "1"},
    {"CreateIndex", "date", "0"},
    {"CreateIndex", "name", "0"},
    {"CreateIndex", "size", "0"},
    {"CreateIndex", "color", "16777215"},
    {"CreateIndex", "fgcolor", "0"},
    {"CreateIndex", "spacing", "10"},
    {"CreateIndex", "autospace", "1"},

    {"Transitions", "enable", "1"},
    {"Transitions", "random", "0"},
    {"Transitions", "slidev", "1"},
    {"Transitions", "slideh", "1"},
    {"Transitions", "fingersv", "1"},
    {"Transitions", "fingersh", "1"},
    {"Transitions", "tfingersv", "1"},
    {"Transitions", "tfingersh", "1"},
    {"Transitions", "weave", "1"},
    {"Transitions", "zoomi", "1"},
    {"Transitions", "zoomo", "1"},
    {"Transitions", "shutterv", "1"},
    {"Transitions", "shutterh", "1"},
    {"Transitions", "wiperv", "1"},
    {"Transitions", "wiperh", "1"},
    {"Transitions", "gridl", "1"},
    {"Transitions", "grids", "1"},
    {"Transitions", "speckle", "1"},
    {"Transitions", "blocksl", "1"},
    {"Transitions", "blockss", "1"},

    {"QuickWeb", "style", "0"},
    {"QuickWeb", "cols", "3"},
    {"QuickWeb", "thumbwid", "170"},
    {"QuickWeb", "thumbhgt", "150"},
    {"QuickWeb", "wid", "640"},
    {"QuickWeb", "hgt", "480"},
    {"QuickWeb", "textunder", "0"},
    {"QuickWeb", "usetext", "1"},
    {"QuickWeb", "filenames", "1"},
    {"QuickWeb", "filedates", "1"},
    {"QuickWeb", "filesizes", "1"},
    {"QuickWeb", "annotations", "0"},
    {"QuickWeb", "statictext", "0"},
    {"QuickWeb", "useoriginal", "0"},
    {"QuickWeb", "centered", "1"},
    {"QuickWeb", "omitintro", "0"},
    {"QuickWeb", "framelines", "1"},
    {"QuickWeb", "indexbkgcolor", "16777215"},
    {"QuickWeb", "imagebkgcolor", "16777215"},
    {"QuickWeb", "indexfgcolor", "0"},
    {"QuickWeb", "imagefgcolor", "0"},
    {"QuickWeb", "indexlkgcolor", "16711680"},
    {"QuickWeb", "imagelkgcolor", "16711680"},
    {"QuickWeb", "indexvicolor", "8323072"},
    {"QuickWeb", "imagevicolor", "8323072"},
    {"QuickWeb", "autobkgcolor", "0"},
    {"QuickWeb", "usebkgimage", "0"},
    {"QuickWeb", "usebkgimageall", "0"},
    {"QuickWeb", "createpages", "0"},
    {"QuickWeb", "centerimages", "1"},
    {"QuickWeb", "pagefilenames", "1"},
    {"QuickWeb", "pageannots", "1"},
    {"QuickWeb", "pagebackbtn", "1"},
    {"QuickWeb", "pagestatic", "0"},
    {"QuickWeb", "prevnextbtns", "1"},
    {"QuickWeb", "imgpage_useopening", "0"},
    {"QuickWeb", "idx_usebg", "0"},
    {"QuickWeb", "img_usebg", "0"},
    {"QuickWeb", "use_idxps", "0"},
    {"QuickWeb", "use_idxpe", "0"},
    {"QuickWeb", "use_imgps", "0"},
    {"QuickWeb", "use_imgpe", "0"},
    {"QuickWeb", "op_usefontsize", "0"},
    {"QuickWeb", "op_usefontface", "0"},
    {"QuickWeb", "op_usefontcolr", "0"},
    {"QuickWeb", "tt_usefontsize", "0"},
    {"QuickWeb", "tt_usefontface", "0"},
    {"QuickWeb", "tt_usefontcolr", "0"},
    {"QuickWeb", "wpp_op_usefontsize", "0"},
    {"QuickWeb", "wpp_op_usefontface", "0"},
    {"QuickWeb", "wpp_op_usefontcolr", "0"},
    {"QuickWeb", "wpp_tt_usefontsize", "0"},
    {"QuickWeb", "wpp_tt_usefontface", "0"},
    {"QuickWeb", "wpp_tt_usefontcolr", "0"},
    {"QuickWeb", "imagequality", "70"},
    {"QuickWeb", "thumbquality", "40"},
    {"QuickWeb", "bkimagefile", ""},
    {"QuickWeb", "backlinktext", "Back to index page"},
    {"QuickWeb", "imgpage_openingtext", "Inserted at the top of each image page"},
    {"QuickWeb", "idx_bgimage", "background.jpg"},
    {"QuickWeb", "img_bgimage", "background.jpg"},
    {"QuickWeb", "titletext", "Page Title"},
    {"QuickWeb", "openingtext", "Text appearing at the top of the page"},
    {"QuickWeb", "closuretext", "Text appearing at the bottom of the page"},
    {"QuickWeb", "filename", "index"},
    {"QuickWeb", "savepath", "C:\\web\\quickpage"},
    {"QuickWeb", "staticstr", "Copyright or other text alongside each image"},
    {"QuickWeb", "idxps", "index page start - include file name"},
    {"QuickWeb", "idxpe", "index page end   - include file name"},
    {"QuickWeb", "imgps", "image page start - include file name"},
    {"QuickWeb", "imgpe", "image page end   - include file name"},
    {"QuickWeb", "includepath", "C:\\"},
    {"QuickWeb", "op_fontsize", "+1"},
    {"QuickWeb", "op_fontface", "Times"},
    {"QuickWeb", "op_fontcolr", "black"},
    {"QuickWeb", "tt_fontsize", "-2"},
    {"QuickWeb", "tt_fontface", "Arial"},
    {"QuickWeb", "tt_fontcolr", "black"},
    {"QuickWeb", "wpp_op_fontsize", "+1"},
    {"QuickWeb", "wpp_op_fontface", "Times"},
    {"QuickWeb", "wpp_op_fontcolr", "black"},
    {"QuickWeb", "wpp_tt_fontsize", "-2"},
    {"QuickWeb", "wpp_tt_fontface", "Arial"},
    {"QuickWeb", "wpp_tt_fontcolr", "black"},

    {"Collage", "defaultx", "300"},
    {"Collage", "defaulty", "200"},

    {"Audio", "playondisplay", "1"},
    {"Audio", "playonslideshow", "1"},
    {"Audio", "autoextract", "1"},
};

TEST(SettingsDefaults, AFreshProfileSavesExactlyTheDocumentedDefaults) {
  static_assert(sizeof kDefaults / sizeof kDefaults[0] == 316, "316 settings");
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / "vireldan-settings-defaults";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const std::string empty = (folder / "empty.ini").string(), saved = (folder / "saved.ini").string();

  IniProfile fresh(empty);
  CAppSettings settings;
  settings.Load(fresh, SettingsEnvironment{1024, 768, "C:\\Program Files\\Vireldan"});
  IniProfile out(saved);
  settings.Save(out);

  IniProfile written(saved);
  const std::string missing = "\x01missing";
  for (const Default& d : kDefaults)
    EXPECT_EQ(written.GetString(d.section, d.name, missing), d.value) << "\"" << d.section << "\" \"" << d.name << "\"";
  fs::remove_all(folder);
}

TEST(SettingsDefaults, FileOptionsReachTheImageLibrary) {
  IniProfile fresh((std::filesystem::temp_directory_path() / "vireldan-no-such-settings.ini").string());
  CAppSettings settings;
  settings.Load(fresh, SettingsEnvironment{1024, 768, "C:\\V"});
  EXPECT_EQ(Cimage::S_file_dither_bmp, 1);
  EXPECT_EQ(Cimage::S_file_colormap_bmp, 0);
  EXPECT_EQ(Cimage::S_file_dither_png, 1);
  EXPECT_EQ(Cimage::S_file_colormap_png, 0);
  EXPECT_EQ(Cimage::S_file_dither_gif, 1);
  EXPECT_EQ(Cimage::S_keep_exifinfo, 1);
  EXPECT_EQ(Cimage::S_file_save_quality, 80);
}

}  // namespace
