#pragma once
// The names a web site's files get in its folder. Each picture's page image, thumbnail and page
// are named after the picture ("photo.jpg" gives "photo.jpg", "tn_photo.jpg", "photo.htm"); a
// name already given in the site (the index page, a background picture, the files of an earlier
// picture: "photo.jpg" beside "photo.tif", a picture named "index.jpg" or one named "tn_x.jpg"
// beside "x.jpg") makes the later picture's names numbered, "photo_2.jpg" and so on, so that no
// file of the site replaces another and every link names the file meant. Names compare without
// ASCII case, as Windows names do.
#include <set>
#include <string>

struct QuickWebNames {
  std::string image;      // P.jpg
  std::string thumbnail;  // tn_P.jpg
  std::string page;       // P.htm
};

class QuickWebNaming {
 public:
  // The name itself when free, else the first free numbered one ("name_2.ext", ...); taken from
  // then on.
  std::string Reserve(const std::string& fileName);
  // The three names of a picture file; a name without '.' is its own name part.
  QuickWebNames ForPicture(const std::string& sourceName);

 private:
  bool Free(const std::string& fileName) const;
  void Take(const std::string& fileName);

  std::set<std::string> taken_;
};

// The picture's name up to its last '.' (the whole name when it has none).
std::string QuickWebNamePart(const std::string& fileName);
