#pragma once

#include "dialogs/OrderedListDialog_win.h"
#include "ReplacementsForm.h"
#include "engine/ReplacementMap.h"

// "Input Data Replacements": the replacements in the order they run, search and replace text in
// two columns. The dialog works on a copy of the map; OK numbers the replacements by their lines
// and hands the copy back, Cancel drops it.
class CReplacementsDialog : public COrderedListDialog
{
public:
  explicit CReplacementsDialog(ReplacementMap& replacements);

protected:
  OrderedListForm& listForm() override { return m_form; }
  bool onInit() override;
  void addRecord() override;
  void editRecord() override;
  void onOk() override;

private:
  ReplacementsForm::ReplacementEditor replacementEditor();
  ReplacementsForm::ErrorReporter errorReporter();

  ReplacementMap& m_target;
  ReplacementMap m_replacements;
  ReplacementsForm m_form;
};
