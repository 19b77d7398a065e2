// The data editing dialogs driven for real under Wine, as a user would: each dialog runs modally
// on a thread of its own, the test finds it by its title, types into its controls, presses its
// buttons and answers its message boxes.
#include "DialogDriver_win.h"
#include "KeyTargetProcess_win.h"
#include "ProfileDump.h"
#include "SerialTestRig_win.h"
#include "TestProcess_win.h"
#include "TestSupport.h"
#include "dataedit/CriteriaDialog_win.h"
#include "dataedit/DataEditingDialogs_win.h"
#include "dataedit/FormatEditorDialog_win.h"
#include "dataedit/FormatTest.h"
#include "engine/GS1Normaliser.h"
#include "app/ResourceIds.h"
#include "sheet/SettingsDialogs_win.h"
#include "settings/QuilbarProfile.h"
#include "settings/QuilbarProfileStore.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <vector>

namespace dd = dialogdriver;
using std::chrono::milliseconds;
using Lines = std::vector<std::string>;

namespace
{
const char kszBox[] = "Quilbar";

template <class Result>
bool endsSoon(std::future<Result>& result, milliseconds timeout = milliseconds(10000))
{
  return result.wait_for(timeout) == std::future_status::ready;
}

// The control that has the keyboard focus in the dialog's thread.
HWND focusedControl(HWND hwndDialog)
{
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwndDialog, nullptr), &info))
    return nullptr;
  return info.hwndFocus;
}

bool waitForText(HWND hwndDialog, int nId, const std::string& strText, milliseconds timeout = milliseconds(10000))
{
  return dd::waitPumping([&] { return dd::itemText(hwndDialog, nId) == strText; }, timeout);
}

bool waitForEnabled(HWND hwndDialog, int nId, bool fEnabled)
{
  return dd::waitPumping([&] { return dd::isItemEnabled(hwndDialog, nId) == fEnabled; });
}

// Waits for a window to close (a dialog that ends, a box that is answered) so that the next
// one with the same title is really the next.
void expectGone(HWND hwnd, const char* pszWhat)
{
  EXPECT_TRUE(dd::waitForWindowGone(hwnd)) << pszWhat << " did not close";
}

Criteria lengthCriteria(int nMin, int nMax)
{
  Criteria criteria;
  criteria.setMinLength(nMin);
  criteria.setMaxLength(nMax);
  return criteria;
}

Criteria stringCriteria(const std::string& strExpression)
{
  Criteria criteria;
  criteria.setKindStringExpression();
  criteria.setExpression(strExpression);
  return criteria;
}

std::unique_ptr<DataEditFormat> makeFormat(const std::string& strName, int nOrder, const Criteria& criteria,
                                           const std::string& strOutput)
{
  auto pFormat = std::make_unique<DataEditFormat>();
  pFormat->setName(strName);
  pFormat->setOrder(nOrder);
  pFormat->setOutput(strOutput);
  pFormat->getCriteriaMap().add(std::make_unique<Criteria>(criteria));
  return pFormat;
}

QuilbarProfile profileWith(std::vector<std::unique_ptr<DataEditFormat>> rgpFormats, bool fFilterUnknown = false)
{
  QuilbarProfile profile;
  profile.getDataEditFormatMap().removeAll();
  for (auto& pFormat : rgpFormats)
  {
    std::string strName = pFormat->getName();
    profile.getDataEditFormatMap().add(strName, std::move(pFormat));
  }
  profile.setFilterUnkownDataStrings(fFilterUnknown ? 1 : 0);
  return profile;
}

QuilbarProfile profileWithOneFormat(const Criteria& criteria, const std::string& strOutput, bool fFilter = false)
{
  std::vector<std::unique_ptr<DataEditFormat>> rgpFormats;
  rgpFormats.push_back(makeFormat("Only", 0, criteria, strOutput));
  return profileWith(std::move(rgpFormats), fFilter);
}

// In the format editor: adds one criterion through the "Add Criteria" dialog.
void addCriteriaInEditor(HWND hwndEditor, int nKindRadio, const std::vector<std::pair<int, std::string>>& rgValues)
{
  dd::pressButton(hwndEditor, IDC_FORMATEDITOR_ADD);
  HWND hwndCriteria = dd::waitForDialog("Add Criteria");
  ASSERT_NE(nullptr, hwndCriteria) << "\"Add Criteria\" never opened";
  dd::clickCheck(hwndCriteria, nKindRadio);
  ASSERT_TRUE(dd::waitPumping([&] { return dd::isChecked(hwndCriteria, nKindRadio); }));
  for (const auto& value : rgValues)
    dd::setItemText(hwndCriteria, value.first, value.second);
  dd::pressButton(hwndCriteria, IDOK);
  expectGone(hwndCriteria, "\"Add Criteria\"");
}

// In "Data Editing Formats": Add, fill the editor, OK.
void addFormatInList(HWND hwndList, const std::string& strName, int nKindRadio,
                     const std::vector<std::pair<int, std::string>>& rgCriteriaValues, const std::string& strOutput)
{
  dd::pressButton(hwndList, IDC_DATAEDITFORMATS_ADD);
  HWND hwndEditor = dd::waitForDialog("Add Data Editing Format");
  ASSERT_NE(nullptr, hwndEditor) << "\"Add Data Editing Format\" never opened";
  dd::setItemText(hwndEditor, IDC_FORMATEDITOR_NAME, strName);
  addCriteriaInEditor(hwndEditor, nKindRadio, rgCriteriaValues);
  dd::setItemText(hwndEditor, IDC_FORMATEDITOR_OUTPUT, strOutput);
  EXPECT_TRUE(waitForText(hwndEditor, IDC_FORMATEDITOR_STATUS, "Expression OK"))
      << "status: " << dd::itemText(hwndEditor, IDC_FORMATEDITOR_STATUS);
  dd::pressButton(hwndEditor, IDOK);
  expectGone(hwndEditor, "the format editor");
}

// Runs the format test dialog on the profile, types the input and presses Test.
struct FormatTestSession
{
  explicit FormatTestSession(const QuilbarProfile& profile)
    : m_profile(profile), m_result(std::async(std::launch::async, [this] { runFormatTestDialog(nullptr, m_profile); }))
  {
    m_hwnd = dd::waitForDialog("Test Data Editing Formats");
  }
  ~FormatTestSession()
  {
    if (m_hwnd != nullptr && IsWindow(m_hwnd))
      dd::pressButton(m_hwnd, IDCANCEL);
    if (m_result.valid())
    {
      EXPECT_TRUE(endsSoon(m_result)) << "the format test dialog did not close";
    }
  }

  void test(const std::string& strInput)
  {
    dd::setItemText(m_hwnd, IDC_FORMATTEST_INPUT, strInput);
    dd::pressButton(m_hwnd, IDC_FORMATTEST_TEST);
  }
  std::string text(int nId) const { return dd::itemText(m_hwnd, nId); }

  QuilbarProfile m_profile;
  std::future<void> m_result;
  HWND m_hwnd = nullptr;
};
// The program's settings in the registry of the harness, gone before and after the test.
struct StoredSettings
{
  StoredSettings() { clear(); }
  ~StoredSettings() { clear(); }
  static void clear()
  {
    testsupport::removeStoredSettings();
  }
};
}  // namespace

// ---- The demonstration profile, built entirely through the dialogs ------------------------------

