// Closing the main window: OK and the gestures that confirm, キャンセル, and
// a close request. The settings, the data file and PATH.TXT are written and
// the pick handed to the host; a write that fails asks whether to close
// without it, and the window stays when the user says no.
#pragma once

#include <functional>
#include <string>

#include "catalogue/catalogue.h"
#include "forms/catalogue_files.h"
#include "forms/command_rule.h"
#include "forms/edit_modes.h"
#include "forms/file_marks.h"
#include "forms/form_settings.h"
#include "forms/form_start.h"
#include "forms/host_handoff.h"
#include "forms/item_search.h"
#include "forms/item_view.h"
#include "forms/usage_history.h"

namespace zorbi {

class CloseSequence {
 public:
  struct Parts {
    Catalogue& Cat;
    ItemView& View;
    ItemSearch& Search;
    EditModes& Modes;
    FileMarks& Marks;
    FormSettings& Settings;
    CatalogueFiles& CatFiles;
    HostHandoff& Handoff;
    UsageHistory& Usage;
    const FormStart& Start;
  };
  CloseSequence(const Parts& parts, CommandGate& gate, System& sys, FormWindow& window)
      : P(parts), gate_(gate), sys_(sys), window_(window) {}

  // `pickedNow`: the gesture that confirms also picked.
  void Confirm(bool pickedNow);
  void Cancel();
  void CloseRequest();
  bool Closed() const { return closed_; }
  // A close is asking or writing.
  bool Closing() const { return closing_; }
  // The BAT file the close hands to the host: none after キャンセル.
  std::string ChainPath() const { return chain_ ? P.Cat.PickedBatPath() : std::string(); }

 private:
  // The sequence, handing the pick over when `chain`, PATH.TXT written first
  // when `pathTxt` (OK and キャンセル).
  void Close(bool chain, bool pathTxt);
  bool SaveAndHandOver();
  bool WhileClosing(const std::function<bool()>& steps);

  Parts P;
  CommandGate& gate_;
  System& sys_;
  FormWindow& window_;
  bool closed_ = false;
  bool closing_ = false;
  bool chain_ = true;
};

}  // namespace zorbi
