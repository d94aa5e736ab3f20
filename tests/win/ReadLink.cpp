#include "ReadLink.h"

#include "framework/ComPtr.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <iterator>

namespace kestrane::test {

// Reads a saved link back the way the shell does. Buffers start with a sentinel to prove that
// each call wrote them.
LinkFacts ReadLink(const std::string& linkPath)
{
    LinkFacts facts;
    const auto link = ComPtr<IShellLinkA>::CreateInstance(CLSID_ShellLink);
    const auto file = link.As<IPersistFile>();
    if (!file) {
        ADD_FAILURE() << "no shell link object";
        return facts;
    }
    const std::wstring widePath(linkPath.begin(), linkPath.end());
    const HRESULT loaded = file->Load(widePath.c_str(), STGM_READ);
    if (loaded != S_OK) {
        ADD_FAILURE() << "loading " << linkPath << " gave " << std::hex << loaded;
        return facts;
    }
    char text[MAX_PATH];
    const auto read = [&text](const char* what, auto call) {
        std::fill(std::begin(text), std::end(text), '\0');
        text[0] = '#';
        EXPECT_EQ(call(), S_OK) << what;
        return std::string(text);
    };
    facts.path = read("GetPath", [&] { return link->GetPath(text, MAX_PATH, nullptr, 0); });
    facts.workingDirectory = read("GetWorkingDirectory", [&] { return link->GetWorkingDirectory(text, MAX_PATH); });
    facts.description = read("GetDescription", [&] { return link->GetDescription(text, MAX_PATH); });
    facts.iconLocation =
        read("GetIconLocation", [&] { return link->GetIconLocation(text, MAX_PATH, &facts.iconIndex); });
    return facts;
}

}  // namespace kestrane::test
