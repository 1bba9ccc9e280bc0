#pragma once
// Sending commands and asking their update rules the way menus and the toolbar do.

class wxWindow;

// Sends the menu command `id` to `window` (it travels on to the application object).
void SendCommand(wxWindow& window, int id);
// The update rule's answer for `id`: enabled (true when the rule says nothing).
bool CommandEnabled(wxWindow& window, int id);
// The update rule's check mark for `id` (false when the rule says nothing).
bool CommandChecked(wxWindow& window, int id);
