#pragma once

#include "DataEditFormatsForm.h"
#include "dialogs/OrderedListDialog_win.h"
#include "engine/DataEditFormatMap.h"

class QuilbarProfile;

// "Data Editing Formats": the profile's formats in matching order. The dialog works on a copy of
// the format map; OK numbers the formats by their lines and hands the copy to the profile, Cancel
// drops it.
class CDataEditFormatsDialog : public COrderedListDialog
{
public:
  explicit CDataEditFormatsDialog(QuilbarProfile& profile);

protected:
  OrderedListForm& listForm() override { return m_form; }
  void addRecord() override;
  void editRecord() override;
  void onOk() override;

private:
  DataEditFormatsForm::FormatEditor formatEditor();
  DataEditFormatsForm::ErrorReporter errorReporter();

  QuilbarProfile& m_profile;
  DataEditFormatMap m_formats;
  DataEditFormatsForm m_form;
};
