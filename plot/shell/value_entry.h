// One-line entry fields: file names and limited real numbers.
#pragma once

#include <string>

// Returns true when the entry was accepted; `field` holds the typed
// characters padded with blanks to its length in either case.
bool enter_name(int row, int column, std::string& field, int max_length);

// `key` is the first key the caller already read; it returns holding the last
// key read (0 or 0xE0 when an extended key ended the entry, its scan code
// still unread). Returns true when the entry was accepted.
bool enter_real(int& key, int row, int column, int width, float& value, float minimum,
                float maximum);
