#include "ReplacementsForm.h"

#include "base/Assert.h"
#include "engine/ExpressionSyntax.h"
#include "engine/RecordOrder.h"

#include <memory>
#include <utility>

const char ReplacementsForm::kszAddCaption[] = "Add Input Data Replacement";
const char ReplacementsForm::kszEditCaption[] = "Edit Input Data Replacement";
const char ReplacementsForm::kszKeyExists[] = "The input data replacement \"%s\" already exist.";

// Sorted rather than looked up by 0, 1, ...: stored orders with gaps still show every
// replacement once, in the user's order, and OK then mends the numbers.
ReplacementsForm::ReplacementsForm(ReplacementMap& map) : m_map(map)
{
  for (const Replacement* pReplacement : recordsByOrder<Replacement>(m_map.getEntries()))
    m_rgstrLines.push_back(pReplacement->getKey());
}

void ReplacementsForm::select(int nLine)
{
  m_nSelection = nLine >= 0 && nLine < lineCount() ? nLine : -1;
}

// A new replacement goes before the selected line, or at the end when nothing is selected.
void ReplacementsForm::add(const ReplacementEditor& fnEdit, const ErrorReporter& fnError)
{
  auto pReplacement = std::make_unique<Replacement>();
  if (!fnEdit(*pReplacement, kszAddCaption))
    return;
  std::string strKey = pReplacement->getKey();
  if (!m_map.add(std::move(pReplacement)))
  {
    fnError(ExpressionSyntax::fill(kszKeyExists, {strKey}));
    return;
  }
  int nLine = m_nSelection >= 0 ? m_nSelection : lineCount();
  m_rgstrLines.insert(m_rgstrLines.begin() + nLine, strKey);
  m_nSelection = nLine;
}

// The edited copy replaces the original on the same line. When its texts equal another
// replacement's, the original stays as it was: a refused edit never loses the user's entry.
void ReplacementsForm::edit(const ReplacementEditor& fnEdit, const ErrorReporter& fnError)
{
  if (!canEdit())
    return;
  const std::string strOldKey = m_rgstrLines[m_nSelection];
  const Replacement* pSelected = m_map.lookup(strOldKey);
  QB_ASSERT(NULL != pSelected);
  auto pEdited = std::make_unique<Replacement>(*pSelected);
  if (!fnEdit(*pEdited, kszEditCaption))
    return;
  std::string strNewKey = pEdited->getKey();
  if (strNewKey != strOldKey && m_map.lookup(strNewKey) != nullptr)
  {
    fnError(ExpressionSyntax::fill(kszKeyExists, {strNewKey}));
    return;
  }
  QB_ASSERT(m_map.removeKey(strOldKey));
  QB_ASSERT(m_map.add(std::move(pEdited)));
  m_rgstrLines[m_nSelection] = strNewKey;
}

// The selection stays on the same line, or on the new last line when the last was removed.
void ReplacementsForm::remove()
{
  if (!canRemove())
    return;
  m_map.removeKey(m_rgstrLines[m_nSelection]);
  m_rgstrLines.erase(m_rgstrLines.begin() + m_nSelection);
  select(m_nSelection < lineCount() ? m_nSelection : lineCount() - 1);
}

bool ReplacementsForm::canMove(int nFrom, int nTo) const
{
  return nFrom != nTo && nFrom >= 0 && nFrom < lineCount() && nTo >= 0 && nTo < lineCount();
}

void ReplacementsForm::move(int nFrom, int nTo)
{
  if (!canMove(nFrom, nTo))
    return;
  std::swap(m_rgstrLines[nFrom], m_rgstrLines[nTo]);
  m_nSelection = nTo;
}

void ReplacementsForm::moveUp()
{
  move(m_nSelection, m_nSelection - 1);
}

void ReplacementsForm::moveDown()
{
  move(m_nSelection, m_nSelection + 1);
}

void ReplacementsForm::commitOrder()
{
  for (int nLine = 0; nLine < lineCount(); ++nLine)
  {
    Replacement* pReplacement = m_map.lookup(m_rgstrLines[nLine]);
    QB_ASSERT(NULL != pReplacement);
    QB_ASSERT(pReplacement->setOrder(nLine));
  }
}
