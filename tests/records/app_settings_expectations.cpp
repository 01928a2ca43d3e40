#include "app_settings_expectations.h"

#include "Cimage.h"

namespace {

ExpectedValue Text(const char* name) { return ExpectedValue(name, true); }

std::string N(int value) { return std::to_string(value); }

}  // namespace

const std::vector<ExpectedSection>& ExpectedSections() {
  static const std::vector<ExpectedSection> sections = {
      {"Main Options",
       {Text("mainpath"), Text("physicalpath"), Text("cachepath"), "rightopen", "tipson", "tipnum", "delkey",
        "dontwarn256"}},
      {"Effects", {"mode", "batchmode", "thickness", "rounding", "density"}},
      {"Batch Print",
       {"copies",     "english",    "upright",   "framed",    "dotted",    "center",    "overfill",
        "rows",       "cols",       "coloffset", "rowoffset", "colwidth",  "colheight", "pawidth",
        "paheight",   "paoffsetx",  "paoffsety", "taoffsetx", "taoffsety", "tasizex",   "tasizey",
        "bp_dotext",  "bp_names",   "bp_paths",  "bp_dates",  "bp_sizes",  "bp_annots", "bp_static",
        "bp_points",  "bp_txtcolor", Text("bp_font"), Text("bp_string")}},
      {"Capture",
       {"enable", "format", "window", "sound", "display", "index", "vkey", "kmod", Text("path"), Text("prefix")}},
      {"Preferences",
       {"expanddirs", "slowdirs", "expandkeys", "slowkeys", "dontconfirm", "toggleboth", "slowtips", "flatbar"}},
      {"Thumbnails",
       {"exif_tipoptions", "exif_tipsenable", "showfiledate", "showfilename", "showsizeinfo", "sortby", "reverse",
        "Thumbnail Size", "openwith", "showhidden", "showlinks", "preload", "accumulate", "cachemode", "casesense",
        "annotations", "fileinfo", "ddmmyy", "dosmall", "limit", "thresh", "cachequality"}},
      {"HiddenFiles", {"tnc", "iif", "sts"}},
      {"Picture Frames",
       {"position", "dismissondelay", "dismissonmore", "dismissonimages", "preferedsize", "dismisstime",
        "dismissonclick", "scalingmode", "viewstyle", "ontop"}},
      {"Slide Show",
       {"position", "size", "interval", "onmouse", "fitmode", "usedelay", "onkey", "overlap", "recycle", "order",
        "include", "reverse", "case", "match", "shownames", "tenths"}},
      {"Batch Resize",
       {"filesel", "targetsize", "customwidth", "customheight", "quality", Text("batchpath"), "colormap", "dither",
        "format", "original quality", "border", "bordercolor", "borderminimum", "useoverlay", "useborderimg",
        "overposx", "overposy", "transparent", "overfill", "notrans", "bordsizx", "bordsizy", "bordedge", "bordmatch",
        Text("overimg"), Text("borderimg")}},
      {"Frame Layout",
       {"top", "left", "bottom", "right", "maximized", "statusbar", "toolbar", "leftpane", "keypane", "dirpaney",
        "preview_x", "preview_y", "preview_w", "preview_h", "preview_on"}},
      {"File Options",
       {"showjpg", "showgif", "showbmp", "showtif", "showpng", "showpsd", "showpcx", "showlnk", "ditherbmp",
        "colormapbmp", "ditherpng", "colormappng", "dithergif", "keepexifinfo", "confirm", "savequality",
        "useoriginal", "dither16", "usecdcache", "cachecds", "cacheremove", Text("homedirectory"), "usehomedir"}},
      {"Confirmations", {"keydel", "single", "multi", "nonnest", "nested", "allsize"}},
      {"ThumbPrint", {"filenames", "filedates", "filesizes", "title", "allorsel", "nx", "ny", "draft", "margin"}},
      {"TWAINDest", {Text("filename"), "index", "format", "mode"}},
      {"CreateIndex",
       {"width", "height", "title", "date", "name", "size", "color", "fgcolor", "spacing", "autospace"}},
      {"Transitions",
       {"enable", "random", "slidev", "slideh", "fingersv", "fingersh", "tfingersv", "tfingersh", "weave", "zoomi",
        "zoomo", "shutterv", "shutterh", "wiperv", "wiperh", "gridl", "grids", "speckle", "blocksl", "blockss"}},
      {"QuickWeb",
       {"style", "cols", "thumbwid", "thumbhgt", "wid", "hgt", "textunder", "usetext", "filenames", "filedates",
        "filesizes", "annotations", "statictext", "useoriginal", "centered", "omitintro", "framelines",
        "indexbkgcolor", "imagebkgcolor", "indexfgcolor", "imagefgcolor", "indexlkgcolor", "imagelkgcolor",
        "indexvicolor", "imagevicolor", "autobkgcolor", "usebkgimage", "usebkgimageall", "createpages",
        "centerimages", "pagefilenames", "pageannots", "pagebackbtn", "pagestatic", "prevnextbtns",
        "imgpage_useopening", "idx_usebg", "img_usebg", "use_idxps", "use_idxpe", "use_imgps", "use_imgpe",
        "op_usefontsize", "op_usefontface", "op_usefontcolr", "tt_usefontsize", "tt_usefontface", "tt_usefontcolr",
        "wpp_op_usefontsize", "wpp_op_usefontface", "wpp_op_usefontcolr", "wpp_tt_usefontsize",
        "wpp_tt_usefontface", "wpp_tt_usefontcolr", "imagequality", "thumbquality", Text("bkimagefile"),
        Text("backlinktext"), Text("imgpage_openingtext"), Text("idx_bgimage"), Text("img_bgimage"),
        Text("titletext"), Text("openingtext"), Text("closuretext"), Text("filename"), Text("savepath"),
        Text("staticstr"), Text("idxps"), Text("idxpe"), Text("imgps"), Text("imgpe"), Text("includepath"),
        Text("op_fontsize"), Text("op_fontface"), Text("op_fontcolr"), Text("tt_fontsize"), Text("tt_fontface"),
        Text("tt_fontcolr"), Text("wpp_op_fontsize"), Text("wpp_op_fontface"), Text("wpp_op_fontcolr"),
        Text("wpp_tt_fontsize"), Text("wpp_tt_fontface"), Text("wpp_tt_fontcolr")}},
      {"Collage", {"defaultx", "defaulty"}},
      {"Audio", {"playondisplay", "playonslideshow", "autoextract"}},
  };
  return sections;
}

