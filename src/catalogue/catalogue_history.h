// Undo and redo of the catalogue's changes made in this run. Each operation
// of the catalogue records the edit that takes it back; the changes of one
// command are one step, undone together, and the pick and the shown tab
// come back as they were before the step.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/catalogue_edit.h"

namespace zorbi {

class CatalogueHistory {
 public:
  // Steps kept; the oldest go first. They also go while they hold more than
  // twice the catalogue's items, except the newest.
  static constexpr std::size_t MaxSteps = 50;

  // Records `cat`'s changes from now on, until destroyed.
  explicit CatalogueHistory(Catalogue& cat);
  ~CatalogueHistory();
  CatalogueHistory(const CatalogueHistory&) = delete;
  CatalogueHistory& operator=(const CatalogueHistory&) = delete;

  // The changes made until the matching End are one step. Nests; a step
  // that changed nothing is no step.
  void Begin();
  void End();
  class Step {
   public:
    explicit Step(CatalogueHistory* history) : history_(history) {
      if (history_) history_->Begin();
    }
    ~Step() {
      if (history_) history_->End();
    }
    Step(const Step&) = delete;
    Step& operator=(const Step&) = delete;

   private:
    CatalogueHistory* history_;
  };

  bool CanUndo() const { return !undo_.empty() && depth_ == 0; }
  bool CanRedo() const { return !redo_.empty() && depth_ == 0; }
  // False when there was nothing to undo or redo.
  bool Undo();
  bool Redo();
  // Nothing before now can be undone: the catalogue was read or cleared.
  void Forget();

  // Called whenever CanUndo or CanRedo may have changed.
  std::function<void()> OnChange;

  // The step last undone or redone replaced the whole catalogue (a restore).
  bool LastReplacedAll() const { return lastReplacedAll_; }

  std::size_t UndoSteps() const { return undo_.size(); }
  // Items the steps keep out of the catalogue.
  std::int64_t HeldItems() const { return held_; }

 private:
  friend class Catalogue;
  void Record(CatalogueEdit edit);

  struct Entry {
    // Played back to front; playing gives the edits of the other way.
    std::vector<CatalogueEdit> Edits;
    PickMarks Before, After;
    std::int64_t Held = 0;
  };
  // Plays `entry` one way and moves it to `to` for the other.
  void Play(std::deque<Entry>& from, std::deque<Entry>& to, bool undo);
  void Trim();
  // Every pick state and the pick's place, taken and put back.
  PickMarks Marks() const;
  void Restore(const PickMarks& marks);
  void Drop(std::deque<Entry>& steps, bool front);
  void Changed() {
    if (OnChange) OnChange();
  }

  Catalogue& cat_;
  std::deque<Entry> undo_, redo_;
  Entry open_;
  int depth_ = 0;
  std::int64_t held_ = 0;
  bool lastReplacedAll_ = false;
};

}  // namespace zorbi
