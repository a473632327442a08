// The design jobs: one thread per heating circuit that designs the circuit's
// zones one after the other and then builds its path, and one waiter thread
// per start that watches those threads and tells the dialog's window, by a
// posted message, that the layouts are ready.
//
// Starting (startDesignJobs, command's thread): every circuit whose previous
// job has ended is taken; its zones get their design spacing, its job thread
// is made suspended, handed to the circuit (which owns the handle, rule T4 of
// CFHModel.h) and resumed. A waiter watches references of its own to the
// taken threads (DuplicateHandle copies, owned by the synchronisation block,
// see CFHWorkerSync.h) together with the block's cancel event, in passes of
// at most 1000 ms per thread. When every watched thread has ended it reports
// to the block, which posts CFHWorkerSync::kDesignsChanged to the notify
// window, and kDesignRunEnded after it when the window was already set when
// the waiter was made (and the start announces a run end), unless another
// waiter still watches running jobs.
// Cancelling the block ends every waiter within one pass, posting nothing;
// it ends no design job (the model stops them, rule T5).
//
// A design job checks its circuit's stop request (T2) before each zone and
// before the path, and then ends at once. An exception ends only its own
// job: it is logged, and the circuit's zones are left idle without layouts,
// so that nothing half-made is drawn. A job's thread entry deletes the job.
//
// Threads: jobs read their circuit's zone list and work on those zones'
// designs under their busy scopes; everything else they touch is read only
// while they run (T1, T2). Waiters read only their own entries and call the
// block. Nothing here holds a lock while it waits.
#pragma once

#include "platform/win/Threads.h"
#include "platform/win/WinTypes.h"

#include <cstdint>
#include <memory>
#include <vector>

class CFHCircuit;
class CFHWorkerSync;
class CFHZoneEntry;

// What a design job does, step by step; the model's steps are
// modelDesignSteps() (CFHJobSteps.cpp), tests give their own.
struct CFHDesignSteps {
  // On the command's thread, before the circuit's job is made: the design
  // spacing of its zones.
  void (*prepareCircuit)(CFHCircuit& circuit);
  // On the job's thread, for every zone but the first: links the zone to the
  // laid path of the zone before it.
  void (*linkZone)(CFHCircuit& circuit, CFHZoneEntry& zone);
  // On the job's thread: lays the zone out.
  void (*designZone)(CFHZoneEntry& zone);
  // On the job's thread, after the last zone: the circuit's path.
  void (*buildPath)(CFHCircuit& circuit);
};

// The steps of the design model: CFHCircuit::prepareDesignSpacing with a
// default meander base for zones without one (MeanderBaseDefault.h),
// CFHCircuit::linkToPreviousZone, CFHZoneDesign::design and
// CFHCircuit::buildPath.
const CFHDesignSteps& modelDesignSteps();

// The base of the jobs: a job runs on a thread of its own, made suspended so
// that its id and handle are recorded before it runs. The handle is not the
// job's: the circuit owns a design job's, the synchronisation block a
// waiter's.
class CFHJob {
 public:
  explicit CFHJob(CFHWorkerSync* sync) : sync(sync) {}
  virtual ~CFHJob() = default;
  CFHJob(const CFHJob&) = delete;
  CFHJob& operator=(const CFHJob&) = delete;

  // The job's work; its answer is the thread's exit code.
  virtual DWORD Run() = 0;

  // The thread entry: runs the job (a CFHJob*), deletes it and answers what
  // Run answered.
  static DWORD threadEntry(LPVOID job);
  // A new suspended thread for the job (its id recorded in threadId); null
  // when the system refuses.
  HANDLE createSuspended();

  DWORD threadId = 0;
  HANDLE thread = nullptr;  // not owned
  CFHWorkerSync* sync;
};

// The design of one circuit.
class CFHJobDesignHeating final : public CFHJob {
 public:
  // Exit codes of its thread.
  static constexpr DWORD kDesigned = 0;
  static constexpr DWORD kStopped = 1;  // the circuit asked it to stop
  static constexpr DWORD kFailed = 2;   // an exception ended it

  CFHJobDesignHeating(CFHWorkerSync* sync, CFHCircuit* circuit, const CFHDesignSteps& steps);
  DWORD Run() override;

  CFHCircuit* circuit;

 private:
  // After an exception: the zones' layouts are dropped (each zone waits for
  // no design: this job is the only one that designs them).
  void dropLayouts() noexcept;

  CFHDesignSteps steps_;
  // The circuit's number when the job was made, for its failure report: the
  // dialog may renumber the circuit while the job runs.
  std::uint32_t circuitNumber_;
};

// The waiter of one start of the design jobs.
class CFHJobWaitAll final : public CFHJob {
 public:
  static constexpr DWORD kPassMilliseconds = 1000;

  struct Entry {
    bool done = false;
    // The waiter's own reference to the design thread, then the cancel
    // event, side by side so that one wait takes both (not owned).
    HANDLE handles[2] = {nullptr, nullptr};
    DWORD threadId = 0;
  };

  // notifyTwice: the block had a notify window when the waiter was made.
  CFHJobWaitAll(CFHWorkerSync* sync, bool notifyTwice) : CFHJob(sync), notifyTwice(notifyTwice) {}
  // Passes over the entries until every design thread has ended, then
  // reports all ended to the block (which may post); a wait that answers
  // neither an end nor a time-out (the cancel event, a failure) ends the
  // waiter after its pass, reporting that it gave up. Answers the last
  // wait's answer (WAIT_OBJECT_0 without entries).
  DWORD Run() override;

  std::vector<Entry> entries;
  bool notifyTwice;
  std::uint32_t waiterId = 0;  // the block's id, set before the thread runs
};

// Starts a design job for every circuit of the list whose job is not
// running, and one waiter for them; nothing at all when none is taken.
// Answers the number of design jobs started. A thread the system refuses is
// logged and its circuit left without a job; without a cancel event no
// waiter is started (the jobs still run).
std::size_t startDesignJobs(CFHWorkerSync& sync, const std::vector<std::unique_ptr<CFHCircuit>>& circuits,
                            const CFHDesignSteps& steps = modelDesignSteps());
// The same for the listed circuits. With announceRunEnd false the waiter
// asks for no kDesignRunEnded of its own: the jobs lay out again what a run
// before them laid (OutdatedLayouts.h), and that run's end is what counts.
std::size_t startDesignJobs(CFHWorkerSync& sync, const std::vector<CFHCircuit*>& circuits,
                            const CFHDesignSteps& steps, bool announceRunEnd);
