#pragma once
// Facts about the process and the user's folders, from Windows.

#include <windows.h>

#include <optional>

#include "platform/environment.h"
#include "platform/win32/unique_handle.h"

namespace quorvel {

// Keep one instance alive for the whole process: it holds the named mutex that
// tells later copies of the program that this one is running.
class Win32Environment final : public Environment {
  public:
    std::string programPath() override;
    std::string programFolder() override;
    std::string getVariable(std::string_view name) override;
    bool earlierCopyRunning() override;
    std::string applicationDataFolder() override;
    std::string startMenuProgramsFolder() override;
    std::string startUpFolder() override;
    [[noreturn]] void endProcess() override;

  private:
    UniqueKernelHandle runningMutex_;
    std::optional<bool> earlierCopy_;
};

}  // namespace quorvel
