#include "framework/WaitOutHold.h"

#include "framework/WideText.h"

#include <windows.h>

namespace kestrane {

bool WaitOutHold(const std::function<bool()>& step, const std::wstring& path, HeldTarget target)
{
    for (int failedTries = 1;; ++failedTries) {
        if (step())
            return true;
        const DWORD error = ::GetLastError();
        if (!MayBeBriefHold(error))
            return false;
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        const bool missing = attributes == INVALID_FILE_ATTRIBUTES && ::GetLastError() != ERROR_ACCESS_DENIED;
        const FailedTry failed{error, missing ? std::nullopt : std::optional<std::uint32_t>(attributes), target};
        const auto pause = IsBriefHold(failed) ? PauseAfter(failedTries) : std::nullopt;
        if (!pause) {
            ::SetLastError(error);
            return false;
        }
        ::Sleep(static_cast<DWORD>(pause->count()));
    }
}

bool WaitOutHold(const std::function<bool()>& step, const std::string& path, HeldTarget target)
{
    return WaitOutHold(step, WideFromAnsi(path), target);
}

}  // namespace kestrane
