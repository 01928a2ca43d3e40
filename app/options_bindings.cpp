#include "options_bindings.h"

#include <climits>
#include <iterator>

#include "Cimage.h"
#include "app_settings.h"
#include "resource.h"

const OptionBinding kThumbnailsBindings[] = {
    {OptionKind::kRadio, IDC_THUMBNAILS_HUGE, &g_settings.thumbnails.thumbnailSize, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_THUMBNAILS_FILENAMES, &g_settings.thumbnails.showfilename, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_THUMBNAILS_SIZES, &g_settings.thumbnails.showsizeinfo, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_THUMBNAILS_DATE, &g_settings.thumbnails.showfiledate, nullptr, 0, 0},
    {OptionKind::kRadio, IDC_THUMBNAILS_SORT_NAME, &g_settings.thumbnails.sortby, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_THUMBNAILS_REVERSE, &g_settings.thumbnails.reverse, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_THUMBNAILS_CASE, &g_settings.thumbnails.casesense, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_THUMBNAILS_JPEG, &g_settings.fileOptions.showjpg, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_THUMBNAILS_GIF, &g_settings.fileOptions.showgif, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_THUMBNAILS_TIF, &g_settings.fileOptions.showtif, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_THUMBNAILS_BMP, &g_settings.fileOptions.showbmp, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_THUMBNAILS_PNG, &g_settings.fileOptions.showpng, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_THUMBNAILS_PCX, &g_settings.fileOptions.showpcx, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_THUMBNAILS_PSD, &g_settings.fileOptions.showpsd, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_THUMBNAILS_LNK, &g_settings.fileOptions.showlnk, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_THUMBNAILS_TIPS, &g_settings.thumbnails.annotations, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_THUMBNAILS_ACCUMULATE, &g_settings.thumbnails.accumulate, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_THUMBNAILS_DDMMYY, &g_settings.thumbnails.ddmmyy, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_THUMBNAILS_HIDDEN, &g_settings.thumbnails.showhidden, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_THUMBNAILS_RIGHT_OPEN, &g_settings.mainOptions.rightopen, nullptr, 0, 0},
};
const OptionBindings kThumbnailsPage = {kThumbnailsBindings, std::size(kThumbnailsBindings)};

const OptionBinding kImageBindings[] = {
    {OptionKind::kRadio, IDC_IMAGES_FULL, &g_settings.pictureFrames.preferedsize, nullptr, 0, 0},
    {OptionKind::kRadio, IDC_IMAGES_REDUCE, &g_settings.pictureFrames.scalingmode, nullptr, 0, 0},
    {OptionKind::kRadio, IDC_IMAGES_AUTOSIZING, &g_settings.pictureFrames.viewstyle, nullptr, 0, 0},
    {OptionKind::kRadio, IDC_IMAGES_CORNERS, &g_settings.pictureFrames.position, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_IMAGES_DELAY, &g_settings.pictureFrames.dismissondelay, nullptr, 0, 0},
    {OptionKind::kInt, IDC_IMAGES_DELAY_SECONDS, &g_settings.pictureFrames.dismisstime, nullptr, INT_MIN, INT_MAX},
    {OptionKind::kCheck, IDC_IMAGES_LIMIT, &g_settings.pictureFrames.dismissonmore, nullptr, 0, 0},
    {OptionKind::kInt, IDC_IMAGES_LIMIT_COUNT, &g_settings.pictureFrames.dismissonimages, nullptr, INT_MIN, INT_MAX},
    {OptionKind::kCheck, IDC_IMAGES_CLICK, &g_settings.pictureFrames.dismissonclick, nullptr, 0, 0},
};
const OptionBindings kImagePage = {kImageBindings, std::size(kImageBindings)};

