// The host's geometry memory controller. Our library allocates with the
// ordinary C++ allocator, so the controller has nothing to set up or release;
// it stays an RAII object so that code which scopes one keeps compiling.
#pragma once

class IcGeMemoryController {
public:
  IcGeMemoryController() = default;
  ~IcGeMemoryController() = default;
  IcGeMemoryController(const IcGeMemoryController&) = delete;
  IcGeMemoryController& operator=(const IcGeMemoryController&) = delete;
};
