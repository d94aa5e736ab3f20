#include "package/ReadPackageDescription.h"

#include "common/InstallerContract.h"
#include "framework/File.h"
#include "framework/FileError.h"

#include <new>
#include <optional>
#include <vector>

namespace kestrane {

PackageReadResult ReadPackageDescription()
{
    PackageReadResult result;
    const auto fail = [&result](const char* text) {
        result.error = true;
        result.errorText = text;
        return result;
    };

    std::optional<File> file;
    try {
        file.emplace(kPackageDescriptionFile, File::Mode::Read);
    } catch (const FileError&) {
        return fail(kDescriptionNotOpenedText);
    }

    try {
        const std::vector<std::byte> bytes = file->ReadAll();
        if (bytes.empty())
            return fail(kDescriptionEmptyText);
        result.values = ParsePackageDescription({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
        file->Close();
    } catch (const FileError&) {
        return fail("Error: unable to read Install.ini!");
    } catch (const std::bad_alloc&) {
        // Values too large to hold make the file as unreadable as a broken one.
        return fail("Error: unable to read Install.ini!");
    }
    return result;
}

}  // namespace kestrane
