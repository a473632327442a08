// The paint buffer a preview item owns: what the painter draws from, filled
// by the samplers and emptied before they sample again.
#pragma once

namespace GDI {

class buffer {
 public:
  virtual ~buffer() = default;
  // Empties what was sampled.
  virtual void clear() = 0;

 protected:
  buffer() = default;
  buffer(const buffer&) = default;
  buffer& operator=(const buffer&) = default;
};

}  // namespace GDI
