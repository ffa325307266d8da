#pragma once

// Sorts the list by a column, alternating the column's direction.
void SortByColumn(int column);
