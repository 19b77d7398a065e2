#include "GalleryEntry.h"

#include "dataedit/CriteriaDialog_win.h"
#include "dataedit/DataEditingDialogs_win.h"
#include "dataedit/FormatEditorDialog_win.h"
#include "dataedit/ReplacementDialog_win.h"
#include "app/ResourceIds.h"
#include "settings/QuilbarProfile.h"

#include <memory>
#include <string>
#include <thread>

// Pictures of the data editing dialogs, on a profile like the demonstration's.
namespace
{
Criteria ean128Criteria(const std::string& strPresent, const std::string& strNotPresent)
{
  Criteria criteria;
  criteria.setKindEAN128();
  criteria.setFieldsPresent(strPresent);
  criteria.setFieldsNotPresent(strNotPresent);
  return criteria;
}

Criteria stringCriteria(int nStart, const std::string& strExpression)
{
  Criteria criteria;
  criteria.setKindStringExpression();
  criteria.setStartPosition(nStart);
  criteria.setExpression(strExpression);
  return criteria;
}

Criteria lengthCriteria(int nMin, int nMax)
{
  Criteria criteria;
  criteria.setMinLength(nMin);
  criteria.setMaxLength(nMax);
  return criteria;
}

DataEditFormat galleryFormat(const std::string& strName, int nOrder, const std::string& strOutput)
{
  DataEditFormat format;
  format.setName(strName);
  format.setOrder(nOrder);
  format.setOutput(strOutput);
  return format;
}

DataEditFormat gs1Format()
{
  DataEditFormat format = galleryFormat("GS1-128 labels", 0,
                                        "\"GTIN \" + EAN128Field(01) + \"<TAB>LOT \" + EAN128Field(10) + \"<CR>\"");
  format.getCriteriaMap().add(std::make_unique<Criteria>(ean128Criteria("01, 10", "21")));
  format.getCriteriaMap().add(std::make_unique<Criteria>(lengthCriteria(18, 48)));
  return format;
}

QuilbarProfile galleryProfile()
{
  QuilbarProfile profile;
  DataEditFormatMap& formats = profile.getDataEditFormatMap();
  formats.removeAll();
  formats.add("GS1-128 labels", std::make_unique<DataEditFormat>(gs1Format()));
  DataEditFormat orders = galleryFormat("Order numbers", 1, "Mid(4) + \"<CR>\"");
  orders.getCriteriaMap().add(std::make_unique<Criteria>(stringCriteria(1, "ORD*")));
  formats.add("Order numbers", std::make_unique<DataEditFormat>(orders));
  DataEditFormat plain = galleryFormat("Plain", 2, "Input() + \"<CR>\"");
  plain.getCriteriaMap().add(std::make_unique<Criteria>(stringCriteria(1, "*")));
  formats.add("Plain", std::make_unique<DataEditFormat>(plain));

  const char* const rgrgszReplacements[][2] = {{"]C1", ""}, {"<CR><LF>", "<CR>"}, {"-", ""}};
  int nOrder = 0;
  for (const auto& rgszPair : rgrgszReplacements)
  {
    auto pReplacement = std::make_unique<Replacement>();
    pReplacement->setInput(rgszPair[0]);
    pReplacement->setReplace(rgszPair[1]);
    pReplacement->setOrder(nOrder++);
    profile.getReplacementMap().add(std::move(pReplacement));
  }
  return profile;
}

// Once the dialog with this title is up, acts on it as a user would (selects a line, types a
// test string and presses Test), so the picture shows the dialog at work.
void whenShown(const char* pszTitle, void (*pfnAct)(HWND hwndDialog))
{
  std::thread([pszTitle, pfnAct] {
    for (int i = 0; i < 500; ++i)
    {
      HWND hwnd = FindWindowA("#32770", pszTitle);
      if (hwnd != nullptr && IsWindowVisible(hwnd))
      {
        pfnAct(hwnd);
        return;
      }
      Sleep(10);
    }
  }).detach();
}

void selectLine(HWND hwndDialog, int nListId, int nLine)
{
  HWND hwndList = GetDlgItem(hwndDialog, nListId);
  SendMessageA(hwndList, LB_SETCURSEL, static_cast<WPARAM>(nLine), 0);
  SendMessageA(hwndDialog, WM_COMMAND, MAKEWPARAM(nListId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(hwndList));
}

void typeAndPress(HWND hwndDialog, int nInputId, const char* pszText, int nButtonId)
{
  SendMessageA(GetDlgItem(hwndDialog, nInputId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pszText));
  PostMessageA(hwndDialog, WM_COMMAND, MAKEWPARAM(nButtonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(hwndDialog, nButtonId)));
}

void showCriteria(HWND hwndOwner, const Criteria& shown)
{
  Criteria criteria(shown);
  CCriteriaDialog dialog(criteria, "Edit Criteria");
  dialog.runModal(hwndOwner);
}
}  // namespace

void addDataEditingGallery(std::vector<GalleryEntry>& rgEntries)
{
  rgEntries.push_back({"dataedit-formats", [](HWND hwndOwner) {
                         QuilbarProfile profile = galleryProfile();
                         whenShown("Data Editing Formats",
                                   [](HWND hwnd) { selectLine(hwnd, IDC_DATAEDITFORMATS_LIST, 1); });
                         runDataEditFormatsDialog(hwndOwner, profile);
                       }});
  rgEntries.push_back({"dataedit-format-editor", [](HWND hwndOwner) {
                         DataEditFormat format = gs1Format();
                         CFormatEditorDialog dialog(format, "Edit Data Editing Format");
                         dialog.runModal(hwndOwner);
                       }});
  rgEntries.push_back({"dataedit-format-editor-error", [](HWND hwndOwner) {
                         DataEditFormat format = gs1Format();
                         format.setOutput("EAN128Field(01) + \"<TAB>\" + EAN128Field(10) + \"<CR\"");
                         CFormatEditorDialog dialog(format, "Add Data Editing Format");
                         dialog.runModal(hwndOwner);
                       }});
  rgEntries.push_back({"dataedit-criteria-length",
                       [](HWND hwndOwner) { showCriteria(hwndOwner, lengthCriteria(18, 48)); }});
  rgEntries.push_back({"dataedit-criteria-string",
                       [](HWND hwndOwner) { showCriteria(hwndOwner, stringCriteria(1, "ORD*")); }});
  rgEntries.push_back({"dataedit-criteria-ean128",
                       [](HWND hwndOwner) { showCriteria(hwndOwner, ean128Criteria("01, 10", "21")); }});
  rgEntries.push_back({"dataedit-replacements", [](HWND hwndOwner) {
                         QuilbarProfile profile = galleryProfile();
                         whenShown("Input Data Replacements",
                                   [](HWND hwnd) { selectLine(hwnd, IDC_REPLACEMENTS_LIST, 0); });
                         runReplacementsDialog(hwndOwner, profile.getReplacementMap());
                       }});
  rgEntries.push_back({"dataedit-replacement", [](HWND hwndOwner) {
                         Replacement replacement;
                         replacement.setInput("<CR><LF>");
                         replacement.setReplace("<CR>");
                         CReplacementDialog dialog(replacement, "Edit Input Data Replacement");
                         dialog.runModal(hwndOwner);
                       }});
  rgEntries.push_back({"dataedit-format-test", [](HWND hwndOwner) {
                         QuilbarProfile profile = galleryProfile();
                         whenShown("Test Data Editing Formats", [](HWND hwnd) {
                           typeAndPress(hwnd, IDC_FORMATTEST_INPUT, "010400638133393110ABC123<GS>17250630",
                                        IDC_FORMATTEST_TEST);
                         });
                         runFormatTestDialog(hwndOwner, profile);
                       }});
  rgEntries.push_back({"dataedit-replacement-test", [](HWND hwndOwner) {
                         QuilbarProfile profile = galleryProfile();
                         whenShown("Test Input Data Replacements", [](HWND hwnd) {
                           typeAndPress(hwnd, IDC_REPLACEMENTTEST_INPUT, "]C1ORD-2024-117<CR><LF>",
                                        IDC_REPLACEMENTTEST_TEST);
                         });
                         runReplacementTestDialog(hwndOwner, profile.getReplacementMap());
                       }});
}
