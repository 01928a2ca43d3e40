#pragma once
// The batch workers: the batch run and the lossless turn or flip, each on a thread of its own at
// the lowest priority. The batch run reports to the main window by posted messages (a 500-byte
// text for each step, then WM_BATCH_DONE); the transform tells its view of each file it rewrote.
#include <windows.h>

#include <atomic>

#include "batch_run.h"

// Set by the progress dialog's Abort (and by other long jobs that stop early), polled by both
// workers between their steps. A batch run clears it as it starts; so does a transform, unless
// a batch run is going, whose Abort it must not erase.
extern std::atomic<int> BatchAbortFlag;

struct BatchJob {
  enum Mode : int { kBatchProcess = 0, kTransform = 1 };
  int mode = kBatchProcess;
  int op = 0;             // the transform's operation, as Cimage::S_RotateImageFile takes it
  BatchWorkList files;    // the job's own list
  BatchRecipe recipe;     // the batch run's settings
  HWND owner = nullptr;   // the main window: progress, questions, the end of the run
  HWND notify = nullptr;  // the transform's view
};

// Start the thread for the job, which then owns it; false (and the job deleted) when no thread
// could be made.
bool StartBatchProcessThread(BatchJob* job);
bool StartTransformThread(BatchJob* job);

// Asks every running worker to stop and waits for them, at most the time given, answering the
// messages they send meanwhile; true when none is left. A worker still in a question when the
// time is up is left behind: every picture it writes goes beside its file first and is renamed
// only when complete, so nothing half-written remains when the program ends.
bool StopBatchThreads(DWORD milliseconds);