namespace
{
// The demonstration profile of the README (scripts/demo.sh): a replacement that removes the
// scanner's symbology identifier, a GS1-128 format and a plain one; GS1 Digital Link addresses
// from QR codes are read as the element strings they carry.
const char kszGs1Output[] = "\"GTIN \" + EAN128Field(\"01\") + \" batch \" + EAN128Field(\"10\") + \" best before \" + "
                            "EAN128Field(\"17\") + \"<cr>\"";
const char kszPlainOutput[] = "Input() + \"<cr>\"";
// Three of the demonstration's scans as the scanner sends them, without the terminator.
const char kszGs1Scan[] = "]C1010400638133393110LOT4711<GS>17261231";
const char kszDigitalLinkScan[] = "https://id.gs1.org/01/04006381333931/10/LOT4711?17=261231";
const char kszCode39Scan[] = "QUILBAR-39 DEMO";

// The records of the demonstration profile as the profile store writes them.
void expectStoredDemonstrationRecords()
{
  Registry regProfile;
  ASSERT_TRUE(regProfile.openKey("HKEY_LOCAL_MACHINE\\Software\\Tarnwick\\Quilbar2\\Settings\\Profile0",
                                 Registry::kdwAccessRead));
  std::string strName;
  EXPECT_TRUE(regProfile.getKeyValue("Name", strName));
  EXPECT_EQ("Demo", strName);
  uint32_t dwForms = 0;
  EXPECT_TRUE(regProfile.getKeyValue("GS1InputForms", dwForms));
  EXPECT_EQ(static_cast<uint32_t>(GS1Normaliser::kDigitalLink), dwForms);
  TextList rgSubKeys;
  ASSERT_TRUE(regProfile.getSubKeys(rgSubKeys));
  int nFormats = 0;
  for (const std::string& strSubKey : rgSubKeys)
  {
    if (strSubKey.rfind("DataEditFormat", 0) != 0)
      continue;
    ++nFormats;
    Registry regFormat;
    ASSERT_TRUE(regProfile.openSubKey(strSubKey, regFormat, Registry::kdwAccessRead));
    std::string strOutput;
    uint32_t dwOrder = 99, dwType = 99;
    ASSERT_TRUE(regFormat.getKeyValue("Name", strName));
    ASSERT_TRUE(regFormat.getKeyValue("Order", dwOrder));
    ASSERT_TRUE(regFormat.getKeyValue("Output", strOutput));
    Registry regCriteria;
    ASSERT_TRUE(regFormat.openSubKey("Criteria0", regCriteria, Registry::kdwAccessRead));
    ASSERT_TRUE(regCriteria.getKeyValue("Type", dwType));
    SCOPED_TRACE(strName);
    std::string strPresent, strExpression;
    uint32_t dwStart = 0;
    if (strName == "GS1-128")
    {
      EXPECT_EQ(0u, dwOrder);
      EXPECT_EQ(kszGs1Output, strOutput);
      EXPECT_EQ(2u, dwType);
      EXPECT_TRUE(regCriteria.getKeyValue("FieldsPresent", strPresent));
      EXPECT_EQ("01", strPresent);
      continue;
    }
    EXPECT_EQ("Plain", strName);
    EXPECT_EQ(1u, dwOrder);
    EXPECT_EQ(kszPlainOutput, strOutput);
    EXPECT_EQ(1u, dwType);
    EXPECT_TRUE(regCriteria.getKeyValue("Expression", strExpression));
    EXPECT_EQ("*", strExpression);
    EXPECT_TRUE(regCriteria.getKeyValue("StartPosition", dwStart));
    EXPECT_EQ(1u, dwStart);
  }
  EXPECT_EQ(2, nFormats);
  Registry regReplacement;
  ASSERT_TRUE(regProfile.openSubKey("Replacement0", regReplacement, Registry::kdwAccessRead));
  std::string strInput, strReplace = "?";
  uint32_t dwOrder = 99;
  EXPECT_TRUE(regReplacement.getKeyValue("Input", strInput));
  EXPECT_TRUE(regReplacement.getKeyValue("Replace", strReplace));
  EXPECT_TRUE(regReplacement.getKeyValue("Order", dwOrder));
  EXPECT_EQ("]C1", strInput);
  EXPECT_EQ("", strReplace);
  EXPECT_EQ(0u, dwOrder);
}

}  // namespace

