#include "datafile/FileFill.h"

#include <chrono>
#include <cstdio>
#include <exception>

namespace {

// A piece, its flush included, takes the disk about PieceSeconds at the speed the last
// piece showed: the fixed cost of a flush (the file system's own blocks) stays a small
// part of it however slow the card, and a stop or the last flush waits about that long
// at most. The floor keeps the pieces from shrinking to single chunks on a card whose
// flushes cost more than its data.
constexpr double PieceSeconds = 0.75;
constexpr int64_t LeastPieceBytes = 256 * 1024;
constexpr int64_t MostPieceBytes = 64 * 1024 * 1024;

// Grows at most twofold, as one quick piece may only mean the system had room.
int64_t NextPiece(int64_t piece, int64_t bytes, double seconds) {
  double fitting = seconds > 0 ? static_cast<double>(bytes) * PieceSeconds / seconds
                               : static_cast<double>(MostPieceBytes);
  double next = fitting < 2.0 * piece ? fitting : 2.0 * piece;
  return next < LeastPieceBytes  ? LeastPieceBytes
         : next > MostPieceBytes ? MostPieceBytes
                                 : static_cast<int64_t>(next);
}

}  // namespace

bool FileFill::Start(const FillJob& job) {
  Job = job;
  Outcome = FillOutcome();
  Written = 0;
  Stopping = false;
  Done = false;
  ChunksOnDisk = 0;
  try {
    Thread = std::thread(&FileFill::Run, this);
  } catch (const std::exception& e) {
    Outcome.Failed = true;
    std::snprintf(Outcome.Reason, sizeof Outcome.Reason,
                  "No thread could be started to fill it: %s", e.what());
    return false;
  }
  return true;
}

const FillOutcome& FileFill::Join() {
  if (Thread.joinable()) {
    Thread.join();
  }
  return Outcome;
}

// Whatever the thread meets ends the file as a failed write, never the program.
void FileFill::Run() {
  try {
    Fill();
  } catch (const std::exception& e) {
    Outcome.Failed = true;
    std::snprintf(Outcome.Reason, sizeof Outcome.Reason, "The fill stopped on an error: %s",
                  e.what());
  } catch (...) {
    Outcome.Failed = true;
    std::snprintf(Outcome.Reason, sizeof Outcome.Reason, "The fill stopped on an unknown error.");
  }
  Done.store(true, std::memory_order_release);
  try {
    Job.Advanced();
  } catch (...) {
    // The owner still sees Ended at its next look.
  }
}

void FileFill::Fill() {
  using Clock = std::chrono::steady_clock;
  if (!WriteAll(Job.Header.Bytes, HeaderSize)) {
    return;
  }
  int64_t pending = HeaderSize;  // written since the last flush
  int64_t piece = LeastPieceBytes;
  Clock::time_point start = Clock::now();
  while (!Stopping.load()) {
    uint32_t count = Job.Total - Written;
    count = count < Job.BufferChunks ? count : Job.BufferChunks;
    int64_t wanted = (piece - pending + Job.ChunkBytes - 1) / Job.ChunkBytes;
    count = wanted < int64_t{count} ? static_cast<uint32_t>(wanted > 1 ? wanted : 1) : count;
    if (count > 0) {
      if (!WriteAll(Job.Buffer, count * Job.ChunkBytes)) {
        return;
      }
      Written += count;
      pending += int64_t{count} * Job.ChunkBytes;
    }
    bool complete = Written == Job.Total;
    if (pending < piece && !complete) {
      continue;
    }
    if (!Files.Flush(Job.File)) {
      Outcome.Failed = true;
      Files.LastErrorText(Outcome.Reason, sizeof Outcome.Reason);
      return;
    }
    Clock::time_point now = Clock::now();
    piece = NextPiece(piece, pending, std::chrono::duration<double>(now - start).count());
    start = now;
    Outcome.Flushed += pending;
    pending = 0;
    ChunksOnDisk.store(Written, std::memory_order_release);
    if (complete) {
      return;
    }
    Job.Advanced();
  }
}

// A short write is followed by the rest, so that a failure comes with the system's
// own reason.
bool FileFill::WriteAll(const uint8_t* data, uint32_t bytes) {
  while (bytes > 0) {
    int64_t written = Files.Write(Job.File, data, bytes);
    if (written <= 0) {
      Outcome.Failed = true;
      if (written < 0) {
        Files.LastErrorText(Outcome.Reason, sizeof Outcome.Reason);
      } else {
        std::snprintf(Outcome.Reason, sizeof Outcome.Reason,
                      "The disk took none of the data; it may be full.");
      }
      return false;
    }
    data += written;
    bytes -= static_cast<uint32_t>(written);
  }
  return true;
}
