// OperationState: what one run of the main button collects while its steps run, and how its
// procedures talk to the user.
#pragma once

#include <functional>
#include <string>

namespace kestrane {

struct OperationState {
    bool error = false;
    std::string errorText = "Error!";
    std::string resultText = "Something weird happened to the install button!";
    // The user kept what was there (the uninstall question cancelled): the outcome is shown,
    // but the main button keeps its label.
    bool labelStays = false;

    // Every failing step reports here; only the last failure's text is shown.
    void Fail(std::string text)
    {
        error = true;
        errorText = std::move(text);
    }
};

// Shows a message box with the given text and style and returns the answer (IDYES, IDNO, ...).
using AskUser = std::function<int(const std::string& text, unsigned style)>;

}  // namespace kestrane