TEST(DataEditingDialogsTest, DemonstrationProfileIsBuiltThroughTheDialogsStoredAndTypedByTheWedge)
{
  // The dialogs are opened from the settings sheet's Data Editing page, as a user opens them.
  QuilbarProfile profile;  // a new profile: the "Default" format only
  const unsigned kDataEditingPage = 5;
  auto sheet = std::async(std::launch::async, [&] { return runSettingsSheet(nullptr, profile, kDataEditingPage, ""); });
  HWND hwndSheet = dd::waitForDialog("Settings");
  ASSERT_NE(nullptr, hwndSheet) << "the settings sheet never opened";
  HWND hwndPage = reinterpret_cast<HWND>(SendMessageA(hwndSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  ASSERT_NE(nullptr, hwndPage);
  dd::pressButton(hwndPage, IDC_DATAEDITING_FORMATS);
  HWND hwndList = dd::waitForDialog("Data Editing Formats");
  ASSERT_NE(nullptr, hwndList) << "\"Data Editing Formats\" never opened";
  EXPECT_EQ(Lines{"Default"}, dd::listLines(hwndList, IDC_DATAEDITFORMATS_LIST));

  // A plain format for everything, added at the end, then the old default removed.
  addFormatInList(hwndList, "Plain", IDC_CRITERIA_STRING,
                  {{IDC_CRITERIA_START, "1"}, {IDC_CRITERIA_EXPRESSION, "*"}}, kszPlainOutput);
  EXPECT_EQ((Lines{"Default", "Plain"}), dd::listLines(hwndList, IDC_DATAEDITFORMATS_LIST));
  ASSERT_TRUE(dd::selectListIndex(hwndList, IDC_DATAEDITFORMATS_LIST, 0));
  ASSERT_TRUE(waitForEnabled(hwndList, IDC_DATAEDITFORMATS_REMOVE, true));
  dd::pressButton(hwndList, IDC_DATAEDITFORMATS_REMOVE);
  ASSERT_TRUE(dd::waitPumping([&] { return dd::listLines(hwndList, IDC_DATAEDITFORMATS_LIST) == Lines{"Plain"}; }));

  // The GS1-128 format goes before the selected plain one, so it is tried first.
  ASSERT_EQ(0, dd::listSelection(hwndList, IDC_DATAEDITFORMATS_LIST));
  addFormatInList(hwndList, "GS1-128", IDC_CRITERIA_EAN128, {{IDC_CRITERIA_PRESENT, "01"}}, kszGs1Output);
  EXPECT_EQ((Lines{"GS1-128", "Plain"}), dd::listLines(hwndList, IDC_DATAEDITFORMATS_LIST));
  dd::pressButton(hwndList, IDOK);
  expectGone(hwndList, "\"Data Editing Formats\"");

  dd::pressButton(hwndPage, IDC_DATAEDITING_REPLACEMENTS);
  HWND hwndReplacements = dd::waitForDialog("Input Data Replacements");
  ASSERT_NE(nullptr, hwndReplacements);
  dd::pressButton(hwndReplacements, IDC_REPLACEMENTS_ADD);
  HWND hwndReplacement = dd::waitForDialog("Add Input Data Replacement");
  ASSERT_NE(nullptr, hwndReplacement);
  dd::setItemText(hwndReplacement, IDC_REPLACEMENT_SEARCH, "]C1");  // the scanner's symbology prefix
  dd::pressButton(hwndReplacement, IDOK);
  expectGone(hwndReplacement, "the replacement dialog");
  EXPECT_EQ(Lines{"]C1\t"}, dd::listLines(hwndReplacements, IDC_REPLACEMENTS_LIST));
  dd::pressButton(hwndReplacements, IDOK);
  expectGone(hwndReplacements, "\"Input Data Replacements\"");
  dd::clickCheck(hwndPage, IDC_DATAEDITING_GS1_DIGITAL_LINK);
  ASSERT_TRUE(dd::waitPumping([&] { return dd::isChecked(hwndPage, IDC_DATAEDITING_GS1_DIGITAL_LINK); }));
  PostMessageA(hwndSheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  ASSERT_TRUE(endsSoon(sheet)) << "the settings sheet did not close on OK";
  EXPECT_TRUE(sheet.get().fOk);

  // What the dialogs made of it.
  const DataEditFormatMap& map = profile.getDataEditFormatMap();
  ASSERT_EQ(2, map.getCount());
  ASSERT_NE(nullptr, map.lookupByOrder(0));
  EXPECT_EQ("GS1-128", map.lookupByOrder(0)->getName());
  EXPECT_EQ(kszGs1Output, map.lookupByOrder(0)->getOutput());
  EXPECT_NE(nullptr, map.lookupByOrder(0)->getCriteriaMap().lookup("EAN128 (must = \"01\", must not = \"\")"));
  ASSERT_NE(nullptr, map.lookupByOrder(1));
  EXPECT_EQ("Plain", map.lookupByOrder(1)->getName());
  EXPECT_NE(nullptr, map.lookupByOrder(1)->getCriteriaMap().lookup("Expression (start = 1, \"*\")"));
  EXPECT_EQ(static_cast<uint32_t>(GS1Normaliser::kDigitalLink), profile.getGS1InputForms());
  ASSERT_NE(nullptr, profile.getReplacementMap().lookup("]C1\t"));
  EXPECT_EQ(0, profile.getReplacementMap().lookup("]C1\t")->getOrder());

  // Tried in the test dialogs: the replacement takes the symbology identifier off the GS1-128
  // label, whose fields the GS1-128 format then takes apart; the Code 39 text goes through plain.
  {
    auto test = std::async(std::launch::async, [&] { runReplacementTestDialog(nullptr, profile.getReplacementMap()); });
    HWND hwndTest = dd::waitForDialog("Test Input Data Replacements");
    ASSERT_NE(nullptr, hwndTest);
    dd::setItemText(hwndTest, IDC_REPLACEMENTTEST_INPUT, kszGs1Scan);
    dd::pressButton(hwndTest, IDC_REPLACEMENTTEST_TEST);
    EXPECT_TRUE(waitForText(hwndTest, IDC_REPLACEMENTTEST_DATA_OUTPUT, "010400638133393110LOT4711<GS>17261231"));
    EXPECT_EQ("1", dd::itemText(hwndTest, IDC_REPLACEMENTTEST_COUNT));
    dd::pressButton(hwndTest, IDCANCEL);
    ASSERT_TRUE(endsSoon(test));
  }
  {
    FormatTestSession session(profile);
    ASSERT_NE(nullptr, session.m_hwnd);
    session.test("010400638133393110LOT4711<GS>17261231");
    EXPECT_TRUE(waitForText(session.m_hwnd, IDC_FORMATTEST_DATA_OUTPUT,
                            "GTIN 04006381333931 batch LOT4711 best before 261231<CR>"))
        << session.text(IDC_FORMATTEST_DATA_OUTPUT);
    EXPECT_EQ("GS1-128", session.text(IDC_FORMATTEST_FORMAT));
    session.test(kszDigitalLinkScan);
    EXPECT_TRUE(waitForText(session.m_hwnd, IDC_FORMATTEST_NORMALISED, "010400638133393110LOT4711<GS>17261231"));
    EXPECT_TRUE(waitForText(session.m_hwnd, IDC_FORMATTEST_DATA_OUTPUT,
                            "GTIN 04006381333931 batch LOT4711 best before 261231<CR>"));
    session.test(kszCode39Scan);
    EXPECT_TRUE(waitForText(session.m_hwnd, IDC_FORMATTEST_FORMAT, "Plain"));
    EXPECT_TRUE(waitForText(session.m_hwnd, IDC_FORMATTEST_DATA_OUTPUT, "QUILBAR-39 DEMO<CR>"));
  }

  // Saved through the profile store as the demonstration's "Demo" on COM1, the registry holds
  // exactly these records, and loaded again it is the same profile.
  StoredSettings settings;
  profile.setName("Demo");
  profile.setPort("COM1");
  profile.setInitString("OK^M");  // tells the test when the wedge has opened the port
  std::string strError;
  {
    QuilbarProfileStore store;
    store.addOrSelectProfile("Demo") = profile;
    ASSERT_TRUE(store.saveSettings());
  }
  expectStoredDemonstrationRecords();
  QuilbarProfileStore reloaded;
  ASSERT_TRUE(reloaded.loadSettings(strError)) << strError;
  ASSERT_NE(nullptr, reloaded.getCurrentProfile());
  EXPECT_EQ(dumpProfile(profile), dumpProfile(*reloaded.getCurrentProfile()));

  // The wedge runs the profile: the demonstration's scans, played into the far end of COM1,
  // arrive in notepad as the formats made them; the QR Code's Digital Link types as the label.
  PeerPort scanner("\\\\.\\COM2");
  ASSERT_TRUE(scanner.isOpen());
  scanner.drain();
  TestProcess quilbar("\"" + KeyTargetProcess::besideTestProgram("Quilbar.exe") + "\" Demo");
  ASSERT_TRUE(quilbar.started()) << "Quilbar.exe did not start";
  ASSERT_EQ("OK\r", scanner.read(3, milliseconds(20000))) << "the wedge did not open the port";
  TestProcess notepad("notepad.exe");
  HWND hwndNotepad = nullptr;
  HWND hwndText = nullptr;
  ASSERT_TRUE(testsupport::waitUntil(
      [&] {
        hwndNotepad = FindWindowA("Notepad", nullptr);
        hwndText = hwndNotepad != nullptr ? FindWindowExA(hwndNotepad, nullptr, "Edit", nullptr) : nullptr;
        return hwndText != nullptr && IsWindowVisible(hwndNotepad);
      },
      milliseconds(20000)))
      << "notepad did not start";
  ASSERT_TRUE(bringOwnWindowToFront(hwndNotepad));
  for (const char* pszScan :
       {"4006381333931", "]C1010400638133393110LOT4711\x1d" "17261231", kszDigitalLinkScan, "QUILBAR-39 DEMO"})
    ASSERT_TRUE(scanner.write(std::string(pszScan) + "\r"));
  const std::string strTyped = "4006381333931\r\nGTIN 04006381333931 batch LOT4711 best before 261231\r\n"
                               "GTIN 04006381333931 batch LOT4711 best before 261231\r\nQUILBAR-39 DEMO\r\n";
  EXPECT_TRUE(testsupport::waitUntil([&] { return dd::windowText(hwndText) == strTyped; }, milliseconds(20000)))
      << "notepad holds: " << dd::windowText(hwndText);
}

// ---- Data Editing Formats ----------------------------------------------------------------------

TEST(DataEditingDialogsTest, FormatsDialogCancelKeepsTheProfileAsItWas)
{
  QuilbarProfile profile;
  const std::string strBefore = dumpFormats(profile.getDataEditFormatMap());
  auto result = std::async(std::launch::async, [&] { return runDataEditFormatsDialog(nullptr, profile); });
  HWND hwndList = dd::waitForDialog("Data Editing Formats");
  ASSERT_NE(nullptr, hwndList);
  addFormatInList(hwndList, "Extra", IDC_CRITERIA_LENGTH, {{IDC_CRITERIA_MIN, "3"}, {IDC_CRITERIA_MAX, "8"}},
                  "Left(2)");
  ASSERT_TRUE(dd::selectListIndex(hwndList, IDC_DATAEDITFORMATS_LIST, 0));
  ASSERT_TRUE(waitForEnabled(hwndList, IDC_DATAEDITFORMATS_REMOVE, true));
  dd::pressButton(hwndList, IDC_DATAEDITFORMATS_REMOVE);
  ASSERT_TRUE(dd::waitPumping([&] { return dd::listLines(hwndList, IDC_DATAEDITFORMATS_LIST) == Lines{"Extra"}; }));
  dd::pressButton(hwndList, IDCANCEL);
  ASSERT_TRUE(endsSoon(result));
  EXPECT_FALSE(result.get());
  EXPECT_EQ(strBefore, dumpFormats(profile.getDataEditFormatMap()));
}

// A taken name is refused with a message and the editor comes back with what the user typed.
TEST(DataEditingDialogsTest, FormatNameThatExistsReopensTheEditor)
{
  QuilbarProfile profile;
  auto result = std::async(std::launch::async, [&] { return runDataEditFormatsDialog(nullptr, profile); });
  HWND hwndList = dd::waitForDialog("Data Editing Formats");
  ASSERT_NE(nullptr, hwndList);
  dd::pressButton(hwndList, IDC_DATAEDITFORMATS_ADD);
  HWND hwndEditor = dd::waitForDialog("Add Data Editing Format");
  ASSERT_NE(nullptr, hwndEditor);
  dd::setItemText(hwndEditor, IDC_FORMATEDITOR_NAME, "Default");
  addCriteriaInEditor(hwndEditor, IDC_CRITERIA_LENGTH, {{IDC_CRITERIA_MIN, "2"}, {IDC_CRITERIA_MAX, "4"}});
  dd::setItemText(hwndEditor, IDC_FORMATEDITOR_OUTPUT, "Right(1)");
  dd::pressButton(hwndEditor, IDOK);
  dd::AnsweredBox box = dd::answerMessageBox(kszBox);
  ASSERT_TRUE(box.fFound) << "no message about the taken name";
  EXPECT_EQ("The data edit format \"Default\" already exists. Please enter another name.", box.strText);
  expectGone(hwndEditor, "the first editor");

  hwndEditor = dd::waitForDialog("Add Data Editing Format");
  ASSERT_NE(nullptr, hwndEditor) << "the editor did not reopen";
  EXPECT_EQ("Default", dd::itemText(hwndEditor, IDC_FORMATEDITOR_NAME));
  EXPECT_EQ("Right(1)", dd::itemText(hwndEditor, IDC_FORMATEDITOR_OUTPUT));
  EXPECT_EQ(Lines{"Length (min = 2, max = 4)"}, dd::listLines(hwndEditor, IDC_FORMATEDITOR_CRITERIA));
  dd::setItemText(hwndEditor, IDC_FORMATEDITOR_NAME, "Short");
  dd::pressButton(hwndEditor, IDOK);
  expectGone(hwndEditor, "the reopened editor");
  EXPECT_EQ((Lines{"Default", "Short"}), dd::listLines(hwndList, IDC_DATAEDITFORMATS_LIST));
  dd::pressButton(hwndList, IDOK);
  ASSERT_TRUE(endsSoon(result));
  EXPECT_TRUE(result.get());
  ASSERT_NE(nullptr, profile.getDataEditFormatMap().lookup("Short"));
  EXPECT_EQ(1, profile.getDataEditFormatMap().lookup("Short")->getOrder());
}

// Moving a format up and pressing OK makes it the one that wins, as the format test then shows.
TEST(DataEditingDialogsTest, ReorderingFormatsChangesWhichFormatWins)
{
  std::vector<std::unique_ptr<DataEditFormat>> rgpFormats;
  rgpFormats.push_back(makeFormat("Anything", 0, lengthCriteria(1, 50), "Input()"));
  rgpFormats.push_back(makeFormat("Orders", 1, stringCriteria("ORD*"), "Mid(4)"));
  QuilbarProfile profile = profileWith(std::move(rgpFormats));
  {
    FormatTestSession session(profile);
    ASSERT_NE(nullptr, session.m_hwnd);
    session.test("ORD123");
    EXPECT_TRUE(waitForText(session.m_hwnd, IDC_FORMATTEST_DATA_OUTPUT, "ORD123"));
    EXPECT_EQ("Anything", session.text(IDC_FORMATTEST_FORMAT));
  }

  auto result = std::async(std::launch::async, [&] { return runDataEditFormatsDialog(nullptr, profile); });
  HWND hwndList = dd::waitForDialog("Data Editing Formats");
  ASSERT_NE(nullptr, hwndList);
  EXPECT_EQ((Lines{"Anything", "Orders"}), dd::listLines(hwndList, IDC_DATAEDITFORMATS_LIST));
  EXPECT_FALSE(dd::isItemEnabled(hwndList, IDC_DATAEDITFORMATS_MOVEUP)) << "nothing selected, nothing to move";
  ASSERT_TRUE(dd::selectListIndex(hwndList, IDC_DATAEDITFORMATS_LIST, 1));
  ASSERT_TRUE(waitForEnabled(hwndList, IDC_DATAEDITFORMATS_MOVEUP, true));
  EXPECT_FALSE(dd::isItemEnabled(hwndList, IDC_DATAEDITFORMATS_MOVEDOWN)) << "the last line cannot move down";
  dd::pressButton(hwndList, IDC_DATAEDITFORMATS_MOVEUP);
  ASSERT_TRUE(dd::waitPumping(
      [&] { return dd::listLines(hwndList, IDC_DATAEDITFORMATS_LIST) == Lines{"Orders", "Anything"}; }));
  EXPECT_EQ(0, dd::listSelection(hwndList, IDC_DATAEDITFORMATS_LIST));
  EXPECT_TRUE(waitForEnabled(hwndList, IDC_DATAEDITFORMATS_MOVEUP, false));
  dd::pressButton(hwndList, IDOK);
  ASSERT_TRUE(endsSoon(result));
  ASSERT_TRUE(result.get());

  FormatTestSession session(profile);
  ASSERT_NE(nullptr, session.m_hwnd);
  session.test("ORD123");
  EXPECT_TRUE(waitForText(session.m_hwnd, IDC_FORMATTEST_DATA_OUTPUT, "123"));
  EXPECT_EQ("Orders", session.text(IDC_FORMATTEST_FORMAT));
}

// ---- The format editor and the criteria dialog --------------------------------------------------

TEST(DataEditingDialogsTest, FormatEditorChecksTheExpressionThenTheNameThenTheCriteria)
{
  DataEditFormat format;
  auto result = std::async(std::launch::async, [&] {
    CFormatEditorDialog dialog(format, "Add Data Editing Format");
    return dialog.runModal(nullptr);
  });
  HWND hwndEditor = dd::waitForDialog("Add Data Editing Format");
  ASSERT_NE(nullptr, hwndEditor);

  // The status line follows typing, without OK.
  dd::setItemText(hwndEditor, IDC_FORMATEDITOR_OUTPUT, "Left(1");
  EXPECT_TRUE(waitForText(hwndEditor, IDC_FORMATEDITOR_STATUS,
                          "Undefined function or invalid function call syntax [ Left(1 ]."))
      << dd::itemText(hwndEditor, IDC_FORMATEDITOR_STATUS);

  struct Step
  {
    const char* pszOutput;
    const char* pszName;
    const char* pszMessage;
    int nFocusId;
  };
  const Step rgSteps[] = {
      {"Left(1", "", "Undefined function or invalid function call syntax [ Left(1 ].", IDC_FORMATEDITOR_OUTPUT},
      {"Left(1)", "", "A data editing format must have a name.", IDC_FORMATEDITOR_NAME},
      {"Left(1)", "Initial", "A data editing format must have at least one critiera.", IDC_FORMATEDITOR_CRITERIA},
  };
  for (const Step& step : rgSteps)
  {
    SCOPED_TRACE(step.pszMessage);
    dd::setItemText(hwndEditor, IDC_FORMATEDITOR_OUTPUT, step.pszOutput);
    dd::setItemText(hwndEditor, IDC_FORMATEDITOR_NAME, step.pszName);
    dd::pressButton(hwndEditor, IDOK);
    dd::AnsweredBox box = dd::answerMessageBox(kszBox);
    ASSERT_TRUE(box.fFound);
    EXPECT_EQ(step.pszMessage, box.strText);
    EXPECT_TRUE(dd::waitPumping([&] { return focusedControl(hwndEditor) == GetDlgItem(hwndEditor, step.nFocusId); }))
        << "the focus is not on the control the message is about";
  }
  EXPECT_TRUE(waitForText(hwndEditor, IDC_FORMATEDITOR_STATUS, "Expression OK"));
  EXPECT_EQ("", format.getName()) << "name and output reach the format only on OK";

  addCriteriaInEditor(hwndEditor, IDC_CRITERIA_LENGTH, {{IDC_CRITERIA_MIN, "1"}, {IDC_CRITERIA_MAX, "1"}});
  dd::pressButton(hwndEditor, IDOK);
  ASSERT_TRUE(endsSoon(result));
  EXPECT_EQ(IDOK, result.get());
  EXPECT_EQ("Initial", format.getName());
  EXPECT_EQ("Left(1)", format.getOutput());
  EXPECT_EQ(1, format.getCriteriaMap().getCount());
}

// Editing a criterion into a second length criterion is refused; the criterion stays.
TEST(DataEditingDialogsTest, RefusedCriterionEditKeepsTheOriginal)
{
  DataEditFormat format;
  format.setName("Mixed");
  format.getCriteriaMap().add(std::make_unique<Criteria>(lengthCriteria(2, 9)));
  format.getCriteriaMap().add(std::make_unique<Criteria>(stringCriteria("A*")));
  auto result = std::async(std::launch::async, [&] {
    CFormatEditorDialog dialog(format, "Edit Data Editing Format");
    return dialog.runModal(nullptr);
  });
  HWND hwndEditor = dd::waitForDialog("Edit Data Editing Format");
  ASSERT_NE(nullptr, hwndEditor);
  const Lines rgBefore = {"Expression (start = 1, \"A*\")", "Length (min = 2, max = 9)"};
  EXPECT_EQ(rgBefore, dd::listLines(hwndEditor, IDC_FORMATEDITOR_CRITERIA));
  ASSERT_TRUE(dd::selectListIndex(hwndEditor, IDC_FORMATEDITOR_CRITERIA, 0));
  dd::pressButton(hwndEditor, IDC_FORMATEDITOR_EDIT);
  HWND hwndCriteria = dd::waitForDialog("Edit Criteria");
  ASSERT_NE(nullptr, hwndCriteria);
  EXPECT_TRUE(dd::isChecked(hwndCriteria, IDC_CRITERIA_STRING));
  EXPECT_EQ("A*", dd::itemText(hwndCriteria, IDC_CRITERIA_EXPRESSION));
  dd::clickCheck(hwndCriteria, IDC_CRITERIA_LENGTH);
  ASSERT_TRUE(waitForEnabled(hwndCriteria, IDC_CRITERIA_MIN, true));
  dd::pressButton(hwndCriteria, IDOK);
  expectGone(hwndCriteria, "\"Edit Criteria\"");
  dd::AnsweredBox box = dd::answerMessageBox(kszBox);
  ASSERT_TRUE(box.fFound);
  EXPECT_EQ("There can only be one length criteria per format.", box.strText);
  EXPECT_EQ(rgBefore, dd::listLines(hwndEditor, IDC_FORMATEDITOR_CRITERIA));
  dd::pressButton(hwndEditor, IDCANCEL);
  ASSERT_TRUE(endsSoon(result));
  EXPECT_EQ(2, format.getCriteriaMap().getCount());
  EXPECT_NE(nullptr, format.getCriteriaMap().lookup("Expression (start = 1, \"A*\")"));
}

namespace
{
// Runs the criteria dialog alone on a criterion.
struct CriteriaSession
{
  explicit CriteriaSession(Criteria& criteria)
    : m_result(std::async(std::launch::async, [&criteria] {
        CCriteriaDialog dialog(criteria, "Add Criteria");
        return dialog.runModal(nullptr);
      }))
  {
    m_hwnd = dd::waitForDialog("Add Criteria");
  }
  ~CriteriaSession()
  {
    if (m_hwnd != nullptr && IsWindow(m_hwnd))
      dd::pressButton(m_hwnd, IDCANCEL);
    if (m_result.valid())
    {
      EXPECT_TRUE(endsSoon(m_result));
    }
  }

  std::future<INT_PTR> m_result;
  HWND m_hwnd = nullptr;
};
}  // namespace

TEST(DataEditingDialogsTest, CriteriaRadioButtonsEnableOnlyTheirFields)
{
  Criteria criteria;
  CriteriaSession session(criteria);
  ASSERT_NE(nullptr, session.m_hwnd);
  HWND hwnd = session.m_hwnd;
  EXPECT_TRUE(dd::isChecked(hwnd, IDC_CRITERIA_LENGTH));
  EXPECT_EQ("1", dd::itemText(hwnd, IDC_CRITERIA_MIN));
  struct Row
  {
    int nRadio;
    int nEnabled;
    int rgnDisabled[2];
  };
  const Row rgRows[] = {
      {IDC_CRITERIA_STRING, IDC_CRITERIA_EXPRESSION, {IDC_CRITERIA_MIN, IDC_CRITERIA_PRESENT}},
      {IDC_CRITERIA_EAN128, IDC_CRITERIA_NOT_PRESENT, {IDC_CRITERIA_START, IDC_CRITERIA_MAX_SPIN}},
      {IDC_CRITERIA_LENGTH, IDC_CRITERIA_MAX, {IDC_CRITERIA_EXPRESSION, IDC_CRITERIA_PRESENT}},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.nRadio);
    dd::clickCheck(hwnd, row.nRadio);
    EXPECT_TRUE(dd::waitPumping([&] {
      return dd::isItemEnabled(hwnd, row.nEnabled) && !dd::isItemEnabled(hwnd, row.rgnDisabled[0]) &&
             !dd::isItemEnabled(hwnd, row.rgnDisabled[1]);
    })) << "enabled " << row.nEnabled << ": " << dd::isItemEnabled(hwnd, row.nEnabled) << ", disabled "
        << row.rgnDisabled[0] << ": " << !dd::isItemEnabled(hwnd, row.rgnDisabled[0]) << ", disabled "
        << row.rgnDisabled[1] << ": " << !dd::isItemEnabled(hwnd, row.rgnDisabled[1]);
  }
}

TEST(DataEditingDialogsTest, CriteriaWildcardQuestionYesAppendsAStarAndNoKeepsTheExpression)
{
  const std::string strQuestion =
      "Please be aware that Quilbar will try to match exactly the expression you have entered: \"AB\". "
      "I.e. it will NOT match \"ABXYZ\". Would you like \"AB<anything>\" to be matched?";
  for (int nAnswer : {IDYES, IDNO})
  {
    SCOPED_TRACE(nAnswer == IDYES ? "Yes" : "No");
    Criteria criteria;
    CriteriaSession session(criteria);
    ASSERT_NE(nullptr, session.m_hwnd);
    dd::clickCheck(session.m_hwnd, IDC_CRITERIA_STRING);
    ASSERT_TRUE(waitForEnabled(session.m_hwnd, IDC_CRITERIA_EXPRESSION, true));
    dd::setItemText(session.m_hwnd, IDC_CRITERIA_EXPRESSION, "AB");
    dd::pressButton(session.m_hwnd, IDOK);
    dd::AnsweredBox box = dd::answerMessageBox(kszBox, nAnswer);
    ASSERT_TRUE(box.fFound);
    EXPECT_EQ(strQuestion, box.strText);
    if (nAnswer == IDYES)
    {
      EXPECT_TRUE(waitForText(session.m_hwnd, IDC_CRITERIA_EXPRESSION, "AB*"));
      EXPECT_NE(std::future_status::ready, session.m_result.wait_for(milliseconds(200))) << "Yes keeps it open";
      dd::pressButton(session.m_hwnd, IDOK);
    }
    ASSERT_TRUE(endsSoon(session.m_result));
    EXPECT_EQ(IDOK, session.m_result.get());
    session.m_hwnd = nullptr;
    EXPECT_EQ(nAnswer == IDYES ? "AB*" : "AB", criteria.getExpression());
    EXPECT_TRUE(criteria.isKindStringExpression());
  }
}

TEST(DataEditingDialogsTest, CriteriaWithoutFieldsSwitchesToStringAndRefusedValuesGetTheFocus)
{
  Criteria criteria;
  CriteriaSession session(criteria);
  ASSERT_NE(nullptr, session.m_hwnd);
  HWND hwnd = session.m_hwnd;
  dd::clickCheck(hwnd, IDC_CRITERIA_EAN128);
  ASSERT_TRUE(waitForEnabled(hwnd, IDC_CRITERIA_PRESENT, true));
  dd::pressButton(hwnd, IDOK);
  dd::AnsweredBox box = dd::answerMessageBox(kszBox);
  ASSERT_TRUE(box.fFound);
  EXPECT_EQ("If no fields are specified at all, it makes no sense to use the EAN128 criteria type.", box.strText);
  EXPECT_TRUE(dd::waitPumping([&] {
    return dd::isChecked(hwnd, IDC_CRITERIA_STRING) && !dd::isChecked(hwnd, IDC_CRITERIA_EAN128) &&
           dd::isItemEnabled(hwnd, IDC_CRITERIA_EXPRESSION) && !dd::isItemEnabled(hwnd, IDC_CRITERIA_PRESENT);
  })) << "the dialog did not switch to String with its fields";

  dd::clickCheck(hwnd, IDC_CRITERIA_LENGTH);
  ASSERT_TRUE(waitForEnabled(hwnd, IDC_CRITERIA_MAX, true));
  dd::setItemText(hwnd, IDC_CRITERIA_MIN, "5");
  dd::setItemText(hwnd, IDC_CRITERIA_MAX, "0");
  dd::pressButton(hwnd, IDOK);
  box = dd::answerMessageBox(kszBox);
  ASSERT_TRUE(box.fFound);
  EXPECT_EQ("Maximum length must be greater than 1.", box.strText);
  EXPECT_TRUE(dd::waitPumping([&] { return focusedControl(hwnd) == GetDlgItem(hwnd, IDC_CRITERIA_MAX); }));

  // Numbers beyond the spin buttons' range may be typed.
  dd::setItemText(hwnd, IDC_CRITERIA_MAX, "250");
  dd::pressButton(hwnd, IDOK);
  ASSERT_TRUE(endsSoon(session.m_result));
  EXPECT_EQ(IDOK, session.m_result.get());
  session.m_hwnd = nullptr;
  EXPECT_EQ("Length (min = 5, max = 250)", criteria.getDescription());
}

// ---- The format test ---------------------------------------------------------------------------

TEST(DataEditingDialogsTest, FormatTestShowsTheDefaultFormatsOutputAndKeys)
{
  FormatTestSession session{QuilbarProfile()};
  ASSERT_NE(nullptr, session.m_hwnd);
  session.test("12345<CR>");
  EXPECT_TRUE(waitForText(session.m_hwnd, IDC_FORMATTEST_KEYBOARD_OUTPUT, "1 2 3 4 5 Enter Enter "))
      << session.text(IDC_FORMATTEST_KEYBOARD_OUTPUT);
  EXPECT_EQ("Default", session.text(IDC_FORMATTEST_FORMAT));
  EXPECT_EQ("12345<CR><CR>", session.text(IDC_FORMATTEST_DATA_OUTPUT));

  // Malformed notation: the message, and the results of the earlier test are gone.
  session.test("ab<c");
  dd::AnsweredBox box = dd::answerMessageBox(kszBox);
  ASSERT_TRUE(box.fFound) << "no message about the notation";
  EXPECT_EQ(FormatTest::kszNotationMessage, box.strText);
  EXPECT_EQ("", session.text(IDC_FORMATTEST_FORMAT));
  EXPECT_EQ("", session.text(IDC_FORMATTEST_DATA_OUTPUT));
  EXPECT_EQ("", session.text(IDC_FORMATTEST_KEYBOARD_OUTPUT));
}

TEST(DataEditingDialogsTest, FormatTestPassesUnknownDataThroughOrFiltersIt)
{
  {
    FormatTestSession session(profileWithOneFormat(lengthCriteria(3, 4), "Left(1)"));
    ASSERT_NE(nullptr, session.m_hwnd);
    session.test("Ab<CR>xyz");
    EXPECT_TRUE(waitForText(session.m_hwnd, IDC_FORMATTEST_FORMAT,
                            "<No matching data edit format, data passed through>"));
    EXPECT_EQ("Ab<CR>xyz", session.text(IDC_FORMATTEST_DATA_OUTPUT));
    EXPECT_EQ("A b Enter x y z ", session.text(IDC_FORMATTEST_KEYBOARD_OUTPUT));
  }
  FormatTestSession session(profileWithOneFormat(lengthCriteria(3, 4), "Left(1)", true));
  ASSERT_NE(nullptr, session.m_hwnd);
  session.test("Ab<CR>xyz");
  EXPECT_TRUE(waitForText(session.m_hwnd, IDC_FORMATTEST_FORMAT, "<No matching data edit format, data filtered>"));
  EXPECT_EQ("", session.text(IDC_FORMATTEST_DATA_OUTPUT));
  EXPECT_EQ("", session.text(IDC_FORMATTEST_KEYBOARD_OUTPUT));
}

// A Digital Link from a QR Code: the dialog shows the element string, the form and the identifier,
// and the expression's Symbology() gives the identifier.
TEST(DataEditingDialogsTest, FormatTestShowsTheGS1NormalisationAndSymbology)
{
  QuilbarProfile profile = profileWithOneFormat(stringCriteria("01*"), "EAN128Field(01) + Symbology()");
  profile.setGS1InputForms(7);
  FormatTestSession session(profile);
  ASSERT_NE(nullptr, session.m_hwnd);
  session.test("]Q1https://id.gs1.org/01/09520123456788");
  EXPECT_TRUE(waitForText(session.m_hwnd, IDC_FORMATTEST_DATA_OUTPUT, "09520123456788]Q1"))
      << session.text(IDC_FORMATTEST_DATA_OUTPUT);
  EXPECT_EQ("0109520123456788", session.text(IDC_FORMATTEST_NORMALISED));
  EXPECT_EQ("GS1 Digital Link URI, symbology identifier ]Q1", session.text(IDC_FORMATTEST_GS1_FORM));
  EXPECT_EQ("Only", session.text(IDC_FORMATTEST_FORMAT));
}

// The first piece shows at once while the Delay still runs; meanwhile the dialog answers, and a
// second press of Test starts nothing.
TEST(DataEditingDialogsTest, FormatTestShowsEachPieceWhileTheExpressionStillWaits)
{
  FormatTestSession session(profileWithOneFormat(stringCriteria("*"), "\"first\" + Delay(3000) + \"<TAB>second\""));
  ASSERT_NE(nullptr, session.m_hwnd);
  session.test("x");
  ASSERT_TRUE(waitForText(session.m_hwnd, IDC_FORMATTEST_DATA_OUTPUT, "first", milliseconds(2500)))
      << "the first piece did not show before the delay ended: " << session.text(IDC_FORMATTEST_DATA_OUTPUT);
  EXPECT_EQ("Only", session.text(IDC_FORMATTEST_FORMAT));
  EXPECT_FALSE(dd::isItemEnabled(session.m_hwnd, IDC_FORMATTEST_TEST)) << "Test must wait for the running test";

  DWORD_PTR dwAnswer = 0;
  EXPECT_NE(0, SendMessageTimeoutA(session.m_hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 500, &dwAnswer))
      << "the dialog does not answer while the expression waits";
  dd::pressButton(session.m_hwnd, IDC_FORMATTEST_TEST);

  EXPECT_TRUE(waitForText(session.m_hwnd, IDC_FORMATTEST_DATA_OUTPUT, "first<HT>second"))
      << session.text(IDC_FORMATTEST_DATA_OUTPUT);
  EXPECT_TRUE(waitForText(session.m_hwnd, IDC_FORMATTEST_KEYBOARD_OUTPUT, "f i r s t Tab s e c o n d "))
      << session.text(IDC_FORMATTEST_KEYBOARD_OUTPUT);
  EXPECT_TRUE(waitForEnabled(session.m_hwnd, IDC_FORMATTEST_TEST, true));
  // The ignored press did not run the expression a second time.
  EXPECT_NE(std::future_status::ready, session.m_result.wait_for(milliseconds(300)));
  EXPECT_EQ("first<HT>second", session.text(IDC_FORMATTEST_DATA_OUTPUT));
}

TEST(DataEditingDialogsTest, FormatTestShowsTheErrorAfterTheEarlierPieces)
{
  FormatTestSession session(profileWithOneFormat(stringCriteria("*"), "\"X\" + Foo()"));
  ASSERT_NE(nullptr, session.m_hwnd);
  session.test("data");
  dd::AnsweredBox box = dd::answerMessageBox(kszBox);
  ASSERT_TRUE(box.fFound) << "no message about the failed expression";
  EXPECT_EQ("Undefined function [ Foo() ].", box.strText);
  EXPECT_TRUE(waitForText(session.m_hwnd, IDC_FORMATTEST_KEYBOARD_OUTPUT, "X "));
  EXPECT_EQ("X", session.text(IDC_FORMATTEST_DATA_OUTPUT));
}

TEST(DataEditingDialogsTest, FormatTestClosesWhileAnExpressionWaits)
{
  auto pSession = std::make_unique<FormatTestSession>(profileWithOneFormat(stringCriteria("*"), "\"a\" + Delay(60000)"));
  ASSERT_NE(nullptr, pSession->m_hwnd);
  pSession->test("x");
  ASSERT_TRUE(waitForText(pSession->m_hwnd, IDC_FORMATTEST_DATA_OUTPUT, "a"));
  dd::pressButton(pSession->m_hwnd, IDCANCEL);
  EXPECT_TRUE(endsSoon(pSession->m_result, milliseconds(5000))) << "Close must not wait for the delay";
  pSession.reset();
}

// ---- Input data replacements -------------------------------------------------------------------

TEST(DataEditingDialogsTest, ReplacementDialogRefusesWhatIsNotValidNotation)
{
  Replacement replacement;
  replacement.setInput("old");
  ReplacementMap map;
  auto pExisting = std::make_unique<Replacement>(replacement);
  map.add(std::move(pExisting));
  auto result = std::async(std::launch::async, [&] { return runReplacementsDialog(nullptr, map); });
  HWND hwndList = dd::waitForDialog("Input Data Replacements");
  ASSERT_NE(nullptr, hwndList);
  ASSERT_TRUE(dd::selectListIndex(hwndList, IDC_REPLACEMENTS_LIST, 0));
  ASSERT_TRUE(waitForEnabled(hwndList, IDC_REPLACEMENTS_EDIT, true));
  dd::pressButton(hwndList, IDC_REPLACEMENTS_EDIT);
  HWND hwnd = dd::waitForDialog("Edit Input Data Replacement");
  ASSERT_NE(nullptr, hwnd);
  EXPECT_EQ("old", dd::itemText(hwnd, IDC_REPLACEMENT_SEARCH));
  struct Step
  {
    const char* pszSearch;
    const char* pszReplace;
    const char* pszMessage;
    int nFocusId;
  };
  const Step rgSteps[] = {
      {"", "x", "The Search for string can't be empty.", IDC_REPLACEMENT_SEARCH},
      {"ab<c", "x",
       "There is an error in the Search for string.\nExamples of valid expressions:\n\n"
       "\\xHH - Character in hex notation\n\\dDDD - Character in decimal notation\n"
       "<ETX> - Human readable control symbol\n\\< - The < character",
       IDC_REPLACEMENT_SEARCH},
      {"<CR>", "\\x4",
       "There is an error in the Replace string.\nExamples of valid expressions:\n\n"
       "\\xHH - Character in hex notation\n\\dDDD - Character in decimal notation\n"
       "<ETX> - Human readable control symbol\n\\< - The < character",
       IDC_REPLACEMENT_REPLACE},
  };
  for (const Step& step : rgSteps)
  {
    SCOPED_TRACE(step.pszMessage);
    dd::setItemText(hwnd, IDC_REPLACEMENT_SEARCH, step.pszSearch);
    dd::setItemText(hwnd, IDC_REPLACEMENT_REPLACE, step.pszReplace);
    dd::pressButton(hwnd, IDOK);
    dd::AnsweredBox box = dd::answerMessageBox(kszBox);
    ASSERT_TRUE(box.fFound);
    EXPECT_EQ(step.pszMessage, box.strText);
    EXPECT_TRUE(dd::waitPumping([&] { return focusedControl(hwnd) == GetDlgItem(hwnd, step.nFocusId); }));
  }
  dd::setItemText(hwnd, IDC_REPLACEMENT_REPLACE, "<LF>");
  dd::pressButton(hwnd, IDOK);
  expectGone(hwnd, "the replacement dialog");
  EXPECT_EQ(Lines{"<CR>\t<LF>"}, dd::listLines(hwndList, IDC_REPLACEMENTS_LIST));
  dd::pressButton(hwndList, IDOK);
  ASSERT_TRUE(endsSoon(result));
  EXPECT_TRUE(result.get());
  EXPECT_NE(nullptr, map.lookup("<CR>\t<LF>"));
  EXPECT_EQ(nullptr, map.lookup("old\t"));
}

namespace
{
void addReplacementInList(HWND hwndList, const std::string& strSearch, const std::string& strReplace)
{
  dd::pressButton(hwndList, IDC_REPLACEMENTS_ADD);
  HWND hwnd = dd::waitForDialog("Add Input Data Replacement");
  ASSERT_NE(nullptr, hwnd);
  dd::setItemText(hwnd, IDC_REPLACEMENT_SEARCH, strSearch);
  dd::setItemText(hwnd, IDC_REPLACEMENT_REPLACE, strReplace);
  dd::pressButton(hwnd, IDOK);
  expectGone(hwnd, "the replacement dialog");
}
}  // namespace

// Lines go before the selection; a pair that exists is refused, also as an edit, which keeps the
// edited entry; moving a line and OK decides the order they run in.
TEST(DataEditingDialogsTest, ReplacementsListAddsMovesAndRefusesDuplicates)
{
  ReplacementMap map;
  auto result = std::async(std::launch::async, [&] { return runReplacementsDialog(nullptr, map); });
  HWND hwndList = dd::waitForDialog("Input Data Replacements");
  ASSERT_NE(nullptr, hwndList);
  addReplacementInList(hwndList, "bb", "x");
  addReplacementInList(hwndList, "ab", "b");  // the new line is selected: this one goes before it
  ASSERT_TRUE(dd::waitPumping([&] { return dd::listLines(hwndList, IDC_REPLACEMENTS_LIST).size() == 2; }));
  addReplacementInList(hwndList, "<CR>", "");
  EXPECT_EQ((Lines{"<CR>\t", "ab\tb", "bb\tx"}), dd::listLines(hwndList, IDC_REPLACEMENTS_LIST));
  EXPECT_EQ(0, dd::listSelection(hwndList, IDC_REPLACEMENTS_LIST));

  addReplacementInList(hwndList, "bb", "x");
  dd::AnsweredBox box = dd::answerMessageBox(kszBox);
  ASSERT_TRUE(box.fFound);
  EXPECT_EQ("The input data replacement \"bb\tx\" already exist.", box.strText);
  EXPECT_EQ(3u, dd::listLines(hwndList, IDC_REPLACEMENTS_LIST).size());

  // Edit the last into the middle one's texts: refused, and the last stays as it was.
  ASSERT_TRUE(dd::selectListIndex(hwndList, IDC_REPLACEMENTS_LIST, 2));
  ASSERT_TRUE(waitForEnabled(hwndList, IDC_REPLACEMENTS_EDIT, true));
  dd::pressButton(hwndList, IDC_REPLACEMENTS_EDIT);
  HWND hwndEdit = dd::waitForDialog("Edit Input Data Replacement");
  ASSERT_NE(nullptr, hwndEdit);
  EXPECT_EQ("bb", dd::itemText(hwndEdit, IDC_REPLACEMENT_SEARCH));
  dd::setItemText(hwndEdit, IDC_REPLACEMENT_SEARCH, "ab");
  dd::setItemText(hwndEdit, IDC_REPLACEMENT_REPLACE, "b");
  dd::pressButton(hwndEdit, IDOK);
  expectGone(hwndEdit, "the edit dialog");
  box = dd::answerMessageBox(kszBox);
  ASSERT_TRUE(box.fFound);
  EXPECT_EQ("The input data replacement \"ab\tb\" already exist.", box.strText);
  EXPECT_EQ((Lines{"<CR>\t", "ab\tb", "bb\tx"}), dd::listLines(hwndList, IDC_REPLACEMENTS_LIST));

  // Move "bb" above "ab": from now on it runs first.
  ASSERT_TRUE(waitForEnabled(hwndList, IDC_REPLACEMENTS_MOVEUP, true));
  EXPECT_FALSE(dd::isItemEnabled(hwndList, IDC_REPLACEMENTS_MOVEDOWN)) << "the last line cannot move down";
  dd::pressButton(hwndList, IDC_REPLACEMENTS_MOVEUP);
  ASSERT_TRUE(dd::waitPumping(
      [&] { return dd::listLines(hwndList, IDC_REPLACEMENTS_LIST) == Lines{"<CR>\t", "bb\tx", "ab\tb"}; }));
  dd::pressButton(hwndList, IDOK);
  ASSERT_TRUE(endsSoon(result));
  ASSERT_TRUE(result.get());
  ASSERT_EQ(3, map.getCount());
  EXPECT_EQ(0, map.lookup("<CR>\t")->getOrder());
  EXPECT_EQ(1, map.lookup("bb\tx")->getOrder());
  EXPECT_EQ(2, map.lookup("ab\tb")->getOrder());

  // aabb<CR>: the carriage return goes, bb becomes x, and ab no longer occurs.
  auto test = std::async(std::launch::async, [&] { runReplacementTestDialog(nullptr, map); });
  HWND hwndTest = dd::waitForDialog("Test Input Data Replacements");
  ASSERT_NE(nullptr, hwndTest);
  dd::setItemText(hwndTest, IDC_REPLACEMENTTEST_INPUT, "aabb<CR>");
  dd::pressButton(hwndTest, IDC_REPLACEMENTTEST_TEST);
  EXPECT_TRUE(waitForText(hwndTest, IDC_REPLACEMENTTEST_DATA_OUTPUT, "aax"));
  EXPECT_EQ("2", dd::itemText(hwndTest, IDC_REPLACEMENTTEST_COUNT));

  dd::setItemText(hwndTest, IDC_REPLACEMENTTEST_INPUT, "ab<c");
  dd::pressButton(hwndTest, IDC_REPLACEMENTTEST_TEST);
  box = dd::answerMessageBox(kszBox);
  ASSERT_TRUE(box.fFound);
  EXPECT_EQ(FormatTest::kszNotationMessage, box.strText);
  EXPECT_EQ("aax", dd::itemText(hwndTest, IDC_REPLACEMENTTEST_DATA_OUTPUT)) << "a refused input changes nothing";
  dd::pressButton(hwndTest, IDCANCEL);
  EXPECT_TRUE(endsSoon(test));
}

TEST(DataEditingDialogsTest, ReplacementsCancelChangesNothing)
{
  ReplacementMap map;
  auto pReplacement = std::make_unique<Replacement>();
  pReplacement->setInput("a");
  map.add(std::move(pReplacement));
  auto result = std::async(std::launch::async, [&] { return runReplacementsDialog(nullptr, map); });
  HWND hwndList = dd::waitForDialog("Input Data Replacements");
  ASSERT_NE(nullptr, hwndList);
  addReplacementInList(hwndList, "b", "c");
  ASSERT_TRUE(dd::selectListIndex(hwndList, IDC_REPLACEMENTS_LIST, 0));
  ASSERT_TRUE(waitForEnabled(hwndList, IDC_REPLACEMENTS_REMOVE, true));
  dd::pressButton(hwndList, IDC_REPLACEMENTS_REMOVE);
  ASSERT_TRUE(dd::waitPumping([&] { return dd::listLines(hwndList, IDC_REPLACEMENTS_LIST) == Lines{"b\tc"}; }));
  dd::pressButton(hwndList, IDCANCEL);
  ASSERT_TRUE(endsSoon(result));
  EXPECT_FALSE(result.get());
  EXPECT_EQ(1, map.getCount());
  EXPECT_NE(nullptr, map.lookup("a\t"));
}
