#pragma once
// Where a pan/zoom window's picture lies: which part of the picture the client area shows at the
// zoom ratio, where on the client it is drawn, and how client points map to picture points. Each
// axis is worked out on its own, the same way.

// One axis of the view. Sizes and positions of the picture are in picture pixels; the offset is
// in client pixels.
struct ViewAxis {
  int visible = 0;  // picture pixels the client shows
  int origin = 0;   // the first picture pixel shown
  int centre = 0;   // the picture pixel at the middle of the view
  int offset = 0;   // where the picture starts on the client (a picture narrower than the client is centred)
};

// Lays one axis out for a client of `client` pixels and a picture of `picture` pixels at num:den,
// keeping the view's centre (or its far edge, when the view grew past the picture's end).
ViewAxis LayoutAxis(ViewAxis axis, int client, int picture, int num, int den);

// A client coordinate as a picture coordinate and back, at num:den with the view's origin and
// offset. The picture coordinate is not bounded.
int ClientToPicture(int client, const ViewAxis& axis, int num, int den);
int PictureToClient(int picture, const ViewAxis& axis, int num, int den);
// The same for an autosizing window, whose picture is shown at shown / inFile of its file's size,
// drawn at the offset.
int ClientToFile(int client, int offset, int shown, int inFile);
int FileToClient(int file, int offset, int shown, int inFile);
// A coordinate kept on the picture: 0 .. size - 1 (0 for an empty picture).
int OnPicture(int coordinate, int size);

// Scroll steps: a line is a tenth of the visible size, a page nine tenths.
int LineStep(int visible);
int PageStep(int visible);

// The mouse wheel's travel, kept until it makes whole steps: a step needs more than 120 units.
class WheelAccumulator {
 public:
  // Adds a wheel delta; returns the lines to scroll, positive down (the wheel turned away from
  // the user).
  int Add(int delta);

 private:
  int total_ = 0;
};

// A reduced view (1:den) is drawn in whole blocks of den × den picture pixels, counted from the
// picture's corner, so that parts of it drawn at different times fit together: the first block
// shown is the one holding the origin.
int BlockOrigin(int origin, int den);
// The client pixels the drawn picture moves by when the origin moves (positive: to the right or
// down), so that what is already on the screen can be moved instead of drawn again.
int ShownShift(int oldOrigin, int newOrigin, int num, int den);

// The picture pixels that cover the client pixels first .. end - 1 along one axis, drawn from
// the first block shown: whole blocks, with a pixel more at each side (for the enlarging filters,
// which look at the neighbours), within the picture.
struct PictureSpan {
  int first;
  int end;
};
PictureSpan SpanCovering(int clientFirst, int clientEnd, const ViewAxis& axis, int size, int num, int den);
