#pragma once

#include <cstdint>
#include <string>

// Turns the other forms in which scanners deliver GS1 data into the raw element string that the
// GS1-128 parser, the EAN128 criteria and EAN128Field read. Each form is the user's choice (the
// profile value GS1InputForms, a mask of the bits below); with none chosen nothing changes.
class GS1Normaliser
{
public:
  enum : uint32_t
  {
    kSymbologyIdentifiers = 1,  // a leading "]C1", "]d2", "]Q1", ... is taken off
    kBracketedForm = 2,         // "(01)09501101530003(10)ABC123"
    kDigitalLink = 4            // "https://id.gs1.org/01/09501101530003/10/ABC123?17=261231"
  };

  enum class Form
  {
    kAsReceived,     // nothing recognised (or not chosen): the string passes as it is
    kElementString,  // a raw element string behind a GS1 symbology identifier
    kBracketed,
    kDigitalLink
  };

  struct Result
  {
    std::string strText;        // what the rest of the pipeline works on
    std::string strSymbology;   // the identifier taken off, or empty
    Form form = Form::kAsReceived;
    std::string strNotConverted;  // why a web address or bracketed text was left as it is
  };

  static Result normalise(const std::string& strInput, uint32_t dwForms);
  // "GS1 Digital Link URI", ... for the format test dialog.
  static const char* describe(Form form);
};
