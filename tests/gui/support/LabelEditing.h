#pragma once
// Ending a label edit that a command opened, as the user does: typing a text and pressing
// Enter, pressing Enter on the text as it stands, or pressing Escape.

#include <optional>
#include <string>

class CBrowserView;
class FileView;

enum class EditEnd { Confirm, Escape };

// Whether a label edit is open in the pane.
bool EditOpen(CBrowserView& tree);
bool EditOpen(FileView& list);
// Ends the open edit; `typed` replaces the field's text first (none: the text is left as it is).
// Fails the test when no edit is open. Runs the events that follow.
void EndEdit(CBrowserView& tree, std::optional<std::string> typed, EditEnd end = EditEnd::Confirm);
void EndEdit(FileView& list, std::optional<std::string> typed, EditEnd end = EditEnd::Confirm);
