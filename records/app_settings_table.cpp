#include "app_settings_table.h"

#include <initializer_list>

#include "Cimage.h"

namespace {

// One value of a section; the constructors pair each kind of field with its kind of default.
class Entry {
 public:
  Entry(const char* name, int* field, int byDefault)
      : row_{nullptr, name, field, byDefault, "", ComputedDefault::None, nullptr} {}
  Entry(const char* name, uint16_t* field, int byDefault)
      : row_{nullptr, name, field, byDefault, "", ComputedDefault::None, nullptr} {}
  Entry(const char* name, std::string* field, const char* byDefault, const char* earlierName = nullptr)
      : row_{nullptr, name, field, 0, byDefault, ComputedDefault::None, earlierName} {}
  Entry(const char* name, int* field, ComputedDefault byDefault)
      : row_{nullptr, name, field, 0, "", byDefault, nullptr} {}
  Entry(const char* name, std::string* field, ComputedDefault byDefault)
      : row_{nullptr, name, field, 0, "", byDefault, nullptr} {}

  SettingRow In(const char* section) const {
    SettingRow row = row_;
    row.section = section;
    return row;
  }

 private:
  SettingRow row_;
};

void AddSection(std::vector<SettingRow>& rows, const char* section, std::initializer_list<Entry> entries) {
  for (const Entry& entry : entries) rows.push_back(entry.In(section));
}

}  // namespace

