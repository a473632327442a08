// The host's drawing interface: the 89 functions of "DuZivaruReZuz2u.vev",
// bound by name once at start-up, and the values that describe the host.
// Every slot may be missing; callers reach slots only through callHostApi,
// which answers nothing when the interface or the slot is missing.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "host/CallIfPresent.h"
#include "platform/cadhost/HostTables.h"

class HvHostApi {
 public:
  HvHostApi() { reset(false); }
  HvHostApi(const HvHostApi&) = delete;
  HvHostApi& operator=(const HvHostApi&) = delete;

  // Binds the module's exports: 1 when "GetExternProduct" is exported, else 0
  // (the global interface is then released). Slots 77 to 80 are bound only for
  // product kind 1, 81 and 82 only for kind 2; a missing export leaves its slot
  // null. Also records the host values (hvHostValues()).
  int bind(HMODULE module);

  // Clears the module handle and every slot; with `unload`, first frees the
  // module it holds.
  void reset(bool unload);

  HMODULE module() const { return module_; }

  // The function of a slot (1 to 89), or null.
  HostWord slot(int index) const;

  template <int Slot>
  typename HostApiSlotSignature<Slot>::type typedSlot() const {
    static_assert(Slot >= 1 && Slot <= hostApiSlotCount);
    return reinterpret_cast<typename HostApiSlotSignature<Slot>::type>(slots_[Slot]);
  }

 private:
  HMODULE module_ = nullptr;
  std::array<HostWord, hostApiSlotCount + 1> slots_{};  // index 0 unused
};

// The values the binding keeps; they outlive a failed binding.
struct HvHostValues {
  unsigned productKind = 0;              // "GetExternProduct"; 0 until bound
  int hostType = 3;                      // "GetAcadType"; 3 when not exported
  std::u16string userDataPath;           // "GetUserDatPath"
  std::u16string userDataPathLocal;      // the same with "\Roaming\" as "\Local\"
  std::u16string allUsersPath;           // "GetAllUsersPath"
  HWND mainWindow = nullptr;             // "GetCadHWND"
};

const HvHostValues& hvHostValues();

// The global interface, or null while it is not bound.
HvHostApi* hvGetHostApi();

// Binds the global interface to the module: 1 when it exists already (nothing
// is bound again) or was bound now; 0 when the module is null or exports no
// "GetExternProduct" (the global interface then stays null).
int hvInitHostApi(HMODULE module);

// Releases the global interface (freeing its module with `unload`); the
// global pointer becomes null.
void hvReleaseHostApi(bool unload);

// Calls a slot of the global interface with its own argument types: the
// answer, or for slots without an answer whether the call was made.
template <int Slot, class... A>
auto callHostApi(A&&... args) {
  const HvHostApi* api = hvGetHostApi();
  return callIfPresent(api != nullptr ? api->typedSlot<Slot>() : nullptr, std::forward<A>(args)...);
}
