// Status answers of the host's input, selection and list functions. Modules
// treat every answer other than `normal` as "no result".
#pragma once

namespace hostStatus {
inline constexpr int normal = 5100;     // the call completed normally
inline constexpr int error = -5001;     // an error, or the host refused the request
inline constexpr int cancelled = -5002; // the user cancelled
inline constexpr int failure = -5004;   // the operation failed
}  // namespace hostStatus
