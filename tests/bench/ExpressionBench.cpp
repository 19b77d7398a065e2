// Cost of evaluating output expressions once per data string, as the pipeline does, with the
// actions replaced by the recording fake (only text functions are measured). Each expression
// stands beside a reference: the same output computed by hand-written C++.
#include "engine/ExpressionEvaluator.h"
#include "RecordingExpressionActions.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <functional>
#include <string>

namespace
{
void appendPiece(const char* pszPiece, void* pContext1, void*)
{
  *static_cast<std::string*>(pContext1) += pszPiece;
}

std::string evaluateOnce(RecordingExpressionActions& actions, const std::string& strExpression,
                         const std::string& strData)
{
  ExpressionEvaluator evaluator(actions);
  ProgramHandle hProgram = nullptr;
  std::string strOutput, strError;
  evaluator.evaluateExpression(strExpression, hProgram, nullptr, strData, strError, appendPiece, &strOutput, nullptr);
  return strOutput;
}

void evaluateRepeatedly(benchmark::State& state, const std::string& strExpression, const std::string& strData)
{
  RecordingExpressionActions actions;
  ExpressionEvaluator evaluator(actions);
  ProgramHandle hProgram = nullptr;
  std::string strOutput;
  std::string strError;
  for (auto _ : state)
  {
    strOutput.clear();
    bool fOk = evaluator.evaluateExpression(strExpression, hProgram, nullptr, strData, strError, appendPiece,
                                            &strOutput, nullptr);
    benchmark::DoNotOptimize(fOk);
    benchmark::DoNotOptimize(strOutput.data());
  }
}

// The hand-written version must write what the expression writes.
void computeRepeatedly(benchmark::State& state, const std::string& strExpression, const std::string& strData,
                       const std::function<std::string(RecordingExpressionActions&, const std::string&)>& fnCompute)
{
  RecordingExpressionActions actions;
  if (fnCompute(actions, strData) != evaluateOnce(actions, strExpression, strData))
    state.SkipWithError("the hand-written version writes another text than the expression");
  for (auto _ : state)
  {
    std::string strOutput = fnCompute(actions, strData);
    benchmark::DoNotOptimize(strOutput.data());
  }
}

const char kszDefaultFormat[] = "Input() + \"<cr>\"";
const char kszCutAtSeparators[] =
    "Left(\"-\"-1) + \"<TAB>\" + Mid(\"-\"+1) + \"<TAB>\" + SubStr(\"A\", \"-\") + \"<CR>\"";
const char kszDateAndLongData[] = "Date(\"%Y-%m-%d\") + \" \" + Right(\"END\"-1) + \"<CR>\"";

std::string longData()
{
  return std::string(8000, 'x') + "END";
}

void BM_DefaultFormat(benchmark::State& state)
{
  evaluateRepeatedly(state, kszDefaultFormat, "4006381333931");
}

void BM_DefaultFormat_Reference(benchmark::State& state)
{
  computeRepeatedly(state, kszDefaultFormat, "4006381333931",
                    [](RecordingExpressionActions&, const std::string& strData) { return strData + "\r"; });
}

void BM_CutAtSeparators(benchmark::State& state)
{
  evaluateRepeatedly(state, kszCutAtSeparators, "ABC-12345-XYZ");
}

void BM_CutAtSeparators_Reference(benchmark::State& state)
{
  computeRepeatedly(state, kszCutAtSeparators, "ABC-12345-XYZ", [](RecordingExpressionActions&, const std::string& strData) {
    size_t nDash = strData.find('-');
    size_t nA = strData.find('A');
    size_t nDashAfterA = strData.find('-', nA + 1);
    return strData.substr(0, nDash) + "\t" + strData.substr(nDash + 1) + "\t" +
           strData.substr(nA + 1, nDashAfterA - nA - 1) + "\r";
  });
}

void BM_DateAndLongData(benchmark::State& state)
{
  evaluateRepeatedly(state, kszDateAndLongData, longData());
}

void BM_DateAndLongData_Reference(benchmark::State& state)
{
  computeRepeatedly(state, kszDateAndLongData, longData(), [](RecordingExpressionActions& actions, const std::string& strData) {
    std::tm time = actions.localTime();
    char szDate[32];
    std::strftime(szDate, sizeof szDate, "%Y-%m-%d", &time);
    // "END"-1 is the position of the first "END" less one; Right takes that many bytes from the end.
    size_t nCount = strData.find("END");
    return std::string(szDate) + " " + strData.substr(strData.size() - nCount) + "\r";
  });
}
}  // namespace

BENCHMARK(BM_DefaultFormat);
BENCHMARK(BM_DefaultFormat_Reference);
BENCHMARK(BM_CutAtSeparators);
BENCHMARK(BM_CutAtSeparators_Reference);
BENCHMARK(BM_DateAndLongData);
BENCHMARK(BM_DateAndLongData_Reference);
