#include "DataEditFormatsDialog_win.h"

#include "dialogs/DataEditingControls_win.h"
#include "FormatEditorDialog_win.h"
#include "DataEditingResourceIds.h"
#include "settings/QuilbarProfile.h"

namespace
{
const OrderedListControls kControls = {IDC_DATAEDITFORMATS_LIST, IDC_DATAEDITFORMATS_MOVEUP,
                                       IDC_DATAEDITFORMATS_MOVEDOWN, IDC_DATAEDITFORMATS_ADD,
                                       IDC_DATAEDITFORMATS_EDIT, IDC_DATAEDITFORMATS_REMOVE};
}  // namespace

CDataEditFormatsDialog::CDataEditFormatsDialog(QuilbarProfile& profile)
  : COrderedListDialog(IDD_DATAEDITFORMATS, kControls),
    m_profile(profile),
    m_formats(profile.getDataEditFormatMap()),
    m_form(m_formats)
{
}

DataEditFormatsForm::FormatEditor CDataEditFormatsDialog::formatEditor()
{
  return [this](DataEditFormat& format, const std::string& strCaption) {
    CFormatEditorDialog dialog(format, strCaption);
    return dialog.runModal(hwnd()) == IDOK;
  };
}

DataEditFormatsForm::ErrorReporter CDataEditFormatsDialog::errorReporter()
{
  return [this](const std::string& strMessage) {
    dataediting::showMessage(hwnd(), DataEditingMessage::stop(strMessage));
  };
}

void CDataEditFormatsDialog::addRecord()
{
  m_form.add(formatEditor(), errorReporter());
}

void CDataEditFormatsDialog::editRecord()
{
  m_form.edit(formatEditor(), errorReporter());
}

void CDataEditFormatsDialog::onOk()
{
  m_form.commitOrder();
  m_profile.getDataEditFormatMap() = m_formats;
  endDialog(IDOK);
}
