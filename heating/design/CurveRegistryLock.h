// The one lock of the heating-curve registry. It guards the process-wide
// pointer to the current design model, that model's curve registry and the
// list of distribution-pipe curves the registry checks, so that a curve made
// or destroyed on any thread either finds the model whole or finds none.
//
// It is held only for short bookkeeping and is not recursive: never make or
// destroy a heating curve while holding it or any other lock of the model
// (registration takes this lock, then the model's state lock inside it).
#pragma once

#include <mutex>

std::mutex& curveRegistryLock();
