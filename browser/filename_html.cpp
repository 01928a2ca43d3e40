#include "filename_html.h"

#include "html_text.h"

std::string FilenameHtml(const FilenameHtmlSource& file, FilenameHtmlStyle style) {
  const std::string link = UrlPath(file.name);
  const std::string plainTag = "<IMG SRC =\"" + link + "\" >";
  switch (style) {
    case FilenameHtmlStyle::kName:
      return file.name;
    case FilenameHtmlStyle::kImageTag:
      if (!file.loaded) return plainTag;
      return "<IMG SRC =\"" + link + "\" WIDTH=" + std::to_string(file.width) +
             "  HEIGHT=" + std::to_string(file.height) + ">";
    case FilenameHtmlStyle::kThumbnailLink:
      if (!file.loaded) return plainTag;
      return "<A HREF=\"" + link + "\"><IMG SRC =\"thumbnails/" + link + "\"></A>";
    case FilenameHtmlStyle::kFullPath:
    default:
      return file.folder + file.name;
  }
}
