// The change mask of the calculation page: one bit per calculation input that
// a change-detecting setter reports, and two bits for the coupled changes of
// ti and tp. The page ORs the bits of the setters that answered true.
#pragma once

#include <cstdint>

namespace calc_change {

inline constexpr std::uint32_t kPlacement = 0x1;
inline constexpr std::uint32_t kAreaFromHeatLoss = 0x2;      // the page's second choice
inline constexpr std::uint32_t kFloorStructure = 0xC;        // mark and action
inline constexpr std::uint32_t kPipeMaterial = 0x10;
inline constexpr std::uint32_t kFurnitureOnPlinth = 0x20;
inline constexpr std::uint32_t kFurnitureOnLegs = 0x40;
inline constexpr std::uint32_t kLossQc = 0x80;
inline constexpr std::uint32_t kTi = 0x100;
inline constexpr std::uint32_t kTp = 0x200;                  // tp and tp fixed
inline constexpr std::uint32_t kPipeDiameter = 0x400;
inline constexpr std::uint32_t kPipePitch = 0x800;
inline constexpr std::uint32_t kSupplyTemperature = 0x1000;  // t1
inline constexpr std::uint32_t kReturnTemperature = 0x2000;  // t2
inline constexpr std::uint32_t kTi2 = 0x4000;
inline constexpr std::uint32_t kAlphaP = 0x8000;
inline constexpr std::uint32_t kAlphaP2 = 0x10000;
inline constexpr std::uint32_t kLvr = 0x20000;
inline constexpr std::uint32_t kC = 0x40000;
inline constexpr std::uint32_t kSoilRz = 0x80000;
inline constexpr std::uint32_t kTz = 0x100000;
inline constexpr std::uint32_t kCheckMaxPressure = 0x200000;
inline constexpr std::uint32_t kMaxPressure = 0x400000;
inline constexpr std::uint32_t kMaxLoopLength = 0x800000;
inline constexpr std::uint32_t kBorder = 0x1000000;          // border fixed and border R
// ti lowered to a tp that was set below it (tp fixed).
inline constexpr std::uint32_t kTiLoweredToTp = 0x10000000;
// tp raised to a ti that was set above it.
inline constexpr std::uint32_t kTpRaisedToTi = 0x20000000;

}  // namespace calc_change
