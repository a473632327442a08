// Cutting a text into tokens at a separator character.
#pragma once

#include <cstddef>

// Copies the text at `cursor` up to the separator (or its end) into the
// buffer, at most size - 1 units and a terminating zero (a size of 0 writes
// nothing), strips trailing `pad` units from the copy and moves the cursor
// past the separator (to the end of the text when there is none; a null
// cursor stays null and gives an empty token). Answers the length of the
// token in the buffer.
std::size_t splitToken(const char16_t*& cursor, char16_t* buffer, std::size_t size, char16_t separator,
                       char16_t pad);
