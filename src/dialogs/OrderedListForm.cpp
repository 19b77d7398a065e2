#include "OrderedListForm.h"

#include <utility>

void OrderedListForm::select(int nLine)
{
  m_nSelection = nLine >= 0 && nLine < lineCount() ? nLine : -1;
}

void OrderedListForm::remove()
{
  if (!canRemove())
    return;
  removeRecord(m_rgstrLines[m_nSelection]);
  eraseLine(m_nSelection);
}

void OrderedListForm::commitOrder()
{
  for (int nLine = 0; nLine < lineCount(); ++nLine)
    setRecordOrder(m_rgstrLines[nLine], nLine);
}

void OrderedListForm::insertLine(int nLine, const std::string& strLine)
{
  m_rgstrLines.insert(m_rgstrLines.begin() + nLine, strLine);
  m_nSelection = nLine;
}

void OrderedListForm::eraseLine(int nLine)
{
  int nSelection = m_nSelection;
  m_rgstrLines.erase(m_rgstrLines.begin() + nLine);
  select(nSelection < lineCount() ? nSelection : lineCount() - 1);
}

bool OrderedListForm::canMove(int nFrom, int nTo) const
{
  return nFrom != nTo && nFrom >= 0 && nFrom < lineCount() && nTo >= 0 && nTo < lineCount();
}

void OrderedListForm::move(int nFrom, int nTo)
{
  if (!canMove(nFrom, nTo))
    return;
  std::swap(m_rgstrLines[nFrom], m_rgstrLines[nTo]);
  m_nSelection = nTo;
}
