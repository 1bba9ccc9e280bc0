#pragma once
// The program's string table: texts by resource number.

#include <string>

constexpr unsigned IDS_MEMORY_KB = 103;     // "%lu KB"
constexpr unsigned IDS_DISK_FREE = 104;     // "%lu KB Free on %c:"
constexpr unsigned IDS_UNAVAILABLE = 105;   // "Unavailable"
constexpr unsigned IDS_NO_INTERNET_SESSION = 116;     // no internet session could be made
constexpr unsigned IDS_CONNECTION_EXCEPTION = 119;    // a connect failed without a text of its own
constexpr unsigned IDS_COMPANY_NAME = 2100;   // "CompanyName", a version-information value name
constexpr unsigned IDS_PRODUCT_NAME = 2106;   // "ProductName", likewise

// The text of entry `id`; empty for an id the table does not hold.
std::string LoadString(unsigned id);