std::vector<std::string> FieldValues(const CAppSettings& s) {
  const auto& m = s.mainOptions;
  const auto& e = s.effects;
  const auto& bp = s.batchPrint;
  const auto& c = s.capture;
  const auto& p = s.preferences;
  const auto& t = s.thumbnails;
  const auto& h = s.hiddenFiles;
  const auto& pf = s.pictureFrames;
  const auto& ss = s.slideShow;
  const auto& br = s.batchResize;
  const auto& fl = s.frameLayout;
  const auto& fo = s.fileOptions;
  const auto& cf = s.confirmations;
  const auto& tp = s.thumbPrint;
  const auto& tw = s.twainDest;
  const auto& ci = s.createIndex;
  const auto& tr = s.transitions;
  const auto& q = s.quickWeb;
  return {
      m.mainpath, m.physicalpath, m.cachepath, N(m.rightopen), N(m.tipson), N(m.tipnum), N(m.delkey),
      N(m.dontwarn256),
      N(e.mode), N(e.batchmode), N(e.thickness), N(e.rounding), N(e.density),
      N(bp.copies), N(bp.english), N(bp.upright), N(bp.framed), N(bp.dotted), N(bp.center), N(bp.overfill),
      N(bp.rows), N(bp.cols), N(bp.coloffset), N(bp.rowoffset), N(bp.colwidth), N(bp.colheight), N(bp.pawidth),
      N(bp.paheight), N(bp.paoffsetx), N(bp.paoffsety), N(bp.taoffsetx), N(bp.taoffsety), N(bp.tasizex),
      N(bp.tasizey), N(bp.bp_dotext), N(bp.bp_names), N(bp.bp_paths), N(bp.bp_dates), N(bp.bp_sizes),
      N(bp.bp_annots), N(bp.bp_static), N(bp.bp_points), N(bp.bp_txtcolor), bp.bp_font, bp.bp_string,
      N(c.enable), N(c.format), N(c.window), N(c.sound), N(c.display), N(c.index), N(c.vkey), N(c.kmod), c.path,
      c.prefix,
      N(p.expanddirs), N(p.slowdirs), N(p.expandkeys), N(p.slowkeys), N(p.dontconfirm), N(p.toggleboth),
      N(p.slowtips), N(p.flatbar),
      N(t.exif_tipoptions), N(t.exif_tipsenable), N(t.showfiledate), N(t.showfilename), N(t.showsizeinfo),
      N(t.sortby), N(t.reverse), N(t.thumbnailSize), N(t.openwith), N(t.showhidden), N(t.showlinks), N(t.preload),
      N(t.accumulate), N(t.cachemode), N(t.casesense), N(t.annotations), N(t.fileinfo), N(t.ddmmyy), N(t.dosmall),
      N(t.limit), N(t.thresh), N(t.cachequality),
      N(h.tnc), N(h.iif), N(h.sts),
      N(pf.position), N(pf.dismissondelay), N(pf.dismissonmore), N(pf.dismissonimages), N(pf.preferedsize),
      N(pf.dismisstime), N(pf.dismissonclick), N(pf.scalingmode), N(pf.viewstyle), N(pf.ontop),
      N(ss.position), N(ss.size), N(ss.interval), N(ss.onmouse), N(ss.fitmode), N(ss.usedelay), N(ss.onkey),
      N(ss.overlap), N(ss.recycle), N(ss.order), N(ss.include), N(ss.reverse), N(ss.case_), N(ss.match),
      N(ss.shownames), N(ss.tenths),
      N(br.filesel), N(br.targetsize), N(br.customwidth), N(br.customheight), N(br.quality), br.batchpath,
      N(br.colormap), N(br.dither), N(br.format), N(br.originalQuality), N(br.border), N(br.bordercolor),
      N(br.borderminimum), N(br.useoverlay), N(br.useborderimg), N(br.overposx), N(br.overposy),
      N(br.transparent), N(br.overfill), N(br.notrans), N(br.bordsizx), N(br.bordsizy), N(br.bordedge),
      N(br.bordmatch), br.overimg, br.borderimg,
      N(fl.top), N(fl.left), N(fl.bottom), N(fl.right), N(fl.maximized), N(fl.statusbar), N(fl.toolbar),
      N(fl.leftpane), N(fl.keypane), N(fl.dirpaney), N(fl.preview_x), N(fl.preview_y), N(fl.preview_w),
      N(fl.preview_h), N(fl.preview_on),
      N(fo.showjpg), N(fo.showgif), N(fo.showbmp), N(fo.showtif), N(fo.showpng), N(fo.showpsd), N(fo.showpcx),
      N(fo.showlnk), N(Cimage::S_file_dither_bmp), N(Cimage::S_file_colormap_bmp), N(Cimage::S_file_dither_png),
      N(Cimage::S_file_colormap_png), N(Cimage::S_file_dither_gif), N(Cimage::S_keep_exifinfo), N(fo.confirm),
      N(Cimage::S_file_save_quality), N(fo.useoriginal), N(fo.dither16), N(fo.usecdcache), N(fo.cachecds),
      N(fo.cacheremove), fo.homedirectory, N(fo.usehomedir),
      N(cf.keydel), N(cf.single), N(cf.multi), N(cf.nonnest), N(cf.nested), N(cf.allsize),
      N(tp.filenames), N(tp.filedates), N(tp.filesizes), N(tp.title), N(tp.allorsel), N(tp.nx), N(tp.ny),
      N(tp.draft), N(tp.margin),
      tw.filename, N(tw.index), N(tw.format), N(tw.mode),
      N(ci.width), N(ci.height), N(ci.title), N(ci.date), N(ci.name), N(ci.size), N(ci.color), N(ci.fgcolor),
      N(ci.spacing), N(ci.autospace),
      N(tr.enable), N(tr.random), N(tr.slidev), N(tr.slideh), N(tr.fingersv), N(tr.fingersh), N(tr.tfingersv),
      N(tr.tfingersh), N(tr.weave), N(tr.zoomi), N(tr.zoomo), N(tr.shutterv), N(tr.shutterh), N(tr.wiperv),
      N(tr.wiperh), N(tr.gridl), N(tr.grids), N(tr.speckle), N(tr.blocksl), N(tr.blockss),
      N(q.style), N(q.cols), N(q.thumbwid), N(q.thumbhgt), N(q.wid), N(q.hgt), N(q.textunder), N(q.usetext),
      N(q.filenames), N(q.filedates), N(q.filesizes), N(q.annotations), N(q.statictext), N(q.useoriginal),
      N(q.centered), N(q.omitintro), N(q.framelines), N(q.indexbkgcolor), N(q.imagebkgcolor), N(q.indexfgcolor),
      N(q.imagefgcolor), N(q.indexlkgcolor), N(q.imagelkgcolor), N(q.indexvicolor), N(q.imagevicolor),
      N(q.autobkgcolor), N(q.usebkgimage), N(q.usebkgimageall), N(q.createpages), N(q.centerimages),
      N(q.pagefilenames), N(q.pageannots), N(q.pagebackbtn), N(q.pagestatic), N(q.prevnextbtns),
      N(q.imgpage_useopening), N(q.idx_usebg), N(q.img_usebg), N(q.use_idxps), N(q.use_idxpe), N(q.use_imgps),
      N(q.use_imgpe), N(q.op_usefontsize), N(q.op_usefontface), N(q.op_usefontcolr), N(q.tt_usefontsize),
      N(q.tt_usefontface), N(q.tt_usefontcolr), N(q.wpp_op_usefontsize), N(q.wpp_op_usefontface),
      N(q.wpp_op_usefontcolr), N(q.wpp_tt_usefontsize), N(q.wpp_tt_usefontface), N(q.wpp_tt_usefontcolr),
      N(q.imagequality), N(q.thumbquality), q.bkimagefile, q.backlinktext, q.imgpage_openingtext, q.idx_bgimage,
      q.img_bgimage, q.titletext, q.openingtext, q.closuretext, q.filename, q.savepath, q.staticstr, q.idxps,
      q.idxpe, q.imgps, q.imgpe, q.includepath, q.op_fontsize, q.op_fontface, q.op_fontcolr, q.tt_fontsize,
      q.tt_fontface, q.tt_fontcolr, q.wpp_op_fontsize, q.wpp_op_fontface, q.wpp_op_fontcolr, q.wpp_tt_fontsize,
      q.wpp_tt_fontface, q.wpp_tt_fontcolr,
      N(s.collage.defaultx), N(s.collage.defaulty),
      N(s.audio.playondisplay), N(s.audio.playonslideshow), N(s.audio.autoextract),
  };
}

