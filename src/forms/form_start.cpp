#include "forms/form_start.h"

#include "catalogue/path_txt.h"
#include "forms/grid_columns.h"
#include "text/text_split.h"

namespace zorbi {

bool FormStart::UntilExchange() {
  const std::string exe = sys_.ExePath();
  link_.OwnExeName = FileNamePart(exe);
  appDir_ = exe.substr(0, exe.size() - link_.OwnExeName.size());
  window_.SetCaption(std::string(VersionCaption));
  if (!LoadCatalogue()) return false;
  // Before the exchange file, which may still be being read: the settings
  // show and ask nothing, and act only on what the exchange file leaves alone.
  settings_.Read(SettingsPathOf(exe));
  return true;
}

void FormStart::FromExchange(EditBox* searchBox) {
  handoff_.Read(appDir_ + std::string(ExchangeFileName));
  if (handoff_.Unstable()) {
    C.Button2.SetEnabled(false);
    C.StringGrid1.SetEnabled(false);
    C.Memo1.SetEnabled(false);
    C.TabControl1.SetEnabled(false);
    if (searchBox) searchBox->SetEnabled(false);
  }
  settingsLoaded_ = true;
  if (settings_.Values.JWCheck) link_.FindTargetWindows();
}

bool FormStart::LoadCatalogue() {
  cat_.Clear();
  cat_.SetBatFolder(appDir_);
  view_.ClearGrid();
  C.DatRestore1.SetEnabled(false);
  C.PATHTXT1.SetEnabled(false);
  switch (catFiles_.Load(appDir_)) {
    case CatalogueFiles::Start::Refused:
      return false;
    case CatalogueFiles::Start::NoFile:
      cat_.StartEmpty();
      view_.ShowTabNames();
      ShowGridHeaders(C.StringGrid1, false);
      return true;
    case CatalogueFiles::Start::Loaded:
      break;
  }
  C.DatRestore1.SetEnabled(true);
  if (files_.Exists(appDir_ + std::string(PathTxtName))) C.PATHTXT1.SetEnabled(true);
  view_.ShowTabNames();
  C.TabControl1.SetTabIndex(cat_.CurrentTab());
  cat_.SwitchTab(cat_.CurrentTab());
  // The pick is checked once, by the pick below; on an empty tab there is
  // nothing to pick, and a new, empty catalogue reports nothing.
  view_.ShowTab(cat_.CurrentTab(), true);
  if (cat_.Item(cat_.CurrentTab(), cat_.PickedIndex()) != nullptr)
    view_.PickRow(cat_.PickedIndex() + 1);
  return true;
}

}  // namespace zorbi
