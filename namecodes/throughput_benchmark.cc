// Throughput of the item converter's whole pass against a plain block read
// of the same file: the reading loop, the slicing and the table writing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "namecodes/name_code_converter.h"
#include "tablecore/line_reader.h"
#include "tablecore/line_writer.h"
#include "tablecore/platform.h"
#include "tablecore/run_frame.h"

namespace {

const char* const kDataPath = "/tmp/tablecodes-benchmark-itemdata.txt";

// About 64 MiB of item records in UTF-16LE with CR LF line ends.
std::size_t MakeDataFile() {
  static std::size_t size = 0;
  if (size != 0) return size;
  std::u16string line =
      u"item_begin\tweapon\t1234\t[long_sword_of_the_north]\ttype=weapon\tweight=1600\t"
      u"price=48000\tcrystal=d\titem_end\r\n";
  std::string bytes = "\xFF\xFE";
  while (bytes.size() < (64u << 20)) {
    for (const char16_t unit : line) {
      bytes.push_back(static_cast<char>(unit & 0xFF));
      bytes.push_back(static_cast<char>(unit >> 8));
    }
  }
  std::ofstream(kDataPath, std::ios::binary).write(bytes.data(),
                                                   static_cast<std::streamsize>(bytes.size()));
  size = bytes.size();
  return size;
}

void BM_PlainBlockRead(benchmark::State& state) {
  const std::size_t size = MakeDataFile();
  std::vector<char> block(1 << 20);
  for (auto _ : state) {
    tablecore::platform::FileHandle file;
    if (tablecore::platform::OpenForReading(kDataPath, &file) != 0) state.SkipWithError("open");
    std::size_t got = 0;
    do {
      (void)tablecore::platform::ReadSome(file, block.data(), block.size(), &got);
      benchmark::DoNotOptimize(block.data());
    } while (got > 0);
    (void)tablecore::platform::CloseFile(file);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_PlainBlockRead)->Unit(benchmark::kMillisecond);

void BM_ReadLines(benchmark::State& state) {
  const std::size_t size = MakeDataFile();
  for (auto _ : state) {
    tablecore::LineReader reader;
    reader.Open(kDataPath);
    reader.SkipByte();
    while (!reader.AtEnd()) {
      reader.SkipByte();
      benchmark::DoNotOptimize(reader.ReadLine().data());
    }
    reader.Close();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_ReadLines)->Unit(benchmark::kMillisecond);

void BM_ConvertItems(benchmark::State& state) {
  const std::size_t size = MakeDataFile();
  for (auto _ : state) {
    std::vector<tablecore::LineWriter> tables(1);
    tables[0].Create("/dev/null");
    tablecore::RecordCounter counter;
    tablecore::RunContext context(tables, counter);
    tablecore::LineReader reader;
    reader.Open(kDataPath);
    reader.SkipByte();
    while (!reader.AtEnd()) {
      reader.SkipByte();
      (void)namecodes::ConvertItemLine(reader.ReadLine(), context);
    }
    reader.Close();
    tables[0].Close();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_ConvertItems)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
