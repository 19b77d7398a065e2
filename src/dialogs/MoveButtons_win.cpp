#include "MoveButtons_win.h"

namespace
{
HBITMAP loadArrow(const char* pszName)
{
  return static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), pszName, IMAGE_BITMAP, 0, 0, LR_MONOCHROME));
}

// A monochrome bitmap copied onto a colour device context takes the text colour for its black
// bits and the background colour for its white ones: the arrow follows the colour scheme.
void paintArrow(HDC hdc, HBITMAP hbmArrow, const RECT& rcButton, bool fPushed, bool fDisabled)
{
  BITMAP bitmap = {};
  if (hbmArrow == nullptr || GetObjectA(hbmArrow, sizeof(bitmap), &bitmap) == 0)
    return;
  UniqueMemoryDc hdcArrow(CreateCompatibleDC(hdc));
  if (!hdcArrow)
    return;
  HGDIOBJ hOld = SelectObject(hdcArrow.get(), hbmArrow);
  int nShift = fPushed ? 1 : 0;
  int x = rcButton.left + (rcButton.right - rcButton.left - bitmap.bmWidth) / 2 + nShift;
  int y = rcButton.top + (rcButton.bottom - rcButton.top - bitmap.bmHeight) / 2 + nShift;
  COLORREF crText = SetTextColor(hdc, GetSysColor(fDisabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  COLORREF crBack = SetBkColor(hdc, GetSysColor(COLOR_BTNFACE));
  BitBlt(hdc, x, y, bitmap.bmWidth, bitmap.bmHeight, hdcArrow.get(), 0, 0, SRCCOPY);
  SetBkColor(hdc, crBack);
  SetTextColor(hdc, crText);
  SelectObject(hdcArrow.get(), hOld);
}
}  // namespace

CMoveButtons::CMoveButtons(int nUpId, int nDownId)
  : m_nUpId(nUpId), m_nDownId(nDownId), m_hbmUp(loadArrow("MOVEUP")), m_hbmDown(loadArrow("MOVEDOWN"))
{
}

bool CMoveButtons::draw(const DRAWITEMSTRUCT& item) const
{
  if (item.CtlType != ODT_BUTTON || (static_cast<int>(item.CtlID) != m_nUpId && static_cast<int>(item.CtlID) != m_nDownId))
    return false;
  bool fPushed = (item.itemState & ODS_SELECTED) != 0;
  bool fDisabled = (item.itemState & ODS_DISABLED) != 0;
  RECT rcButton = item.rcItem;
  DrawFrameControl(item.hDC, &rcButton, DFC_BUTTON, DFCS_BUTTONPUSH | (fPushed ? DFCS_PUSHED : 0));
  HBITMAP hbmArrow = static_cast<int>(item.CtlID) == m_nUpId ? m_hbmUp.get() : m_hbmDown.get();
  paintArrow(item.hDC, hbmArrow, item.rcItem, fPushed, fDisabled);
  if ((item.itemState & ODS_FOCUS) != 0)
  {
    RECT rcFocus = item.rcItem;
    InflateRect(&rcFocus, -3, -3);
    DrawFocusRect(item.hDC, &rcFocus);
  }
  return true;
}
