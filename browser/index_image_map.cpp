#include "index_image_map.h"

#include "html_text.h"

std::string IndexImageMap(const std::vector<IndexPlace>& places, const std::vector<std::string>& names) {
  std::string map = "<map name=\"IMAGEMAP_NAME\">\r\n";
  for (const IndexPlace& place : places) {
    // The name as a link target: a space, '#' or '&' in a file name would otherwise break it.
    map += "    <area shape=\"rect\" coords=\"" + std::to_string(place.x) + "," +
           std::to_string(place.baseline - place.height) + "," + std::to_string(place.x + place.width - 1) + "," +
           std::to_string(place.baseline - 1) + "\" href=\"" + UrlPath(names.at(place.item)) + "\">\r\n";
  }
  map += "    <area shape=\"default\" nohref>\r\n";
  map += "</map>\r\n";
  map += "<img border=\"0\" src=\"IMAGEMAP_IMAGENAME\" usemap=\"#IMAGEMAP_NAME\">\r\n";
  return map;
}
