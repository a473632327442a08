// Heap copies of texts on the C heap, the heap that result-buffer lists and the
// host free their strings with.
#pragma once

// A C-heap copy of the UTF-16 text; a null text gives an empty string. Null only
// when the heap is exhausted. Free with free().
char16_t* hvWcsDup(const char16_t* text);

// A C-heap copy of the narrow text; a null text gives an empty string. Null only
// when the heap is exhausted. Free with free().
char* hvStrDup(const char* text);
