// Fills a data file through the writer and, in the same run, writes as many bytes with
// plain sequential writes of the same chunk size; prints both throughputs and the ratio.
// WriterBenchmark [folder] [MiB]: the current folder and 1024 MiB by default.
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "datafile/DataFileName.h"
#include "datafile/DataFileWriter.h"

namespace {

constexpr int32_t Channels = 16;
constexpr uint32_t ChunkBytes = 256 * Channels * 2 * 2;  // synchronous mode: 16 KiB

class QuietOwner : public WriterOwner {
 public:
  void WriterProgress(uint32_t, uint32_t) override { ++Notices; }
  void WriterStopped() override {}
  bool ConfirmReplace(const char*) override { return true; }
  void WriterFailed(WriterFailure, const char* text) override {
    std::fprintf(stderr, "%s\n", text);
  }
  int Notices = 0;
};

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

long PeakMemoryKiB() {
#ifndef _WIN32
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
#else
  return -1;
#endif
}

// Returns the seconds taken, or a negative value when the file could not be written.
double WriteThroughWriter(const std::string& folder, uint32_t chunks) {
  FileSystem& files = SystemFileSystem();
  QuietOwner owner;
  ProgramConfiguration configuration;
  configuration.SizeArray[0] = static_cast<int32_t>(chunks * 256);
  RecordingSettings settings;
  settings.SynchroMode = 1;
  for (int32_t c = 0; c < Channels; ++c) {
    settings.ChAIndex[c] = 2;
    settings.ChBIndex[c] = 2;
  }
  PathTexts paths;
  std::snprintf(paths.OutputDirectory, sizeof paths.OutputDirectory, "%s%c", folder.c_str(),
                PathSeparator);
  DataFileWriter writer(files, owner, configuration, settings, paths);
  writer.ComposeFileName();
  std::string name = std::string(paths.OutputPath) + DataFileExtension;
  ChannelList list;
  int32_t count = BuildChannelList(settings, &list);

  auto start = std::chrono::steady_clock::now();
  if (writer.StartDataFile(list, count) != StartOutcome::Started) {
    return -1;
  }
  while (!writer.WriteInBackground()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  double seconds = Seconds(start);
  bool complete = files.SizeOf(name.c_str()) == 512 + int64_t{chunks} * ChunkBytes;
  files.Remove(name.c_str());
  return complete ? seconds : -1;
}

double WritePlainly(const std::string& folder, uint32_t chunks) {
  FileSystem& files = SystemFileSystem();
  std::string name = folder + PathSeparator + "plain.bin";
  std::vector<uint8_t> chunk(ChunkBytes, 0xFF);
  auto start = std::chrono::steady_clock::now();
  FileHandle file = files.CreateAlways(name.c_str(), false);
  if (file == InvalidFile) {
    return -1;
  }
  bool complete = files.Write(file, chunk.data(), 512) == 512;
  for (uint32_t i = 0; complete && i < chunks; ++i) {
    complete = files.Write(file, chunk.data(), ChunkBytes) == ChunkBytes;
  }
  files.Close(file);
  double seconds = Seconds(start);
  files.Remove(name.c_str());
  return complete ? seconds : -1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : ".";
  uint32_t mebibytes = argc > 2 ? static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10)) : 1024;
  uint32_t chunks = mebibytes * (1048576 / ChunkBytes);
  double mib = static_cast<double>(chunks) * ChunkBytes / 1048576.0;

  // Alternate the two, twice, and keep the best of each: the machine is shared.
  double plain = 1e9;
  double writer = 1e9;
  for (int round = 0; round < 2; ++round) {
    double p = WritePlainly(folder, chunks);
    double w = WriteThroughWriter(folder, chunks);
    if (p < 0 || w < 0) {
      std::fprintf(stderr, "Writing into %s failed.\n", folder.c_str());
      return 1;
    }
    std::printf("round %d: plain %.2f s, writer %.2f s, peak memory %ld KiB\n", round + 1, p, w,
                PeakMemoryKiB());
    plain = p < plain ? p : plain;
    writer = w < writer ? w : writer;
  }
  std::printf("%.0f MiB in %u chunks of %u bytes\n", mib, chunks, ChunkBytes);
  std::printf("plain writes: %.1f MiB/s\n", mib / plain);
  std::printf("writer:       %.1f MiB/s\n", mib / writer);
  std::printf("writer / plain: %.1f %%\n", 100.0 * plain / writer);
  return 0;
}
