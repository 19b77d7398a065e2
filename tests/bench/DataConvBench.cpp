// Conversion cost of a typical GS1-128 data string and of a long one, both directions.
#include "base/DataConv.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{
std::string typicalNotation()
{
  return "0104006381333931<GS>10ABC123<GS>21XY\\<Z<CR>";
}

void BM_ParseTypical(benchmark::State& state)
{
  std::string strText = typicalNotation();
  for (auto _ : state)
  {
    std::string strBytes;
    benchmark::DoNotOptimize(DataConv::parse(strText, strBytes));
  }
}
BENCHMARK(BM_ParseTypical);

void BM_RenderLong(benchmark::State& state)
{
  std::string strBytes;
  for (int i = 0; i < 4096; ++i)
    strBytes += static_cast<char>(i & 0xFF);
  for (auto _ : state)
    benchmark::DoNotOptimize(DataConv::render(strBytes));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(strBytes.size()));
}
BENCHMARK(BM_RenderLong);
}  // namespace
