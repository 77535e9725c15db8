// Start-up: the catalogue and the settings read, then the exchange file's
// outcome and the host's console found.
#pragma once

#include <string>

#include "catalogue/catalogue.h"
#include "forms/catalogue_files.h"
#include "forms/form_settings.h"
#include "forms/host_handoff.h"
#include "forms/host_link.h"
#include "forms/item_view.h"
#include "forms/main_form_parts.h"

namespace zorbi {

class FormStart {
 public:
  FormStart(Catalogue& cat, ItemView& view, FormSettings& settings, CatalogueFiles& catFiles,
            HostHandoff& handoff, HostLink& link, const FormControls& controls,
            const FormServices& services)
      : cat_(cat),
        view_(view),
        settings_(settings),
        catFiles_(catFiles),
        handoff_(handoff),
        link_(link),
        C(controls),
        files_(services.Files),
        sys_(services.Sys),
        window_(services.Window) {}

  // The catalogue and the settings. False when the program must end at once
  // without writing anything.
  bool UntilExchange();
  // The exchange file: an unstable host leaves only キャンセル, the menus and
  // the close box; `searchBox` is disabled with the grid.
  void FromExchange(EditBox* searchBox);
  // The folder of the program and of its files.
  const std::string& AppDir() const { return appDir_; }
  // The settings were read: the close writes them.
  bool SettingsLoaded() const { return settingsLoaded_; }

 private:
  bool LoadCatalogue();

  Catalogue& cat_;
  ItemView& view_;
  FormSettings& settings_;
  CatalogueFiles& catFiles_;
  HostHandoff& handoff_;
  HostLink& link_;
  FormControls C;
  FileSystem& files_;
  System& sys_;
  FormWindow& window_;
  std::string appDir_;
  bool settingsLoaded_ = false;
};

}  // namespace zorbi
