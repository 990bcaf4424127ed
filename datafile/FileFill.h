// One data file's fill on a thread of its own: the header, then whole chunks of the
// fill buffer, written piece by piece and each piece flushed before the next, until the
// file is complete, a call fails or the owner stops it. Until the thread is joined
// nothing else touches the file or the counters; the owner sees only what the atomics
// say, and the rest once Join returns.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <thread>

#include "datafile/DataFileHeader.h"
#include "platform/FileSystem.h"

struct FillJob {
  FileHandle File = InvalidFile;
  DataFileHeader Header = {};
  const uint8_t* Buffer = nullptr;  // BufferChunks whole chunks of the fill word
  uint32_t BufferChunks = 0;
  uint32_t ChunkBytes = 0;
  uint32_t Total = 0;
  std::function<void()> Advanced;  // called on the thread whenever OnDisk moves or it ends
};

// What is known once the thread has ended.
struct FillOutcome {
  static constexpr std::size_t ReasonSize = 512;
  bool Failed = false;
  int64_t Flushed = 0;           // bytes a flush confirmed
  char Reason[ReasonSize] = {};  // the system's own, for the call that failed
};

class FileFill {
 public:
  explicit FileFill(FileSystem& files) : Files(files) {}
  ~FileFill() { Join(); }
  FileFill(const FileFill&) = delete;
  FileFill& operator=(const FileFill&) = delete;

  // Starts the thread; false, with the reason in the outcome, when it cannot be had.
  bool Start(const FillJob& job);
  bool Running() const { return Thread.joinable(); }
  // Whole chunks that a flush confirmed.
  uint32_t OnDisk() const { return ChunksOnDisk.load(std::memory_order_acquire); }
  bool Ended() const { return Done.load(std::memory_order_acquire); }
  // Asks the thread to end after its current write call.
  void Stop() { Stopping.store(true); }
  // Waits for the thread to end; what it leaves is then the owner's.
  const FillOutcome& Join();

 private:
  void Run();
  void Fill();
  bool WriteAll(const uint8_t* data, uint32_t bytes);

  FileSystem& Files;
  FillJob Job;
  std::thread Thread;
  std::atomic<bool> Stopping{false};
  std::atomic<bool> Done{false};
  std::atomic<uint32_t> ChunksOnDisk{0};
  // The thread's alone until it is joined.
  FillOutcome Outcome;
  uint32_t Written = 0;
};
