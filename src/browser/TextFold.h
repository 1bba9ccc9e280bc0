#pragma once
// Case-insensitive comparison of texts, the same in every locale: ASCII letters are folded to
// lower case, every other byte compares by its value, so UTF-8 texts keep their code point order.

#include <string>

// Negative, zero or positive as `a` sorts before, with or after `b`.
int CompareFolded(const std::string& a, const std::string& b);
