#include "package/ReadPackageDescription.h"

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
        return fail("Error: unable to open install.ini!");
    }

    try {
        const std::uint64_t length = file->Length();
        if (length == 0)
            return fail("Error: install.ini is empty!");
        std::vector<std::byte> bytes(length);
        bytes.resize(file->Read(bytes));
        result.values = ParsePackageDescription({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
        file->Close();
    } catch (const FileError&) {
        return fail("Error: unable to read Install.ini!");
    } catch (const std::bad_alloc&) {
        // A package that names a file too large to hold is as unreadable as a broken one.
        return fail("Error: unable to read Install.ini!");
    }
    return result;
}

}  // namespace kestrane
