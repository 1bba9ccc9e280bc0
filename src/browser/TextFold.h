#pragma once
// Case-insensitive comparison of texts, the same in every locale: ASCII letters are folded to
// lower case, every other byte compares by its value, so UTF-8 texts keep their code point order.

#include <string_view>

// Negative, zero or positive as `a` sorts before, with or after `b`.
int CompareFolded(std::string_view a, std::string_view b);
