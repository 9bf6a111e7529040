// The image pipeline on the largest image the flash takes: 16-byte records from 0x0010 up to the
// last address that leaves room for the 128 bytes sent after the image (about 64 KB of data).
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "flash/build_flash_image.h"
#include "flash/eeprom_text.h"
#include "flash/split_parameter_header.h"
#include "image/hex_record_line.h"
#include "image/hex_text_to_image.h"
#include "image/memory_file_system.h"

namespace korvane {
namespace {

constexpr std::uint32_t kFirstFirmwareAddress = 0x0100;
// The longest image whose programmed length fits the buffer: 0xFF7F bytes.
constexpr std::uint32_t kImageEnd = kFlashImageCapacity - kProgrammedTail;

std::string DataRecord(std::uint32_t address, std::uint32_t count = 16) {
  std::string line = ":" + HexWordText(static_cast<std::uint16_t>(count)).substr(2) +
                     HexWordText(static_cast<std::uint16_t>(address)) + "00";
  for (std::uint32_t i = 0; i < count; ++i) {
    line += HexWordText(static_cast<std::uint16_t>((address + i) & 0xFF)).substr(2);
  }
  return line + "5A";
}

struct LargestImage {
  std::vector<std::string> parameterLines;
  std::vector<std::string> firmwareLines;
  HeaderFields fields;
  std::string recordText;  // records with CR LF, as the conversion receives them

  LargestImage() {
    for (std::uint32_t address = 0x10; address < kFirstFirmwareAddress; address += 16) {
      parameterLines.push_back(DataRecord(address));
    }
    std::uint32_t address = kFirstFirmwareAddress;
    for (; address + 16 <= kImageEnd; address += 16) {
      firmwareLines.push_back(DataRecord(address));
    }
    firmwareLines.push_back(DataRecord(address, kImageEnd - address));
    SplitParameterHeader("6C1405E20100000000000000", fields);
    fields.m_headerSizeText = "FFFF";
    recordText =
        EepromRecordText(FlashHeaderRecordLine(fields, 0x1234), parameterLines, firmwareLines);
  }
};

const LargestImage& Image() {
  static const LargestImage image;
  return image;
}

void BM_MemcpyRecordText(benchmark::State& state) {
  const std::string& text = Image().recordText;
  std::vector<char> copy(text.size());
  for (auto _ : state) {
    std::memcpy(copy.data(), text.data(), text.size());
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_MemcpyRecordText);

void BM_HexTextToImage(benchmark::State& state) {
  const std::string& text = Image().recordText;
  std::vector<std::uint8_t> work(text.size());
  std::vector<std::uint8_t> image(kFlashImageCapacity);
  for (auto _ : state) {
    state.PauseTiming();  // the conversion consumes its text
    std::memcpy(work.data(), text.data(), text.size());
    state.ResumeTiming();
    std::uint32_t length = kFlashImageCapacity;
    int result = HexTextToImage(work.data(), work.size(), image.data(), &length);
    benchmark::DoNotOptimize(result);
    if (result != 0 || length != kImageEnd) {
      state.SkipWithError("conversion failed");
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_HexTextToImage);

void BM_BuildFlashImage(benchmark::State& state) {
  const LargestImage& source = Image();
  testing::MemoryFileSystem files("/station");
  std::vector<std::uint8_t> image(kFlashImageCapacity);
  HeaderFields fields = source.fields;
  for (auto _ : state) {
    fields.m_headerSizeText.clear();
    FlashImageBuild build = BuildFlashImage(
        files, "/station", fields, {0x1200, 0x0034, source.parameterLines, source.firmwareLines},
        image.data());
    if (!build.Built()) {
      state.SkipWithError(build.reason.c_str());
      break;
    }
    benchmark::DoNotOptimize(build.programmedLength);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(source.recordText.size()));
}
BENCHMARK(BM_BuildFlashImage);

}  // namespace
}  // namespace korvane