SettingsEnvironment TestScreen() { return {1024, 768, "C:\\Program Files\\Vireldan"}; }

std::vector<std::string> WriteDistinctValues(Profile& profile) {
  // Values that the clamps would change get ones that are valid and still unlike the defaults.
  const struct {
    const char* section;
    const char* name;
    int value;
  } valid[] = {
      {"Picture Frames", "scalingmode", 1}, {"Frame Layout", "top", 20},     {"Frame Layout", "left", 10},
      {"Frame Layout", "bottom", 700},      {"Frame Layout", "right", 1000},
  };
  std::vector<std::string> written;
  int counter = 1000;
  for (const ExpectedSection& section : ExpectedSections()) {
    for (const ExpectedValue& value : section.values) {
      ++counter;
      if (value.text) {
        // Blanks at the ends, line breaks and backslashes must come back as they went in.
        std::string text = value.name + " " + N(counter) + " D:\\pictures\\";
        if (counter % 3 == 0) text = "  " + text + "\r\nsecond line ";
        profile.WriteString(section.name, value.name, text);
        written.push_back(text);
        continue;
      }
      int number = counter;
      for (const auto& fixed : valid)
        if (section.name == fixed.section && value.name == fixed.name) number = fixed.value;
      profile.WriteInt(section.name, value.name, number);
      written.push_back(N(number));
    }
  }
  return written;
}

std::vector<std::string> ReadAllValues(Profile& profile) {
  std::vector<std::string> values;
  for (const ExpectedSection& section : ExpectedSections())
    for (const ExpectedValue& value : section.values)
      values.push_back(value.text ? profile.GetString(section.name, value.name, "<missing>")
                                  : N(profile.GetInt(section.name, value.name, -999999)));
  return values;
}
