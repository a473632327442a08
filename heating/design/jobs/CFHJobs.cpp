#include "heating/design/jobs/CFHJobs.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/jobs/CFHWorkerSync.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "host/ModuleLog.h"

#include "platform/win/KernelObject.h"
#include "platform/win/Utf8.h"

#include <exception>
#include <string>

namespace {

void logJobFailure(std::uint32_t circuitNumber, const std::string& what) {
  hvLogFailure(hvUtf8ToWide("design job of circuit " + std::to_string(circuitNumber) + ": " + what));
}

}  // namespace

// ---- CFHJob ----------------------------------------------------------------------------

DWORD CFHJob::threadEntry(LPVOID parameter) {
  const std::unique_ptr<CFHJob> job(static_cast<CFHJob*>(parameter));
  return job->Run();
}

HANDLE CFHJob::createSuspended() {
  thread = CreateThread(nullptr, 0, &CFHJob::threadEntry, this, CREATE_SUSPENDED, &threadId);
  return thread;
}

// ---- CFHJobDesignHeating -------------------------------------------------------------------

CFHJobDesignHeating::CFHJobDesignHeating(CFHWorkerSync* sync, CFHCircuit* circuit, const CFHDesignSteps& steps)
    : CFHJob(sync), circuit(circuit), steps_(steps), circuitNumber_(circuit != nullptr ? circuit->number : 0) {}

DWORD CFHJobDesignHeating::Run() {
  try {
    const std::vector<CFHZoneEntry*>& zones = circuit->zones();
    for (std::size_t i = 0; i < zones.size(); ++i) {
      if (circuit->stopRequested()) return kStopped;
      if (i > 0) steps_.linkZone(*circuit, *zones[i]);
      steps_.designZone(*zones[i]);
    }
    if (circuit->stopRequested()) return kStopped;
    steps_.buildPath(*circuit);
    return kDesigned;
  } catch (const std::exception& e) {
    logJobFailure(circuitNumber_, std::string("stopped: ") + e.what());
  } catch (...) {
    logJobFailure(circuitNumber_, "stopped by an unknown exception");
  }
  dropLayouts();
  return kFailed;
}

void CFHJobDesignHeating::dropLayouts() noexcept {
  try {
    for (CFHZoneEntry* zone : circuit->zones()) {
      if (zone == nullptr || zone->design() == nullptr) continue;
      CFHZoneDesign::BusyScope busy(*zone->design());
      busy.replaceLayouts(nullptr, nullptr);
    }
  } catch (...) {
    // Dropping frees only; whatever stays is freed with the zone.
  }
}

// ---- CFHJobWaitAll -------------------------------------------------------------------------

DWORD CFHJobWaitAll::Run() {
  DWORD last = WAIT_OBJECT_0;
  std::size_t left = entries.size();
  bool failed = false;
  // Each pass waits on every running thread; the cancel event or a failed
  // wait ends the passes, so they stop when the model goes at the latest.
  while (left > 0 && !failed) {
    for (Entry& entry : entries) {
      if (entry.done) continue;
      last = WaitForMultipleObjects(2, entry.handles, FALSE, kPassMilliseconds);
      if (last == WAIT_OBJECT_0) {
        entry.done = true;
        --left;
      } else if (last != WAIT_TIMEOUT) {
        failed = true;
      }
    }
  }
  sync->waiterFinished(waiterId, !failed, notifyTwice);
  return last;
}

// ---- startDesignJobs -----------------------------------------------------------------------

std::size_t startDesignJobs(CFHWorkerSync& sync, const std::vector<std::unique_ptr<CFHCircuit>>& circuits,
                            const CFHDesignSteps& steps) {
  std::vector<CFHCircuit*> all;
  all.reserve(circuits.size());
  for (const std::unique_ptr<CFHCircuit>& circuit : circuits) all.push_back(circuit.get());
  return startDesignJobs(sync, all, steps, true);
}

std::size_t startDesignJobs(CFHWorkerSync& sync, const std::vector<CFHCircuit*>& circuits,
                            const CFHDesignSteps& steps, bool announceRunEnd) {
  std::vector<CFHCircuit*> taken;
  for (CFHCircuit* circuit : circuits) {
    if (circuit != nullptr && !circuit->isWorkerRunning()) taken.push_back(circuit);
  }
  if (taken.empty()) return 0;

  const HANDLE cancel = sync.cancelEvent();
  auto waiter = std::make_unique<CFHJobWaitAll>(&sync, announceRunEnd && sync.notifyWnd() != nullptr);
  std::vector<HANDLE> watched;
  // Nothing may throw between making a thread and resuming it.
  waiter->entries.reserve(taken.size());
  watched.reserve(taken.size());
  std::size_t started = 0;
  for (CFHCircuit* circuit : taken) {
    steps.prepareCircuit(*circuit);
    auto job = std::make_unique<CFHJobDesignHeating>(&sync, circuit, steps);
    const HANDLE thread = job->createSuspended();
    if (thread == nullptr) {
      logJobFailure(circuit->number, "the system refused its thread; the circuit is not designed");
      continue;
    }
    const DWORD threadId = job->threadId;
    circuit->setWorker(thread);
    HANDLE own = nullptr;
    if (cancel != nullptr &&
        DuplicateHandle(GetCurrentProcess(), thread, GetCurrentProcess(), &own, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
      CFHJobWaitAll::Entry entry;
      entry.handles[0] = own;
      entry.handles[1] = cancel;
      entry.threadId = threadId;
      waiter->entries.push_back(entry);
      watched.push_back(own);
    }
    // From here the thread owns the job.
    job.release();
    ResumeThread(thread);
    ++started;
  }
  if (watched.empty()) return started;

  if (waiter->createSuspended() == nullptr) {
    for (HANDLE own : watched) CloseHandle(own);
    hvLogFailure(u"design jobs: the system refused the waiter's thread; the dialog is not told when they end");
    return started;
  }
  CFHJobWaitAll* running = waiter.release();
  const HANDLE thread = running->thread;
  try {
    running->waiterId = sync.registerWaiter(thread, watched);
  } catch (...) {
    // Unregistered, the waiter runs through at once without entries (the
    // block ignores its id 0); its handles are closed here.
    hvLogFailure(u"design jobs: the waiter could not be registered; the dialog is not told when they end");
    running->entries.clear();
    ResumeThread(thread);
    WaitForSingleObject(thread, INFINITE);
    for (HANDLE own : watched) CloseHandle(own);
    CloseHandle(thread);
    return started;
  }
  ResumeThread(thread);
  return started;
}