const OptionBinding kSlideshowBindings[] = {
    {OptionKind::kRadio, IDC_SLIDESHOW_FULL, &g_settings.slideShow.size, nullptr, 0, 0},
    {OptionKind::kRadio, IDC_SLIDESHOW_REDUCE, &g_settings.slideShow.fitmode, nullptr, 0, 0},
    {OptionKind::kRadio, IDC_SLIDESHOW_CORNERS, &g_settings.slideShow.position, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_SLIDESHOW_DELAY, &g_settings.slideShow.usedelay, nullptr, 0, 0},
    {OptionKind::kInt, IDC_SLIDESHOW_INTERVAL, &g_settings.slideShow.interval, nullptr, INT_MIN, INT_MAX},
    {OptionKind::kCheck, IDC_SLIDESHOW_TENTHS, &g_settings.slideShow.tenths, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_SLIDESHOW_MOUSE, &g_settings.slideShow.onmouse, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_SLIDESHOW_KEY, &g_settings.slideShow.onkey, nullptr, 0, 0},
    {OptionKind::kRadio, IDC_SLIDESHOW_BY_NAME, &g_settings.slideShow.order, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_SLIDESHOW_REVERSE, &g_settings.slideShow.reverse, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_SLIDESHOW_CASE, &g_settings.slideShow.case_, nullptr, 0, 0},
    {OptionKind::kRadio, IDC_SLIDESHOW_ALL, &g_settings.slideShow.include, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_SLIDESHOW_OVERLAP, &g_settings.slideShow.overlap, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_SLIDESHOW_LOOP, &g_settings.slideShow.recycle, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_SLIDESHOW_MATCH, &g_settings.slideShow.match, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_SLIDESHOW_NAMES, &g_settings.slideShow.shownames, nullptr, 0, 0},
};
const OptionBindings kSlideshowPage = {kSlideshowBindings, std::size(kSlideshowBindings)};

const OptionBinding kTransitionsBindings[] = {
    {OptionKind::kCheck, IDC_TRANSITIONS_ENABLE, &g_settings.transitions.enable, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_TRANSITIONS_RANDOM, &g_settings.transitions.random, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_TRANSITIONS_SLIDEV, &g_settings.transitions.slidev, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_TRANSITIONS_FINGERSV, &g_settings.transitions.fingersv, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_TRANSITIONS_TFINGERSV, &g_settings.transitions.tfingersv, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_TRANSITIONS_WEAVE, &g_settings.transitions.weave, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_TRANSITIONS_ZOOMI, &g_settings.transitions.zoomi, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_TRANSITIONS_SHUTTERV, &g_settings.transitions.shutterv, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_TRANSITIONS_WIPEV, &g_settings.transitions.wiperv, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_TRANSITIONS_GRIDL, &g_settings.transitions.gridl, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_TRANSITIONS_SPECKLE, &g_settings.transitions.speckle, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_TRANSITIONS_BLOCKSL, &g_settings.transitions.blocksl, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_TRANSITIONS_SLIDEH, &g_settings.transitions.slideh, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_TRANSITIONS_FINGERSH, &g_settings.transitions.fingersh, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_TRANSITIONS_TFINGERSH, &g_settings.transitions.tfingersh, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_TRANSITIONS_ZOOMO, &g_settings.transitions.zoomo, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_TRANSITIONS_SHUTTERH, &g_settings.transitions.shutterh, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_TRANSITIONS_WIPEH, &g_settings.transitions.wiperh, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_TRANSITIONS_GRIDS, &g_settings.transitions.grids, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_TRANSITIONS_BLOCKSS, &g_settings.transitions.blockss, nullptr, 0, 0},
};
const OptionBindings kTransitionsPage = {kTransitionsBindings, std::size(kTransitionsBindings)};

const OptionBinding kSystemBindings[] = {
    {OptionKind::kInt, IDC_SYSTEM_QUALITY, &Cimage::S_file_save_quality, nullptr, INT_MIN, INT_MAX},
    {OptionKind::kCheck, IDC_SYSTEM_DITHER_BMP, &Cimage::S_file_dither_bmp, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_SYSTEM_COLORMAP_BMP, &Cimage::S_file_colormap_bmp, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_SYSTEM_DITHER_GIF, &Cimage::S_file_dither_gif, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_SYSTEM_DITHER_PNG, &Cimage::S_file_dither_png, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_SYSTEM_COLORMAP_PNG, &Cimage::S_file_colormap_png, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_SYSTEM_CONFIRM, &g_settings.fileOptions.confirm, nullptr, 0, 0},
    {OptionKind::kText, IDC_SYSTEM_HOME, nullptr, &g_settings.fileOptions.homedirectory, 0, 200},
    {OptionKind::kCheck, IDC_SYSTEM_USE_HOME, &g_settings.fileOptions.usehomedir, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_SYSTEM_SINGLE, &g_settings.confirmations.single, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_SYSTEM_MULTI, &g_settings.confirmations.multi, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_SYSTEM_NONNEST, &g_settings.confirmations.nonnest, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_SYSTEM_NESTED, &g_settings.confirmations.nested, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_SYSTEM_KEYDEL, &g_settings.confirmations.keydel, nullptr, 0, 0},
    {OptionKind::kInt, IDC_SYSTEM_ALLSIZE, &g_settings.confirmations.allsize, nullptr, 0, 9999},
    {OptionKind::kCheck, IDC_SYSTEM_DELETE_KEY, &g_settings.mainOptions.delkey, nullptr, 0, 0},
};
const OptionBindings kSystemPage = {kSystemBindings, std::size(kSystemBindings)};

