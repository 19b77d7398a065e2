#include "DataEditFormatsForm.h"

#include "base/Assert.h"
#include "engine/ExpressionSyntax.h"
#include "engine/RecordOrder.h"

#include <memory>
#include <utility>

const char DataEditFormatsForm::kszAddCaption[] = "Add Data Editing Format";
const char DataEditFormatsForm::kszEditCaption[] = "Edit Data Editing Format";
const char DataEditFormatsForm::kszNameExists[] =
    "The data edit format \"%s\" already exists. Please enter another name.";

// Sorted rather than looked up by 0, 1, ...: a map whose stored orders have gaps still shows every
// format once, in the user's order, and OK then mends the numbers.
DataEditFormatsForm::DataEditFormatsForm(DataEditFormatMap& map) : m_map(map)
{
  for (const DataEditFormat* pFormat : recordsByOrder<DataEditFormat>(m_map.getEntries()))
    m_rgstrLines.push_back(pFormat->getName());
}

void DataEditFormatsForm::select(int nLine)
{
  m_nSelection = nLine >= 0 && nLine < lineCount() ? nLine : -1;
}

bool DataEditFormatsForm::editUntilNameIsFree(DataEditFormat& format, const std::string& strCaption,
                                              const FormatEditor& fnEdit, const ErrorReporter& fnError) const
{
  for (;;)
  {
    if (!fnEdit(format, strCaption))
      return false;
    if (m_map.lookup(format.getName()) == nullptr)
      return true;
    fnError(ExpressionSyntax::fill(kszNameExists, {format.getName()}));
  }
}

void DataEditFormatsForm::insertLine(int nLine, const std::string& strName)
{
  m_rgstrLines.insert(m_rgstrLines.begin() + nLine, strName);
  m_nSelection = nLine;
}

// A new format goes before the selected one, or at the end when nothing is selected.
void DataEditFormatsForm::add(const FormatEditor& fnEdit, const ErrorReporter& fnError)
{
  auto pFormat = std::make_unique<DataEditFormat>();
  if (!editUntilNameIsFree(*pFormat, kszAddCaption, fnEdit, fnError))
    return;
  std::string strName = pFormat->getName();
  QB_ASSERT(m_map.add(strName, std::move(pFormat)));
  insertLine(m_nSelection >= 0 ? m_nSelection : lineCount(), strName);
}

// The format leaves the map while it is edited, so that it may keep its own name; Cancel puts
// the untouched backup back. Either way the line keeps its place.
void DataEditFormatsForm::edit(const FormatEditor& fnEdit, const ErrorReporter& fnError)
{
  if (!canEdit())
    return;
  int nLine = m_nSelection;
  const DataEditFormat* pSelected = m_map.lookup(m_rgstrLines[nLine]);
  QB_ASSERT(NULL != pSelected);
  auto pBackup = std::make_unique<DataEditFormat>(*pSelected);
  auto pWorking = std::make_unique<DataEditFormat>(*pSelected);
  QB_ASSERT(m_map.remove(m_rgstrLines[nLine]));
  m_rgstrLines.erase(m_rgstrLines.begin() + nLine);
  m_nSelection = -1;

  std::unique_ptr<DataEditFormat>& pKept = editUntilNameIsFree(*pWorking, kszEditCaption, fnEdit, fnError)
                                               ? pWorking
                                               : pBackup;
  std::string strName = pKept->getName();
  QB_ASSERT(m_map.add(strName, std::move(pKept)));
  insertLine(nLine, strName);
}

// The selection stays on the same line, or on the new last line when the last was removed.
void DataEditFormatsForm::remove()
{
  if (!canRemove())
    return;
  m_map.remove(m_rgstrLines[m_nSelection]);
  m_rgstrLines.erase(m_rgstrLines.begin() + m_nSelection);
  select(m_nSelection < lineCount() ? m_nSelection : lineCount() - 1);
}

void DataEditFormatsForm::moveSelectionTo(int nLine)
{
  std::swap(m_rgstrLines[m_nSelection], m_rgstrLines[nLine]);
  m_nSelection = nLine;
}

void DataEditFormatsForm::moveUp()
{
  if (canMoveUp())
    moveSelectionTo(m_nSelection - 1);
}

void DataEditFormatsForm::moveDown()
{
  if (canMoveDown())
    moveSelectionTo(m_nSelection + 1);
}

void DataEditFormatsForm::commitOrder()
{
  for (int nLine = 0; nLine < lineCount(); ++nLine)
  {
    DataEditFormat* pFormat = m_map.lookup(m_rgstrLines[nLine]);
    QB_ASSERT(NULL != pFormat);
    QB_ASSERT(pFormat->setOrder(nLine));
  }
}