std::vector<SettingRow> SettingsTable(CAppSettings& settings) {
  std::vector<SettingRow> rows;
  rows.reserve(316);

  auto& main = settings.mainOptions;
  AddSection(rows, "Main Options", {
      {"mainpath", &main.mainpath, "c:\\"},
      {"physicalpath", &main.physicalpath, "Desktop"},
      {"cachepath", &main.cachepath, ComputedDefault::CacheFolder},
      {"rightopen", &main.rightopen, 1},
      {"tipson", &main.tipson, 1},
      {"tipnum", &main.tipnum, 1},
      {"delkey", &main.delkey, 0},
      {"dontwarn256", &main.dontwarn256, 0},
  });

  auto& effects = settings.effects;
  AddSection(rows, "Effects", {
      {"mode", &effects.mode, 0},
      {"batchmode", &effects.batchmode, 3},
      {"thickness", &effects.thickness, 15},
      {"rounding", &effects.rounding, 10},
      {"density", &effects.density, 25},
  });

  auto& print = settings.batchPrint;
  AddSection(rows, "Batch Print", {
      {"copies", &print.copies, 1},
      {"english", &print.english, 1},
      {"upright", &print.upright, 1},
      {"framed", &print.framed, 0},
      {"dotted", &print.dotted, 0},
      {"center", &print.center, 1},
      {"overfill", &print.overfill, 1},
      {"rows", &print.rows, 3},
      {"cols", &print.cols, 2},
      {"coloffset", &print.coloffset, 0},
      {"rowoffset", &print.rowoffset, 0},
      {"colwidth", &print.colwidth, 0},
      {"colheight", &print.colheight, 0},
      {"pawidth", &print.pawidth, 0},
      {"paheight", &print.paheight, 0},
      {"paoffsetx", &print.paoffsetx, 0},
      {"paoffsety", &print.paoffsety, 0},
      {"taoffsetx", &print.taoffsetx, 0},
      {"taoffsety", &print.taoffsety, 0},
      {"tasizex", &print.tasizex, 0},
      {"tasizey", &print.tasizey, 0},
      {"bp_dotext", &print.bp_dotext, 0},
      {"bp_names", &print.bp_names, 0},
      {"bp_paths", &print.bp_paths, 0},
      {"bp_dates", &print.bp_dates, 0},
      {"bp_sizes", &print.bp_sizes, 0},
      {"bp_annots", &print.bp_annots, 0},
      {"bp_static", &print.bp_static, 0},
      {"bp_points", &print.bp_points, 12},
      {"bp_txtcolor", &print.bp_txtcolor, 0},
      {"bp_font", &print.bp_font, "Times New Roman"},
      {"bp_string", &print.bp_string, "Copyright Notice"},
  });

  auto& capture = settings.capture;
  AddSection(rows, "Capture", {
      {"enable", &capture.enable, 0},
      {"format", &capture.format, 0},
      {"window", &capture.window, 0},
      {"sound", &capture.sound, 0},
      {"display", &capture.display, 0},
      {"index", &capture.index, 0},
      {"vkey", &capture.vkey, 123},  // F12
      {"kmod", &capture.kmod, 6},    // Ctrl and Shift
      {"path", &capture.path, "c:\\capture"},
      {"prefix", &capture.prefix, "Capture"},
  });

  auto& preferences = settings.preferences;
  AddSection(rows, "Preferences", {
      {"expanddirs", &preferences.expanddirs, 1},
      {"slowdirs", &preferences.slowdirs, 0},
      {"expandkeys", &preferences.expandkeys, 1},
      {"slowkeys", &preferences.slowkeys, 0},
      {"dontconfirm", &preferences.dontconfirm, 0},
      {"toggleboth", &preferences.toggleboth, 0},
      {"slowtips", &preferences.slowtips, 0},
      {"flatbar", &preferences.flatbar, 1},
  });

  auto& thumbnails = settings.thumbnails;
  AddSection(rows, "Thumbnails", {
      {"exif_tipoptions", &thumbnails.exif_tipoptions, 0x8000007},
      {"exif_tipsenable", &thumbnails.exif_tipsenable, 1},
      {"showfiledate", &thumbnails.showfiledate, 0},
      {"showfilename", &thumbnails.showfilename, 1},
      {"showsizeinfo", &thumbnails.showsizeinfo, 1},
      {"sortby", &thumbnails.sortby, 0},
      {"reverse", &thumbnails.reverse, 0},
      {"Thumbnail Size", &thumbnails.thumbnailSize, 2},
      {"openwith", &thumbnails.openwith, 0},
      {"showhidden", &thumbnails.showhidden, 1},
      {"showlinks", &thumbnails.showlinks, 0},
      {"preload", &thumbnails.preload, 1},
      {"accumulate", &thumbnails.accumulate, 0},
      {"cachemode", &thumbnails.cachemode, 0},
      {"casesense", &thumbnails.casesense, 0},
      {"annotations", &thumbnails.annotations, 1},
      {"fileinfo", &thumbnails.fileinfo, 1},
      {"ddmmyy", &thumbnails.ddmmyy, 0},
      {"dosmall", &thumbnails.dosmall, 1},
      {"limit", &thumbnails.limit, 1},
      {"thresh", &thumbnails.thresh, 1},
      {"cachequality", &thumbnails.cachequality, 1},
  });

  auto& hidden = settings.hiddenFiles;
  AddSection(rows, "HiddenFiles", {
      {"tnc", &hidden.tnc, 1},
      {"iif", &hidden.iif, 1},
      {"sts", &hidden.sts, 1},
  });

  auto& frames = settings.pictureFrames;
  AddSection(rows, "Picture Frames", {
      {"position", &frames.position, 1},
      {"dismissondelay", &frames.dismissondelay, 0},
      {"dismissonmore", &frames.dismissonmore, 1},
      {"dismissonimages", &frames.dismissonimages, 5},
      {"preferedsize", &frames.preferedsize, 0},
      {"dismisstime", &frames.dismisstime, 0},
      {"dismissonclick", &frames.dismissonclick, 1},
      {"scalingmode", &frames.scalingmode, 0},
      {"viewstyle", &frames.viewstyle, 0},
      {"ontop", &frames.ontop, 1},
  });

  auto& slides = settings.slideShow;
  AddSection(rows, "Slide Show", {
      {"position", &slides.position, 1},
      {"size", &slides.size, 0},
      {"interval", &slides.interval, 3},
      {"onmouse", &slides.onmouse, 1},
      {"fitmode", &slides.fitmode, 1},
      {"usedelay", &slides.usedelay, 1},
      {"onkey", &slides.onkey, 1},
      {"overlap", &slides.overlap, 0},
      {"recycle", &slides.recycle, 0},
      {"order", &slides.order, 1},
      {"include", &slides.include, 0},
      {"reverse", &slides.reverse, 0},
      {"case", &slides.case_, 0},
      {"match", &slides.match, 0},
      {"shownames", &slides.shownames, 0},
      {"tenths", &slides.tenths, 0},
  });

  auto& resize = settings.batchResize;
  AddSection(rows, "Batch Resize", {
      {"filesel", &resize.filesel, 1},
      {"targetsize", &resize.targetsize, 1},
      {"customwidth", &resize.customwidth, 100},
      {"customheight", &resize.customheight, 100},
      {"quality", &resize.quality, 75},
      {"batchpath", &resize.batchpath, "c:\\pics\\thumbs"},
      {"colormap", &resize.colormap, 1},
      {"dither", &resize.dither, 1},
      {"format", &resize.format, 0},
      {"original quality", &resize.originalQuality, 1},
      {"border", &resize.border, 0},
      {"bordercolor", &resize.bordercolor, 0xFFFFFF},
      {"borderminimum", &resize.borderminimum, 0},
      {"useoverlay", &resize.useoverlay, 0},
      {"useborderimg", &resize.useborderimg, 0},
      {"overposx", &resize.overposx, 1},
      {"overposy", &resize.overposy, 2},
      {"transparent", &resize.transparent, 0xFFFFFF},
      {"overfill", &resize.overfill, 0},
      {"notrans", &resize.notrans, 0},
      {"bordsizx", &resize.bordsizx, 50},
      {"bordsizy", &resize.bordsizy, 50},
      {"bordedge", &resize.bordedge, 0},
      {"bordmatch", &resize.bordmatch, 0},
      {"overimg", &resize.overimg, ""},
      {"borderimg", &resize.borderimg, ""},
  });

  auto& layout = settings.frameLayout;
  AddSection(rows, "Frame Layout", {
      {"top", &layout.top, ComputedDefault::FrameTop},
      {"left", &layout.left, ComputedDefault::FrameLeft},
      {"bottom", &layout.bottom, ComputedDefault::FrameBottom},
      {"right", &layout.right, ComputedDefault::FrameRight},
      {"maximized", &layout.maximized, 0},
      {"statusbar", &layout.statusbar, 1},
      {"toolbar", &layout.toolbar, 1},
      {"leftpane", &layout.leftpane, 320},
      {"keypane", &layout.keypane, 300},
      {"dirpaney", &layout.dirpaney, 350},
      {"preview_x", &layout.preview_x, 0},
      {"preview_y", &layout.preview_y, 350},
      {"preview_w", &layout.preview_w, 300},
      {"preview_h", &layout.preview_h, 200},
      {"preview_on", &layout.preview_on, 1},
  });

  auto& files = settings.fileOptions;
  AddSection(rows, "File Options", {
      {"showjpg", &files.showjpg, 1},
      {"showgif", &files.showgif, 1},
      {"showbmp", &files.showbmp, 1},
      {"showtif", &files.showtif, 1},
      {"showpng", &files.showpng, 1},
      {"showpsd", &files.showpsd, 1},
      {"showpcx", &files.showpcx, 1},
      {"showlnk", &files.showlnk, 1},
      {"ditherbmp", &Cimage::S_file_dither_bmp, 1},
      {"colormapbmp", &Cimage::S_file_colormap_bmp, 0},
      {"ditherpng", &Cimage::S_file_dither_png, 1},
      {"colormappng", &Cimage::S_file_colormap_png, 0},
      {"dithergif", &Cimage::S_file_dither_gif, 1},
      {"keepexifinfo", &Cimage::S_keep_exifinfo, 1},
      {"confirm", &files.confirm, 1},
      {"savequality", &Cimage::S_file_save_quality, 80},
      {"useoriginal", &files.useoriginal, 1},
      {"dither16", &files.dither16, 1},
      {"usecdcache", &files.usecdcache, 1},
      {"cachecds", &files.cachecds, 1},
      {"cacheremove", &files.cacheremove, 0},
      {"homedirectory", &files.homedirectory, "C:"},
      {"usehomedir", &files.usehomedir, 0},
  });

  auto& confirmations = settings.confirmations;
  AddSection(rows, "Confirmations", {
      {"keydel", &confirmations.keydel, 1},
      {"single", &confirmations.single, 0},
      {"multi", &confirmations.multi, 1},
      {"nonnest", &confirmations.nonnest, 1},
      {"nested", &confirmations.nested, 1},
      {"allsize", &confirmations.allsize, 2},
  });

  auto& sheet = settings.thumbPrint;
  AddSection(rows, "ThumbPrint", {
      {"filenames", &sheet.filenames, 1},
      {"filedates", &sheet.filedates, 1},
      {"filesizes", &sheet.filesizes, 1},
      {"title", &sheet.title, 1},
      {"allorsel", &sheet.allorsel, 0},
      {"nx", &sheet.nx, 5},
      {"ny", &sheet.ny, 4},
      {"draft", &sheet.draft, 0},
      {"margin", &sheet.margin, 0},
  });

  auto& twain = settings.twainDest;
  AddSection(rows, "TWAINDest", {
      {"filename", &twain.filename, "TWAIN"},
      {"index", &twain.index, 1},
      {"format", &twain.format, 0},
      {"mode", &twain.mode, 0},
  });

  auto& index = settings.createIndex;
  AddSection(rows, "CreateIndex", {
      {"width", &index.width, 6},
      {"height", &index.height, 3},
      {"title", &index.title, 1},
      {"date", &index.date, 0},
      {"name", &index.name, 0},
      {"size", &index.size, 0},
      {"color", &index.color, 0xFFFFFF},
      {"fgcolor", &index.fgcolor, 0},
      {"spacing", &index.spacing, 10},
      {"autospace", &index.autospace, 1},
  });

  auto& transitions = settings.transitions;
  AddSection(rows, "Transitions", {
      {"enable", &transitions.enable, 1},
      {"random", &transitions.random, 0},
      {"slidev", &transitions.slidev, 1},
      {"slideh", &transitions.slideh, 1},
      {"fingersv", &transitions.fingersv, 1},
      {"fingersh", &transitions.fingersh, 1},
      {"tfingersv", &transitions.tfingersv, 1},
      {"tfingersh", &transitions.tfingersh, 1},
      {"weave", &transitions.weave, 1},
      {"zoomi", &transitions.zoomi, 1},
      {"zoomo", &transitions.zoomo, 1},
      {"shutterv", &transitions.shutterv, 1},
      {"shutterh", &transitions.shutterh, 1},
      {"wiperv", &transitions.wiperv, 1},
      {"wiperh", &transitions.wiperh, 1},
      {"gridl", &transitions.gridl, 1},
      {"grids", &transitions.grids, 1},
      {"speckle", &transitions.speckle, 1},
      {"blocksl", &transitions.blocksl, 1},
      {"blockss", &transitions.blockss, 1},
  });

  auto& web = settings.quickWeb;
  AddSection(rows, "QuickWeb", {
      {"style", &web.style, 0},
      {"cols", &web.cols, 3},
      {"thumbwid", &web.thumbwid, 170},
      {"thumbhgt", &web.thumbhgt, 150},
      {"wid", &web.wid, 640},
      {"hgt", &web.hgt, 480},
      {"textunder", &web.textunder, 0},
      {"usetext", &web.usetext, 1},
      {"filenames", &web.filenames, 1},
      {"filedates", &web.filedates, 1},
      {"filesizes", &web.filesizes, 1},
      {"annotations", &web.annotations, 0},
      {"statictext", &web.statictext, 0},
      {"useoriginal", &web.useoriginal, 0},
      {"centered", &web.centered, 1},
      {"omitintro", &web.omitintro, 0},
      {"framelines", &web.framelines, 1},
      {"indexbkgcolor", &web.indexbkgcolor, 0xFFFFFF},
      {"imagebkgcolor", &web.imagebkgcolor, 0xFFFFFF},
      {"indexfgcolor", &web.indexfgcolor, 0},
      {"imagefgcolor", &web.imagefgcolor, 0},
      {"indexlkgcolor", &web.indexlkgcolor, 0xFF0000},
      {"imagelkgcolor", &web.imagelkgcolor, 0xFF0000},
      {"indexvicolor", &web.indexvicolor, 0x7F0000},
      {"imagevicolor", &web.imagevicolor, 0x7F0000},
      {"autobkgcolor", &web.autobkgcolor, 0},
      {"usebkgimage", &web.usebkgimage, 0},
      {"usebkgimageall", &web.usebkgimageall, 0},
      {"createpages", &web.createpages, 0},
      {"centerimages", &web.centerimages, 1},
      {"pagefilenames", &web.pagefilenames, 1},
      {"pageannots", &web.pageannots, 1},
      {"pagebackbtn", &web.pagebackbtn, 1},
      {"pagestatic", &web.pagestatic, 0},
      {"prevnextbtns", &web.prevnextbtns, 1},
      {"imgpage_useopening", &web.imgpage_useopening, 0},
      {"idx_usebg", &web.idx_usebg, 0},
      {"img_usebg", &web.img_usebg, 0},
      {"use_idxps", &web.use_idxps, 0},
      {"use_idxpe", &web.use_idxpe, 0},
      {"use_imgps", &web.use_imgps, 0},
      {"use_imgpe", &web.use_imgpe, 0},
      {"op_usefontsize", &web.op_usefontsize, 0},
      {"op_usefontface", &web.op_usefontface, 0},
      {"op_usefontcolr", &web.op_usefontcolr, 0},
      {"tt_usefontsize", &web.tt_usefontsize, 0},
      {"tt_usefontface", &web.tt_usefontface, 0},
      {"tt_usefontcolr", &web.tt_usefontcolr, 0},
      {"wpp_op_usefontsize", &web.wpp_op_usefontsize, 0},
      {"wpp_op_usefontface", &web.wpp_op_usefontface, 0},
      {"wpp_op_usefontcolr", &web.wpp_op_usefontcolr, 0},
      {"wpp_tt_usefontsize", &web.wpp_tt_usefontsize, 0},
      {"wpp_tt_usefontface", &web.wpp_tt_usefontface, 0},
      {"wpp_tt_usefontcolr", &web.wpp_tt_usefontcolr, 0},
      {"imagequality", &web.imagequality, 70},
      {"thumbquality", &web.thumbquality, 40},
      {"bkimagefile", &web.bkimagefile, ""},
      {"backlinktext", &web.backlinktext, "Back to index page"},
      {"imgpage_openingtext", &web.imgpage_openingtext, "Inserted at the top of each image page"},
      {"idx_bgimage", &web.idx_bgimage, "background.jpg"},
      {"img_bgimage", &web.img_bgimage, "background.jpg"},
      {"titletext", &web.titletext, "Page Title"},
      {"openingtext", &web.openingtext, "Text appearing at the top of the page"},
      {"closuretext", &web.closuretext, "Text appearing at the bottom of the page"},
      {"filename", &web.filename, "index"},
      {"savepath", &web.savepath, "C:\\web\\quickpage"},
      {"staticstr", &web.staticstr, "Copyright or other text alongside each image"},
      {"idxps", &web.idxps, "index page start - include file name"},
      {"idxpe", &web.idxpe, "index page end   - include file name"},
      {"imgps", &web.imgps, "image page start - include file name"},
      // Earlier versions stored the end name under "imgps" too, over the start name.
      {"imgpe", &web.imgpe, "image page end   - include file name", "imgps"},
      {"includepath", &web.includepath, "C:\\"},
      {"op_fontsize", &web.op_fontsize, "+1"},
      {"op_fontface", &web.op_fontface, "Times"},
      {"op_fontcolr", &web.op_fontcolr, "black"},
      {"tt_fontsize", &web.tt_fontsize, "-2"},
      {"tt_fontface", &web.tt_fontface, "Arial"},
      {"tt_fontcolr", &web.tt_fontcolr, "black"},
      {"wpp_op_fontsize", &web.wpp_op_fontsize, "+1"},
      {"wpp_op_fontface", &web.wpp_op_fontface, "Times"},
      {"wpp_op_fontcolr", &web.wpp_op_fontcolr, "black"},
      {"wpp_tt_fontsize", &web.wpp_tt_fontsize, "-2"},
      {"wpp_tt_fontface", &web.wpp_tt_fontface, "Arial"},
      {"wpp_tt_fontcolr", &web.wpp_tt_fontcolr, "black"},
  });

  auto& collage = settings.collage;
  AddSection(rows, "Collage", {
      {"defaultx", &collage.defaultx, 300},
      {"defaulty", &collage.defaulty, 200},
  });

  auto& audio = settings.audio;
  AddSection(rows, "Audio", {
      {"playondisplay", &audio.playondisplay, 1},
      {"playonslideshow", &audio.playonslideshow, 1},
      {"autoextract", &audio.autoextract, 1},
  });

  return rows;
}
