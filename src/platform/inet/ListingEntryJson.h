#pragma once
// One listing entry as a JSON object on one line, for the command-line tool:
//   {"name":"a.txt","size":12,"dir":false,"link":false,"time":"2026-12-08T02:28:00Z"}
// size and time are null when the listing did not give them; a link adds "target".

#include "platform/inet/ListingEntry.h"

#include <string>

std::string ListingEntryToJson(const ListingEntry& entry);
