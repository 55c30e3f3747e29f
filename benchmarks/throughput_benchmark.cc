// Throughput of the converters' whole passes (reading loop, conversion and
// table writing) against a plain block read of the same file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "abilitycodes/skill_converter.h"
#include "namecodes/name_code_converter.h"
#include "tablecore/line_reader.h"
#include "tablecore/line_writer.h"
#include "tablecore/platform.h"
#include "tablecore/run_frame.h"

namespace {

const char* const kDataPath = "/tmp/tablecodes-benchmark-itemdata.txt";
const char* const kSkillDataPath = "/tmp/tablecodes-benchmark-skilldata.txt";

// About 64 MiB of copies of one record in UTF-16LE with CR LF line ends.
std::size_t WriteDataFile(const char* path, std::u16string_view line) {
  std::string bytes = "\xFF\xFE";
  while (bytes.size() < (64u << 20)) {
    for (const char16_t unit : line) {
      bytes.push_back(static_cast<char>(unit & 0xFF));
      bytes.push_back(static_cast<char>(unit >> 8));
    }
  }
  std::ofstream(path, std::ios::binary).write(bytes.data(),
                                              static_cast<std::streamsize>(bytes.size()));
  return bytes.size();
}

std::size_t MakeDataFile() {
  static const std::size_t size = WriteDataFile(
      kDataPath,
      u"item_begin\tweapon\t1234\t[long_sword_of_the_north]\ttype=weapon\tweight=1600\t"
      u"price=48000\tcrystal=d\titem_end\r\n");
  return size;
}

std::size_t MakeSkillDataFile() {
  static const std::size_t size = WriteDataFile(
      kSkillDataPath,
      u"skill_begin\tskill_name=[s_power_strike]\tskill_id=3\tlevel=2\toperate_type=A1\t"
      u"cast_range=40\thp_consume=0\tmp_consume1=0\tmp_consume2=10\teffect_point=-100\t"
      u"abnormal_lv=1\tis_magic=0\ttarget_type=enemy\tattribute=attr_fire\t"
      u"abnormal_type=stun\tskill_hit_time=1.08\treuse_delay=11\tskill_hit_cancel_time=0.5\t"
      u"skill_cool_time=0\tskill_end\r\n");
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
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
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
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
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
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}
BENCHMARK(BM_ConvertItems)->Unit(benchmark::kMillisecond);

void BM_ConvertSkills(benchmark::State& state) {
  const std::size_t size = MakeSkillDataFile();
  for (auto _ : state) {
    std::vector<tablecore::LineWriter> tables(2);
    tables[0].Create("/dev/null");
    tables[1].Create("/dev/null");
    tablecore::RecordCounter counter;
    tablecore::RunContext context(tables, counter);
    abilitycodes::SkillConverter converter;
    tablecore::LineReader reader;
    reader.Open(kSkillDataPath);
    reader.SkipByte();
    while (!reader.AtEnd()) {
      reader.SkipByte();
      (void)converter.ConvertSkillLine(reader.ReadLine(), context);
    }
    reader.Close();
    tables[0].Close();
    tables[1].Close();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}
BENCHMARK(BM_ConvertSkills)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
