#pragma once

// What a key pressed on the list does.
enum class RowKey { None, Delete, Open, SelectAll, Copy };

// virtualKey: the platform's key code; ctrl: whether Ctrl is held. Delete and Enter act alike
// whatever else is held; Ctrl+A selects every row; Ctrl+C and Ctrl+Insert copy the selected rows.
RowKey RowKeyAction(int virtualKey, bool ctrl);

// The row the row menu's file items act on: the focused row when it is selected, else the topmost
// selected row (firstSelected); -1 when no row is selected.
int RowForMenu(int focusedRow, bool focusedSelected, int firstSelected);
