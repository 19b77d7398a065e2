#include "GS1Normaliser.h"

#include "BracketedElementString.h"
#include "DigitalLinkUri.h"
#include "SymbologyIdentifier.h"

#include <vector>

// The identifier comes first: a QR Code scanner sends "]Q1https://...". Behind a GS1 identifier
// the data already is an element string, so no other form is looked for.
GS1Normaliser::Result GS1Normaliser::normalise(const std::string& strInput, uint32_t dwForms)
{
  Result result;
  result.strText = strInput;
  if ((dwForms & kSymbologyIdentifiers) != 0)
  {
    result.strSymbology = SymbologyIdentifier::leading(strInput);
    result.strText.erase(0, result.strSymbology.size());
    if (SymbologyIdentifier::isGS1(result.strSymbology))
    {
      result.form = Form::kElementString;
      return result;
    }
  }

  std::vector<GS1Element> rgElements;
  std::string strReason;
  bool fDigitalLink = (dwForms & kDigitalLink) != 0 && DigitalLinkUri::looksLikeUri(result.strText);
  bool fBracketed = !fDigitalLink && (dwForms & kBracketedForm) != 0 &&
                    BracketedElementString::looksBracketed(result.strText);
  if (fDigitalLink && !DigitalLinkUri::read(result.strText, rgElements, strReason))
    result.strNotConverted = "not a GS1 Digital Link URI: " + strReason;
  else if (fBracketed && !BracketedElementString::read(result.strText, rgElements, strReason))
    result.strNotConverted = "not a bracketed GS1 element string: " + strReason;
  else if (fDigitalLink || fBracketed)
  {
    result.strText = GS1ElementString::render(rgElements);
    result.form = fDigitalLink ? Form::kDigitalLink : Form::kBracketed;
  }
  return result;
}

const char* GS1Normaliser::describe(Form form)
{
  switch (form)
  {
  case Form::kElementString:
    return "GS1 element string";
  case Form::kBracketed:
    return "Bracketed GS1 element string";
  case Form::kDigitalLink:
    return "GS1 Digital Link URI";
  case Form::kAsReceived:
    break;
  }
  return "None (data as received)";
}
