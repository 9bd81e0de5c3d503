// Moving one entry of a numbered running order (an album's tracks, the add
// wizard's rows): which entries a move passes over.
#pragma once

#include <cstddef>
#include <vector>

namespace crx {

// AfterInsert: up past every entry numbered above a given number (where a new entry goes).
enum class Move { UpOne, DownOne, ToTop, ToBottom, AfterInsert };

// The entries a move of the entry numbered `number` passes over, as indexes into numbers (in
// running order), nearest first. The first takes the moved entry's number, each further one
// the number of the one before it, and the moved entry the number the last one had. Empty
// when nothing moves: no such entry, or no neighbour on that side.
std::vector<std::size_t> passedOver(const std::vector<int> &numbers, int number, Move mode, int afterNumber = 0);

} // namespace crx
