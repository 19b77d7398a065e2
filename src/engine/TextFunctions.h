#pragma once

class Evaluation;
struct FunctionCall;

// The functions of output expressions that produce text from the data string, the clock and
// GS1-128 fields. Argument counts are checked by the caller; each function does the rest.
class TextFunctions
{
public:
  static bool input(Evaluation& evaluation, const FunctionCall& call);
  static bool left(Evaluation& evaluation, const FunctionCall& call);
  static bool right(Evaluation& evaluation, const FunctionCall& call);
  static bool mid(Evaluation& evaluation, const FunctionCall& call);
  static bool subStr(Evaluation& evaluation, const FunctionCall& call);
  static bool dateTime(Evaluation& evaluation, const FunctionCall& call);
  static bool ean128Field(Evaluation& evaluation, const FunctionCall& call);
  static bool symbology(Evaluation& evaluation, const FunctionCall& call);
};
