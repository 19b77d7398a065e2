#include "ReplacementsForm.h"

#include "base/Assert.h"
#include "engine/ExpressionSyntax.h"
#include "engine/RecordOrder.h"

#include <memory>
#include <utility>

const char ReplacementsForm::kszAddCaption[] = "Add Input Data Replacement";
const char ReplacementsForm::kszEditCaption[] = "Edit Input Data Replacement";
const char ReplacementsForm::kszKeyExists[] = "The input data replacement \"%s\" already exist.";

namespace
{
// Sorted rather than looked up by 0, 1, ...: stored orders with gaps still show every
// replacement once, in the user's order, and OK then mends the numbers.
std::vector<std::string> keysInOrder(const ReplacementMap& map)
{
  std::vector<std::string> rgstrKeys;
  for (const Replacement* pReplacement : recordsByOrder<const Replacement>(map.getEntries()))
    rgstrKeys.push_back(pReplacement->getKey());
  return rgstrKeys;
}
}  // namespace

ReplacementsForm::ReplacementsForm(ReplacementMap& map) : OrderedListForm(keysInOrder(map)), m_map(map)
{
}

void ReplacementsForm::removeRecord(const std::string& strLine)
{
  m_map.removeKey(strLine);
}

void ReplacementsForm::setRecordOrder(const std::string& strLine, int nOrder)
{
  Replacement* pReplacement = m_map.lookup(strLine);
  QB_ASSERT(NULL != pReplacement);
  QB_ASSERT(pReplacement->setOrder(nOrder));
}

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
  insertLine(insertionPoint(), strKey);
}

// The edited copy replaces the original on the same line. When its texts equal another
// replacement's, the original stays as it was: a refused edit never loses the user's entry.
void ReplacementsForm::edit(const ReplacementEditor& fnEdit, const ErrorReporter& fnError)
{
  if (!canEdit())
    return;
  const std::string strOldKey = lines()[selection()];
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
  replaceLine(selection(), strNewKey);
}
