#pragma once
// The full path of a tree item, made from the tree's labels alone, so renaming an item moves
// every path below it at once.

#include "browser/LabelOrder.h"   // the labels' order, which every user of the paths needs too

#include <string>
#include <vector>

// `labelsFromItemUp`: the item's label, then its parent's and so on, up to but not including
// the root (empty for the root itself). `remote`: the tree has a connection. `rootDir`: the
// region's initial remote root directory, possibly empty.
//
//   local tree:  C: -> "C:", WINDOWS under C: -> "C:/WINDOWS", the root -> ""
//   remote tree: the root -> rootDir, incoming -> rootDir + "/incoming", a below it ->
//                rootDir + "/incoming/a"
//
// Remote paths always start from "/": a directory whose name has ":" as its second character
// is not a drive there. A rootDir ending in "/" ("/" or "/pub/") is joined without doubling it.
std::string BuildItemPath(const std::vector<std::string>& labelsFromItemUp, bool remote, const std::string& rootDir);
