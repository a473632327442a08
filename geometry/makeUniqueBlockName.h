// Names of anonymous blocks the module makes: "*UMSHV9" followed by a
// process-wide counter in upper-case hexadecimal. The counter starts, once,
// at the seed of the first caller and goes up by one with every name, so two
// calls never give the same name (the host may still hand back another name
// for an anonymous block it already has). Safe from any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The next name.
std::u16string makeUniqueBlockName(std::uint32_t seed);

// The next name into a buffer of `size` units (terminated; cut to fit).
// Answers the units written, without the terminator.
std::size_t makeUniqueBlockName(char16_t* buffer, std::size_t size, std::uint32_t seed);
