#pragma once
// What the link finder answers: the path that joins two tiles, by its shape and corners.

namespace quenlow {

struct Cell {
  int X = 0;
  int Y = 0;
  friend bool operator==(const Cell&, const Cell&) = default;
};

struct CellPair {
  int X1 = 0;
  int Y1 = 0;
  int X2 = 0;
  int Y2 = 0;
  friend bool operator==(const CellPair&, const CellPair&) = default;
};

enum class LinkShape { Straight = 1, OneCorner = 2, TwoCorners = 3 };

// A straight link names its two end cells as its corners; a one-corner link has its turn in
// Corner1 and (0, 0) in Corner2; a two-corner link turns at Corner1 and then at Corner2.
struct Link {
  LinkShape Shape = LinkShape::Straight;
  Cell Corner1;
  Cell Corner2;
  friend bool operator==(const Link&, const Link&) = default;
};

// A removable pair as the pair scan finds it, with the link that joins it.
struct LinkedPair {
  CellPair Cells;
  quenlow::Link Link;
  friend bool operator==(const LinkedPair&, const LinkedPair&) = default;
};

// How RowClear and ColumnClear treat the two end cells of a segment: a segment that leaves a
// tile needs one empty end, the middle segment of a two-corner link needs both.
enum class SegmentEnds { OneEmpty = 1, BothEmpty = 2 };

}  // namespace quenlow