const OptionBinding kCacheBindings[] = {
    {OptionKind::kRadio, IDC_CACHE_AUTOMATIC, &g_settings.thumbnails.cachemode, nullptr, 0, 0},
    {OptionKind::kRadio, IDC_CACHE_FAST, &g_settings.thumbnails.cachequality, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_CACHE_SMALL, &g_settings.thumbnails.dosmall, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_CACHE_LIMIT, &g_settings.thumbnails.limit, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_CACHE_DEFERRED, &g_settings.thumbnails.thresh, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_CACHE_CD_FILES, &g_settings.fileOptions.usecdcache, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_CACHE_CD_DRIVE, &g_settings.fileOptions.cachecds, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_CACHE_REMOVABLE, &g_settings.fileOptions.cacheremove, nullptr, 0, 0},
    {OptionKind::kText, IDC_CACHE_PATH, nullptr, &g_settings.mainOptions.cachepath, 0, 260},
    {OptionKind::kCheck, IDC_CACHE_HIDDEN, &g_settings.hiddenFiles.tnc, nullptr, 0, 0},
};
const OptionBindings kCachePage = {kCacheBindings, std::size(kCacheBindings)};

const OptionBinding kPreferencesBindings[] = {
    {OptionKind::kCheck, IDC_PREFERENCES_EXPAND_DIRS, &g_settings.preferences.expanddirs, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_PREFERENCES_SLOW_DIRS, &g_settings.preferences.slowdirs, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_PREFERENCES_EXPAND_KEYS, &g_settings.preferences.expandkeys, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_PREFERENCES_SLOW_KEYS, &g_settings.preferences.slowkeys, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_PREFERENCES_DONT_CONFIRM, &g_settings.preferences.dontconfirm, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_PREFERENCES_DONT_WARN, &g_settings.mainOptions.dontwarn256, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_PREFERENCES_SLOW_TIPS, &g_settings.preferences.slowtips, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_PREFERENCES_HIDE_TNC, &g_settings.hiddenFiles.tnc, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_PREFERENCES_HIDE_IIF, &g_settings.hiddenFiles.iif, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_PREFERENCES_HIDE_STS, &g_settings.hiddenFiles.sts, nullptr, 0, 0},
};
const OptionBindings kPreferencesPage = {kPreferencesBindings, std::size(kPreferencesBindings)};

const OptionBinding kCaptureOptionsBindings[] = {
    {OptionKind::kCheck, IDC_CAPTURE_ENABLE, &g_settings.capture.enable, nullptr, 0, 0},
    {OptionKind::kText, IDC_CAPTURE_PATH, nullptr, &g_settings.capture.path, 0, 260},
    {OptionKind::kText, IDC_CAPTURE_PREFIX, nullptr, &g_settings.capture.prefix, 0, 100},
    {OptionKind::kInt, IDC_CAPTURE_INDEX, &g_settings.capture.index, nullptr, 0, 10000000},
    {OptionKind::kRadio, IDC_CAPTURE_WINDOW, &g_settings.capture.window, nullptr, 0, 0},
    {OptionKind::kRadio, IDC_CAPTURE_JPEG, &g_settings.capture.format, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_CAPTURE_SOUND, &g_settings.capture.sound, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_CAPTURE_DISPLAY, &g_settings.capture.display, nullptr, 0, 0},
};
const OptionBindings kCaptureOptionsPage = {kCaptureOptionsBindings, std::size(kCaptureOptionsBindings)};

const OptionBinding kAudioBindings[] = {
    {OptionKind::kCheck, IDC_AUDIO_ON_DISPLAY, &g_settings.audio.playondisplay, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_AUDIO_ON_SLIDESHOW, &g_settings.audio.playonslideshow, nullptr, 0, 0},
    {OptionKind::kCheck, IDC_AUDIO_EXTRACT, &g_settings.audio.autoextract, nullptr, 0, 0},
};
const OptionBindings kAudioPage = {kAudioBindings, std::size(kAudioBindings)};
