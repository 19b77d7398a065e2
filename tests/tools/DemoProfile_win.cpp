// Writes the demonstration profile "Demo" into the registry, as a user would have set it up in
// the settings dialog, and makes it the only profile:
//   DemoProfile.exe <port>
//   DemoProfile.exe /notation <hex bytes>...   prints each scan as the settings show data (<GS>)
// - a replacement that removes the symbology identifier "]C1" that scanners put before GS1-128;
// - GS1 data from 2D codes: symbology identifiers, the bracketed form and GS1 Digital Link
//   addresses become element strings, so the same format reads a QR Code's web address;
// - "GS1-128" (order 0), for labels that carry AI 01: the GTIN, batch and best-before date,
//   taken apart with EAN128Field;
// - "Plain" (order 1), for everything else: the data as scanned, with Enter.
// The initialisation string "OK^M" tells the demo when the port is open.
#include "base/DataConv.h"
#include "engine/Criteria.h"
#include "engine/DataEditFormat.h"
#include "engine/GS1Normaliser.h"
#include "engine/Replacement.h"
#include "base/Registry.h"
#include "settings/QuilbarProfileStore.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace
{
void addFormat(QuilbarProfile& profile, const char* pszName, int nOrder, const char* pszOutput,
               std::unique_ptr<Criteria> pCriteria)
{
  auto pFormat = std::make_unique<DataEditFormat>();
  pFormat->setName(pszName);
  pFormat->setOrder(nOrder);
  pFormat->setOutput(pszOutput);
  pFormat->getCriteriaMap().add(std::move(pCriteria));
  profile.getDataEditFormatMap().add(pszName, std::move(pFormat));
}
bool fromHex(const char* pszHex, std::string& strBytes)
{
  size_t cchHex = std::strlen(pszHex);
  if (cchHex % 2 != 0)
    return false;
  for (size_t i = 0; i < cchHex; i += 2)
  {
    char szByte[3] = {pszHex[i], pszHex[i + 1], '\0'};
    char* pszEnd = nullptr;
    unsigned long nByte = std::strtoul(szByte, &pszEnd, 16);
    if (pszEnd != szByte + 2 || nByte == 0)
      return false;
    strBytes += static_cast<char>(nByte);
  }
  return true;
}

// The scans come as hex, so the shell and Wine's command line carry every byte unchanged.
int printNotation(int argc, char** argv)
{
  for (int i = 2; i < argc; ++i)
  {
    std::string strBytes;
    if (!fromHex(argv[i], strBytes))
    {
      std::fprintf(stderr, "DemoProfile: not hex bytes: %s\n", argv[i]);
      return 2;
    }
    std::printf("%s\n", DataConv::render(strBytes).c_str());
  }
  return 0;
}
}  // namespace

int main(int argc, char** argv)
{
  if (argc > 1 && std::strcmp(argv[1], "/notation") == 0)
    return printNotation(argc, argv);
  const char* pszPort = argc > 1 ? argv[1] : "COM5";
  // Whatever was there goes: the demo runs on its own profile, the only one.
  Registry software;
  if (software.openKey("HKEY_LOCAL_MACHINE\\Software", Registry::kdwAccessAll))
    software.deleteSubKey("Tarnwick");
  QuilbarProfileStore store;
  QuilbarProfile& profile = store.addOrSelectProfile("Demo");
  profile.setDefaults();
  profile.setName("Demo");
  profile.setPort(pszPort);
  profile.setInitString("OK^M");
  profile.getDataEditFormatMap().removeAll();
  profile.setGS1InputForms(GS1Normaliser::kSymbologyIdentifiers | GS1Normaliser::kBracketedForm |
                           GS1Normaliser::kDigitalLink);

  auto pReplacement = std::make_unique<Replacement>();
  pReplacement->setOrder(0);
  pReplacement->setInput("]C1");
  pReplacement->setReplace("");
  profile.getReplacementMap().add(std::move(pReplacement));

  auto pGs1 = std::make_unique<Criteria>();
  pGs1->setKindEAN128();
  pGs1->setFieldsPresent("01");
  addFormat(profile, "GS1-128", 0,
            "\"GTIN \" + EAN128Field(\"01\") + \" batch \" + EAN128Field(\"10\") + \" best before \" + "
            "EAN128Field(\"17\") + \"<cr>\"",
            std::move(pGs1));
  auto pAny = std::make_unique<Criteria>();
  pAny->setKindStringExpression();
  pAny->setStartPosition(1);
  pAny->setExpression("*");
  addFormat(profile, "Plain", 1, "Input() + \"<cr>\"", std::move(pAny));

  if (!store.saveSettings())
  {
    std::fprintf(stderr, "DemoProfile: the settings could not be written\n");
    return 1;
  }
  std::printf("demo profile written: Demo on %s\n", pszPort);
  return 0;
}
