// Starting the user's editor and reading the environment, for the form logic.
#pragma once

#include "platform/services.h"

namespace zorbi::win32 {

class ProcessService final : public Processes {
 public:
  bool Start(const std::string& commandLine) override;
  std::optional<std::string> EnvironmentVariable(const std::string& name) override;
};

}  // namespace zorbi::win32
