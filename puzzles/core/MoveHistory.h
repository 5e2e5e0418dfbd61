#pragma once

#include <cstddef>
#include <vector>

namespace zt {

// How a move came about: the player's own new move, or one that undo or redo
// replays from the history.
enum class MoveOrigin { Player, Undo, Redo };

// The moves of one game, from its starting board on: the moves done, and
// after them the moves undone that redo can replay. A new move drops what
// could be redone. Only moves that changed the board belong here.
template <typename Move>
class MoveHistory {
 public:
  // An empty history: the board as it is now is where undo stops.
  void Clear() {
    moves_.clear();
    done_ = 0;
  }
  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < moves_.size(); }
  // The move that undo takes back (CanUndo must hold).
  const Move& LastDone() const { return moves_[done_ - 1]; }
  // The move that redo plays again (CanRedo must hold).
  const Move& NextUndone() const { return moves_[done_]; }
  // Books a move that has just been played: a player's move is recorded,
  // an undo or redo steps through the moves already there.
  void Note(MoveOrigin origin, const Move& move) {
    switch (origin) {
      case MoveOrigin::Player:
        moves_.resize(done_);
        moves_.push_back(move);
        ++done_;
        break;
      case MoveOrigin::Undo:
        if (done_ > 0) --done_;
        break;
      case MoveOrigin::Redo:
        if (done_ < moves_.size()) ++done_;
        break;
    }
  }
  // Back to the starting board at once: every move becomes redoable.
  void Rewind() { done_ = 0; }
  std::size_t Done() const { return done_; }
  std::size_t Size() const { return moves_.size(); }

 private:
  std::vector<Move> moves_;
  std::size_t done_ = 0;
};

}  // namespace zt
