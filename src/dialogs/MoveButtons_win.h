#pragma once

#include "base/UniqueResource_win.h"

#include <windows.h>

// The owner-drawn up and down buttons beside a list. The arrows are the 1-bit bitmaps MOVEUP and
// MOVEDOWN, painted in the button text colour (grey while disabled) on the button face.
class CMoveButtons
{
public:
  CMoveButtons(int nUpId, int nDownId);

  // Paints one of the two buttons (WM_DRAWITEM); false for any other control.
  bool draw(const DRAWITEMSTRUCT& item) const;

private:
  int m_nUpId;
  int m_nDownId;
  UniqueBitmap m_hbmUp;
  UniqueBitmap m_hbmDown;
};
