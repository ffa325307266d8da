#pragma once
#include <functional>
#include <string>
#include <vector>

// Sizing a column to its content makes the list control measure every cell with a device
// context of its own, which takes seconds on a long list. The width depends only on the widest
// cell, so rows are ranked here by a cheap sum of character widths, and only the rows that hold
// some column's widest cells are given to the control to measure.
class WidthCandidates {
 public:
  // A control may measure a cell whole or only this far, so the widest are looked for both ways.
  static constexpr int kShortText = 259;
  // Rows kept per column and way: the widest and a few runners-up, in case a font's text is not
  // quite as wide as its characters.
  static constexpr std::size_t kPerColumn = 8;

  // charWidth: the width of one character, asked once per character.
  WidthCandidates(int columns, std::function<int(wchar_t)> charWidth);
  void Offer(int column, int row, const wchar_t* text, int length);
  // Every row that holds one of the widest texts of a column, ascending.
  std::vector<int> Rows() const;

 private:
  struct Cell {
    int width;
    int row;
    std::wstring text;
  };
  // The widest distinct texts of one column, widest first.
  using Widest = std::vector<Cell>;
  static void Keep(Widest& widest, int width, int row, const wchar_t* text, int length);
  int WidthOf(const wchar_t* text, int length);

  std::function<int(wchar_t)> charWidth_;
  std::vector<int> widths_;  // by character, -1 until asked
  std::vector<Widest> whole_, cut_;
};
