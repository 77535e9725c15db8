#include "forms/close_sequence.h"

namespace zorbi {

void CloseSequence::Confirm(bool pickedNow) {
  if (gate_.Allowed(Command::Confirm, pickedNow)) Close(true, true);
}

void CloseSequence::Cancel() {
  // Nothing is chained; a close that is called off keeps the pick, the one
  // from before any search.
  if (gate_.Allowed(Command::Cancel)) Close(false, true);
}

void CloseSequence::CloseRequest() {
  const Verdict verdict = MayRun(Command::CloseRequest, gate_.State(false));
  if (!verdict.Runs) return;
  if (verdict.LeaveSearchFirst) P.Search.Leave();
  // Closing as OK does: the highlighted result is the one chained.
  if (verdict.PickResultFirst &&
      (!P.Search.ShowResultOnTab() || !MayRun(Command::CloseRequest, gate_.State(true)).Runs))
    return;
  Close(!verdict.ChainNothing, false);
}

void CloseSequence::Close(bool chain, bool pathTxt) {
  chain_ = chain;
  const std::string& dir = P.Start.AppDir();
  const bool done = WhileClosing([&] {
    if (!P.Modes.EndToClose()) return false;
    if (!chain) P.Search.Leave();
    // Nothing is written before the user has said what becomes of a data
    // file another copy changed.
    return P.CatFiles.DecideBeforeClose(dir) && (!pathTxt || P.CatFiles.WritePathTxt(dir)) &&
           SaveAndHandOver();
  });
  if (!done) {
    chain_ = true;
    return;
  }
  closed_ = true;
  window_.Destroy();
}

bool CloseSequence::SaveAndHandOver() {
  const std::string& dir = P.Start.AppDir();
  if (P.Start.SettingsLoaded() && !P.Settings.Write(SettingsPathOf(sys_.ExePath()))) return false;
  if (!P.CatFiles.SaveDataFile(dir)) return false;
  const std::string chained = ChainPath();
  if (P.Handoff.Loaded() && !chained.empty() &&
      !P.Handoff.Chain(dir + std::string(ExchangeFileName), chained, P.Settings.Values.Info))
    return false;
  if (P.Handoff.Loaded() && !chained.empty()) P.Usage.Launched(chained);
  P.Usage.Save();
  // The grid shows nothing more; the catalogue goes with the form.
  P.View.ClearGrid();
  P.Marks.Stop();
  P.Handoff.Release();
  return true;
}

bool CloseSequence::WhileClosing(const std::function<bool()>& steps) {
  // A question or a failed write's message box runs a message loop: a close
  // request that arrives there must not start the sequence inside itself.
  closing_ = true;
  bool done = false;
  try {
    done = steps();
  } catch (...) {
    closing_ = false;
    throw;
  }
  closing_ = false;
  return done;
}

}  // namespace zorbi
