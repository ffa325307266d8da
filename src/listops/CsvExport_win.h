#pragma once

// Asks for a file name and writes every row as a line of quoted, comma-separated cells.
void SaveListAsCsv();
