// OperationState: what one run of the main button collects while its steps run.
#pragma once

#include <string>

namespace kestrane {

struct OperationState {
    bool error = false;
    std::string errorText = "Error!";
    std::string resultText = "Something weird happened to the install button!";

    // Every failing step reports here; only the last failure's text is shown.
    void Fail(std::string text)
    {
        error = true;
        errorText = std::move(text);
    }
};

}  // namespace kestrane
