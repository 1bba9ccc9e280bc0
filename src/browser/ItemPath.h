#pragma once
// The full path of a tree item, made from the true names of the item and its ancestors alone
// (never from the labels, which only show those names), so renaming an item moves every path
// below it at once.

#include "browser/LabelOrder.h"   // the labels' order, which every user of the paths needs too

#include <string>
#include <vector>

// `namesFromItemUp`: the item's name, then its parent's and so on, up to but not including
// the root (empty for the root itself). `remote`: the tree has a connection. `rootDir`: the
// region's initial remote root directory, possibly empty.
//
//   local tree:  C: -> "C:", WINDOWS under C: -> "C:/WINDOWS", the root -> ""
//   remote tree: the root -> rootDir, incoming -> rootDir + "/incoming", a below it ->
//                rootDir + "/incoming/a"
//
// Remote paths always start from "/": a directory whose name has ":" as its second character
// is not a drive there. A rootDir ending in "/" ("/" or "/pub/") is joined without doubling it.
std::string BuildItemPath(const std::vector<std::string>& namesFromItemUp, bool remote, const std::string& rootDir);

// The path of the entry `name` in the directory `directory` (a path as BuildItemPath makes it):
// "C:/a" + "b" -> "C:/a/b", "" + "b" -> "/b" (a remote root without a root directory), and a
// directory ending in "/" is joined without doubling it ("/" + "b" -> "/b").
std::string JoinItemPath(const std::string& directory, const std::string& name);
