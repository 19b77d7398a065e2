#pragma once

#include <string>

class QuilbarProfile;

// The rules of "Test Data Editing Formats" up to the output expression: the typed data string in
// the notation, the choice of format, and what is shown when none matches. The dialog runs the
// expression (or passes the data through) and collects the output with FormatTestOutput.
class FormatTest
{
public:
  // Shown by both test dialogs when the typed data string is not valid notation.
  static const char kszNotationMessage[];
  static const char kszDataFiltered[];
  static const char kszDataPassedThrough[];

  enum class Step
  {
    NotationError,  // show the notation message; the results stay empty
    Evaluate,       // run strExpression on strData
    Filtered,       // nothing is produced
    PassThrough,    // strData goes to the output once, unchanged
  };

  struct Plan
  {
    Step step = Step::NotationError;
    std::string strFormatField;  // "Matching Data Editing Format"
    std::string strData;         // the data string the format would see (after GS1 normalisation)
    std::string strExpression;   // the output expression to run (Evaluate only)
    std::string strSymbology;    // what Symbology() gives
    std::string strNormalisedField;  // "After GS1 Normalisation": strData in the notation
    std::string strGS1FormField;     // "Recognised GS1 Form", with the identifier or why not converted
  };

  static Plan plan(const QuilbarProfile& profile, const std::string& strInput);

  // The typed text as the data string the pipeline would get: the notation converted, and a zero
  // byte written "[NULL]" as the port reader does. False when the notation is malformed.
  static bool convertInput(const std::string& strInput, std::string& strData);

private:
  static void normalise(const QuilbarProfile& profile, Plan& plan);
};
