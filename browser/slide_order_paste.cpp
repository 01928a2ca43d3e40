#include "slide_order_paste.h"

void PlaceMarkedBefore(CThumbList& items, const CThumbItem* target) {
  uint32_t position = 0;
  bool reached = false;
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext()) {
    if (item == target) reached = true;
    if (!reached && !item->marked) item->slidePos = position++;
  }
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext())
    if (item->marked) item->slidePos = position++;
  reached = false;
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext()) {
    if (item == target) reached = true;
    if (reached && !item->marked) item->slidePos = position++;
  }
}
