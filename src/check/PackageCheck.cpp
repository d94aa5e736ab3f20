#include "check/PackageCheck.h"

#include "check/NameEncoding.h"
#include "check/WindowsPath.h"
#include "common/InstallerContract.h"
#include "common/Text.h"
#include "install/core/CampaignDirectoryRules.h"
#include "install/core/OperationPaths.h"
#include "package/core/PackageDescription.h"
#include "ui/core/BitmapHeader.h"
#include "ui/core/InstallerDialogRules.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>

namespace kestrane {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// A full path for the player's game directory, for the normalisation Windows applies.
constexpr std::string_view kGameDirectoryFullPath = "C:\\Warcraft III";
// Where many players have the game, for the length of the paths a campaign makes.
constexpr std::string_view kTypicalGameDirectory = "C:\\Program Files (x86)\\Warcraft III\\";
// The most characters of a path that Windows opens, without its terminating zero.
constexpr std::size_t kLongestPath = 259;

// What an empty value of each key costs the player.
std::string ConsequenceOfEmpty(std::string_view key)
{
    if (key == kCampaignNameKey)
        return "the window keeps the title " + Quoted(MainWindowTitle("")) + " and no desktop shortcut is offered";
    if (key == kIconKey)
        return "the desktop shortcut shows the game's own icon";
    if (key == kBackBitmapKey)
        return "the installer stops at start with " + Quoted(BitmapNotFoundText(""));
    return "the installer refuses to install, since the campaign directory would be the Warcraft III directory "
           "itself";
}

std::string Hex(std::string_view bytes)
{
    std::string hex;
    for (const char c : bytes) {
        char digits[4];
        // Two hex digits and the terminating zero always fit.
        static_cast<void>(std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(c)));
        hex += hex.empty() ? "" : " ";
        hex += digits;
    }
    return hex;
}

// A byte that cannot stand in a file name, as the link name cleaning sees it, shown so an
// author can find it: control bytes by their value, the others as themselves.
std::string ShowByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 32 || byte == 127 ? "byte " + Hex(std::string_view(&c, 1)) : Quoted(std::string_view(&c, 1));
}

bool IsAsciiLetterOrDigit(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

std::string PluralBytes(std::size_t count)
{
    return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

// Whether a path relative to a folder still names something inside it once Windows has
// resolved it, as a path that climbs out of the campaign directory does not.
bool StaysInside(std::string_view relative, const LeadByteRule& rule)
{
    const std::string folder(kGameDirectoryFullPath);
    return IsStrictlyBelow(folder, NormaliseFullPath(JoinPath(folder, relative, rule), rule), rule);
}

bool IsBeyondAscii(std::string_view bytes)
{
    return std::ranges::any_of(bytes, [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Whether a two-byte character of the text ends in the byte of "\".
bool HasBackslashSecondByte(std::string_view bytes, const LeadByteRule& rule)
{
    for (std::size_t at = bytes.find('\\'); at != std::string_view::npos; at = bytes.find('\\', at + 1)) {
        if (!IsCharacterBoundary(bytes, at, rule))
            return true;
    }
    return false;
}

// A name or path of the author's disk as the report shows it.
std::string Shown(const fs::path& path)
{
    const std::u8string utf8 = path.u8string();
    std::string shown(utf8.begin(), utf8.end());
    std::ranges::replace(shown, '/', '\\');
    return shown;
}

bool IsRegularFile(const std::optional<fs::path>& path)
{
    std::error_code error;
    return path && fs::is_regular_file(*path, error);
}

bool IsDirectory(const std::optional<fs::path>& path)
{
    std::error_code error;
    return path && fs::is_directory(*path, error);
}

std::optional<std::string> ReadWholeFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return bytes;
}

class PackageChecker {
public:
    PackageChecker(PackageReport& report, unsigned codePage)
        : m_report(report), m_directory(report.packageDirectory), m_codePage(codePage), m_rule(LeadByteRuleOf(codePage))
    {
    }

    void Run()
    {
        if (ReadDescription()) {
            for (const std::string_view key : {kCampaignNameKey, kIconKey, kBackBitmapKey, kInstallDirKey})
                CheckKey(key);
            DescribeWhatThePlayerGets();
            CheckInstallDir();
            CheckBackground();
            CheckLinkName();
            CheckValueCharacters(kInstallDirKey, m_report.values.installDir,
                                 "the campaign directory gets another name");
            CheckValueCharacters(kCampaignNameKey, m_report.values.campaignName,
                                 "the window title and the desktop shortcut show other characters");
        }
        // The campaign files matter whatever install.ini says.
        CheckCampaignFiles();
    }

private:
    void Add(Check check, std::string_view key, std::string message, std::string file, std::optional<int> line)
    {
        if (const std::optional<Severity> severity = SeverityOf(check, key))
            m_report.findings.push_back({check, *severity, std::move(message), std::move(file), line});
    }

    void AddAtKey(Check check, std::string_view key, std::string message)
    {
        Add(check, key, std::move(message), kPackageDescriptionFile, Reading(key).line);
    }

    const KeyReading& Reading(std::string_view key) const
    {
        return *std::ranges::find(m_report.keys, key, &KeyReading::key);
    }

    // The installer stops at once when install.ini cannot be opened or is empty.
    bool ReadDescription()
    {
        const std::optional<fs::path> path = FindEntry(m_directory, kPackageDescriptionFile);
        std::optional<std::string> text;
        if (IsRegularFile(path))
            text = ReadWholeFile(*path);
        if (!text) {
            Add(Check::NoPackageDescription, "",
                "The package has no install.ini that can be opened; the installer stops at start with " +
                    Quoted(kDescriptionNotOpenedText) + ".",
                kPackageDescriptionFile, std::nullopt);
            return false;
        }
        if (text->empty()) {
            Add(Check::EmptyPackageDescription, "",
                "install.ini is empty; the installer stops at start with " + Quoted(kDescriptionEmptyText) + ".",
                kPackageDescriptionFile, std::nullopt);
            return false;
        }
        m_text = std::move(*text);
        m_upper = UpperCased(m_text);
        m_report.descriptionRead = true;
        m_report.values = ParsePackageDescription(m_text, m_rule);
        return true;
    }

    int LineOf(std::size_t offset) const
    {
        return 1 +
               static_cast<int>(std::count(m_text.begin(), m_text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
    }

    std::size_t LineStart(std::size_t offset) const
    {
        const std::size_t feed = offset == 0 ? std::string::npos : m_text.rfind('\n', offset - 1);
        return feed == std::string::npos ? 0 : feed + 1;
    }

    std::string_view LineText(std::size_t offset) const
    {
        const std::size_t start = LineStart(offset);
        const std::size_t end = std::min(m_text.find('\n', start), m_text.size());
        std::string_view line(m_text.data() + start, end - start);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        return line;
    }

    bool LineHasEquals(std::size_t offset) const
    {
        const std::size_t equals = m_text.find('=', offset);
        return equals != std::string::npos && equals < std::min(m_text.find('\n', offset), m_text.size());
    }

    // Every line that begins with the key, whether or not the installer gets to read it.
    std::vector<std::size_t> KeyLines(std::string_view key) const
    {
        std::vector<std::size_t> starts;
        for (std::size_t at = m_upper.find(key); at != std::string::npos; at = m_upper.find(key, at + 1)) {
            if (LineStart(at) == at)
                starts.push_back(at);
        }
        return starts;
    }

    void CheckKey(std::string_view key)
    {
        KeyReading& reading = m_report.keys.emplace_back(KeyReading{key, {}, std::nullopt});
        const std::size_t readAt = FindKey(m_upper, key);
        if (readAt == std::string::npos) {
            ExplainUnreadKey(key);
            return;
        }
        reading.line = LineOf(readAt);
        reading.value = ExtractValue(m_text, readAt);
        CheckKeyLine(reading, readAt);
    }

    void CheckKeyLine(const KeyReading& reading, std::size_t readAt)
    {
        const std::string name(reading.key);
        const std::string consequence = ConsequenceOfEmpty(reading.key);
        if (!LineHasEquals(readAt)) {
            AddAtKey(Check::KeyWithoutEquals, reading.key,
                     "The " + name + " line (" + Quoted(LineText(readAt)) + ") has no \"=\", so the installer reads " +
                         name + " as empty and " + consequence + ".");
        } else if (reading.value.empty()) {
            AddAtKey(Check::EmptyValue, reading.key, name + " has nothing after \"=\", so " + consequence + ".");
        }
        const std::string ignored = "This " + name + " line is ignored: the installer already read " + name +
                                    " from line " + std::to_string(*reading.line) + ".";
        for (const std::size_t later : KeyLines(reading.key)) {
            if (later != readAt)
                Add(Check::KeyRepeated, reading.key, ignored, kPackageDescriptionFile, LineOf(later));
        }
    }

    // Why the installer reads no line for the key: hidden behind an earlier occurrence of its
    // name, shifted off the line start by a few bytes, or simply not there.
    void ExplainUnreadKey(std::string_view key)
    {
        const std::string name(key);
        const std::string consequence = ConsequenceOfEmpty(key);
        const std::size_t first = m_upper.find(key);
        const std::vector<std::size_t> keyLines = KeyLines(key);
        if (first != std::string::npos && !keyLines.empty()) {
            const int hiding = LineOf(first);
            Add(Check::KeyHidden, key,
                name + " is not read: the installer uses only the first \"" + name +
                    "\" in the file, in any letter case, and that one is inside line " + std::to_string(hiding) + " (" +
                    Quoted(LineText(first)) + "), so " + consequence + ". Put this line above line " +
                    std::to_string(hiding) + ".",
                kPackageDescriptionFile, LineOf(keyLines.front()));
            return;
        }
        const std::size_t lineStart = first == std::string::npos ? 0 : LineStart(first);
        const std::string_view before(m_text.data() + lineStart, first == std::string::npos ? 0 : first - lineStart);
        const bool onlyStrayBytes =
            std::ranges::none_of(before, [](char c) { return IsAsciiLetterOrDigit(c) || c == '='; });
        if (!before.empty() && onlyStrayBytes) {
            const bool byteOrderMark = lineStart == 0 && before == kByteOrderMark;
            const std::string what =
                byteOrderMark
                    ? "install.ini begins with a byte-order mark (bytes EF BB BF), which hides " + name
                    : PluralBytes(before.size()) + " (" + Hex(before) + ") stand before " + name + " on this line";
            Add(Check::BytesBeforeKey, key,
                what + ": the installer reads a key only at the very start of a line, so " + consequence + "." +
                    (byteOrderMark ? " Save install.ini without a byte-order mark." : ""),
                kPackageDescriptionFile, LineOf(first));
            return;
        }
        Add(Check::KeyMissing, key, "No line begins with " + name + ", so " + consequence + ".",
            kPackageDescriptionFile, std::nullopt);
    }

    void DescribeWhatThePlayerGets()
    {
        const PackageDescription& values = m_report.values;
        m_report.windowTitle = MainWindowTitle(values.campaignName);
        m_report.campaignDirectory =
            MakeOperationPaths(kGameDirectoryStandIn, values.installDir, m_rule).campaignDirectory;
        // The shortcut is offered only for a campaign with a name.
        if (!values.campaignName.empty())
            m_report.shortcut =
                MakeShortcutValues(m_report.campaignDirectory, values.campaignName, values.icon, m_rule);
    }

    void CheckInstallDir()
    {
        const std::string& written = Reading(kInstallDirKey).value;
        const std::string& cleaned = m_report.values.installDir;
        if (written.empty())
            return;

        const std::string gameDirectory(kGameDirectoryFullPath);
        const std::string campaignDirectory =
            NormaliseFullPath(MakeOperationPaths(gameDirectory, cleaned, m_rule).campaignDirectory, m_rule);
        const std::string shown = "INSTALLDIR " + Quoted(written);
        if (!IsStrictlyBelow(gameDirectory, campaignDirectory, m_rule)) {
            const std::string cleaning =
                written == cleaned ? "" : " is cleaned by the installer to " + Quoted(cleaned) + ", which";
            AddAtKey(
                Check::InstallDirUnsafe, kInstallDirKey,
                shown + cleaning +
                    " does not name a folder inside the Warcraft III directory, so the installer refuses to install.");
            return;
        }
        if (written != cleaned) {
            AddAtKey(Check::InstallDirCleaned, kInstallDirKey,
                     shown + " is cleaned by the installer to " + Quoted(cleaned) + "; write INSTALLDIR=" + cleaned +
                         " to say what the player gets.");
        }
        const std::vector<std::string> levels =
            WindowsPathParts(campaignDirectory.substr(gameDirectory.size()), m_rule);
        if (levels.size() > 1) {
            AddAtKey(Check::InstallDirNested, kInstallDirKey,
                     shown + " goes " + std::to_string(levels.size()) +
                         " folders deep: the installer creates only the last one, so " + Quoted(levels.front()) +
                         " must already exist in the player's Warcraft III directory, and the campaign's game.dll "
                         "looks for war3.mpq only one folder up.");
        }
        if (HasTrimmedPart(cleaned)) {
            AddAtKey(Check::InstallDirTrimmed, kInstallDirKey,
                     shown +
                         " has a folder name ending in \".\" or \" \", which Windows reads as one folder at the end "
                         "of a path and as another inside it, so the installer refuses to install.");
        }
        if (levels.size() == 1 && NamesGameFolder(levels.front())) {
            AddAtKey(Check::InstallDirGameFolder, kInstallDirKey,
                     shown + " names the " + Quoted(levels.front()) +
                         " folder that a Warcraft III directory keeps for the player's own files: the installer "
                         "refuses to install into it once it holds any. Give the campaign a folder of its own.");
        }
    }

    void CheckBackground()
    {
        const std::string& name = m_report.values.backBitmap;
        if (name.empty())
            return;
        const std::string shown = "BACKBITMAP " + Quoted(name);
        if (NamesNetworkPath(name)) {
            AddAtKey(Check::BitmapNetwork, kBackBitmapKey,
                     shown +
                         " names a network path, which the installer never opens: it would hand the player's "
                         "Windows login to that computer. The installer stops at start with " +
                         Quoted(BitmapNotFoundText(name)) + ".");
            return;
        }
        if (IsAbsoluteWindowsPath(name)) {
            AddAtKey(Check::BitmapAbsolute, kBackBitmapKey,
                     shown + " is outside the package: the installer finds it only on a computer that has this very "
                             "path. Put the bitmap in the package and name it relative to install.ini.");
            return;
        }
        const std::optional<fs::path> path = FindEntry(m_directory, name);
        if (!path) {
            AddAtKey(Check::BitmapMissing, kBackBitmapKey,
                     shown + " is not in the package; the installer stops at start with " +
                         Quoted(BitmapNotFoundText(name)) + ".");
            return;
        }
        if (!IsRegularFile(path)) {
            AddAtKey(Check::BitmapNotAFile, kBackBitmapKey,
                     shown + " is a folder, not a file; the installer stops at start with " +
                         Quoted(BitmapNotFoundText(name)) + ".");
            return;
        }

        const std::string invalid = "; the installer stops at start with " + Quoted(InvalidBitmapText(name)) + ".";
        const std::optional<std::string> bytes = ReadWholeFile(*path);
        const auto block = bytes ? BitmapBlock(std::as_bytes(std::span(*bytes))) : std::nullopt;
        std::string notABitmap;
        if (!bytes)
            notABitmap = " cannot be read";
        else if (bytes->size() < kBitmapFileHeaderSize)
            notABitmap = " is only " + PluralBytes(bytes->size()) + " long, too short for a bitmap";
        else if (!block)
            notABitmap = " is not a bitmap (a .bmp file begins with \"BM\")";
        if (!notABitmap.empty()) {
            Add(Check::BitmapNotABitmap, "", Quoted(name) + notABitmap + invalid, name, std::nullopt);
            return;
        }
        const std::optional<BitmapHeader> header = ReadBitmapHeader(*block);
        if (!header) {
            Add(Check::BitmapRejected, "",
                Quoted(name) +
                    " is cut short or is a kind of bitmap the installer does not show (it shows uncompressed, "
                    "run-length and bit-field bitmaps of 1 to 32 bits per pixel)" +
                    invalid,
                name, std::nullopt);
            return;
        }

        InstallerDialogLayoutInput input;
        input.background = Extent{header->width, std::abs(header->height)};
        const InstallerDialogLayout layout = LayOutInstallerDialog(input);
        input.dpi = 144;
        const InstallerDialogLayout scaled = LayOutInstallerDialog(input);
        m_report.dialog =
            DialogView{*input.background, layout.frame, {scaled.picture.width, scaled.picture.height}, scaled.frame};
        if (layout.frame.y < 0) {
            Add(Check::BitmapTooLow, "",
                Quoted(name) + " is only " + std::to_string(input.background->height) + " pixels high: the " +
                    std::to_string(kControlFrameHeight) +
                    "-pixel strip with the folder field and the buttons reaches above the top of "
                    "the window.",
                name, std::nullopt);
        }
    }

    void CheckCampaignFiles()
    {
        const std::optional<fs::path> found = FindEntry(m_directory, kCampaignFilesName);
        const std::optional<fs::path> campaignFiles = IsDirectory(found) ? found : std::nullopt;
        if (!campaignFiles) {
            Add(Check::NoCampaignFiles, "",
                "The package has no " + Quoted(kCampaignFilesName) +
                    " folder: the installer copies nothing of the campaign's own, "
                    "and the campaign directory holds only the game's files.",
                std::string(kCampaignFilesName), std::nullopt);
        }
        CheckIcon(campaignFiles);
        if (campaignFiles) {
            CheckPatchArchive(*campaignFiles);
            CheckNames(*campaignFiles, {});
        }
    }

    // INSTALLDIR and CAMPAIGNNAME are bytes that each player's system reads in its own code page.
    void CheckValueCharacters(std::string_view key, const std::string& value, std::string_view otherwise)
    {
        const std::string shown = std::string(key) + " " + Quoted(value);
        if (HasBackslashSecondByte(value, m_rule))
            AddAtKey(Check::BackslashSecondByte, key, shown + BackslashSecondByteText());
        if (IsBeyondAscii(value)) {
            AddAtKey(Check::NameBeyondAscii, key,
                     shown +
                         " has bytes beyond ASCII, which each player's Windows reads in its own code page: where "
                         "that is not code page " +
                         std::to_string(m_codePage) + ", " + std::string(otherwise) + ".");
        }
    }

    std::string BackslashSecondByteText() const
    {
        return " holds a character whose second byte in code page " + std::to_string(m_codePage) +
               " is 5C, the byte of \"\\\": a program that reads the path byte by byte takes it for a folder "
               "separator.";
    }

    // Every name below the campaign files folder, in the order of their names, as the player's
    // system will hold it once installed below a typical game directory. A folder whose path is
    // too long already is not entered: nothing below it arrives either.
    void CheckNames(const fs::path& folder, const fs::path& below)
    {
        std::error_code error;
        std::vector<fs::directory_entry> entries;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
            entries.push_back(entry);
        std::ranges::sort(entries, {}, [](const fs::directory_entry& entry) { return entry.path().filename(); });
        for (const fs::directory_entry& entry : entries) {
            const fs::path relative = below / entry.path().filename();
            const std::string file = Shown(fs::path(std::string(kCampaignFilesName)) / relative);
            const std::optional<std::string> bytes = EncodeName(entry.path().filename(), m_codePage);
            if (bytes && HasBackslashSecondByte(*bytes, m_rule))
                Add(Check::BackslashSecondByte, "", Quoted(file) + BackslashSecondByteText(), file, std::nullopt);
            if (!bytes || IsBeyondAscii(*bytes))
                Add(Check::NameBeyondAscii, "", Quoted(file) + NameBeyondAsciiText(bytes.has_value()), file,
                    std::nullopt);
            const std::size_t length = InstalledPathLength(relative);
            if (length > kLongestPath) {
                Add(Check::PathTooLong, "",
                    Quoted(file) + " becomes " + std::to_string(length) + " characters long below " +
                        Quoted(std::string(kTypicalGameDirectory) + m_report.values.installDir) +
                        ": Windows opens no path of more than " + std::to_string(kLongestPath) +
                        " characters, so there the installer reports it as not copied.",
                    file, std::nullopt);
                continue;
            }
            if (entry.is_directory(error) && !entry.is_symlink(error))
                CheckNames(entry.path(), relative);
        }
    }

    std::string NameBeyondAsciiText(bool heldHere) const
    {
        const std::string codePage = "code page " + std::to_string(m_codePage);
        return std::string(" has characters beyond ASCII, which ") +
               (heldHere ? "a player's code page other than " + codePage + " may not hold"
                         : codePage + " cannot hold") +
               ": the installer copies it exactly, but Warcraft III, which opens its files by their names in the "
               "player's code page, may not find it.";
    }

    // In characters, as Windows counts them: the game directory's, INSTALLDIR's in the code page,
    // the separator, and the path below the campaign files folder.
    std::size_t InstalledPathLength(const fs::path& relative) const
    {
        return kTypicalGameDirectory.size() + CharacterCount(m_report.values.installDir, m_rule) + 1 +
               relative.u16string().size();
    }

    // The shortcut takes its icon from the campaign directory, where nothing but the contents
    // of the campaign files arrives.
    void CheckIcon(const std::optional<fs::path>& campaignFiles)
    {
        const std::string& icon = m_report.values.icon;
        if (icon.empty() ||
            (campaignFiles && StaysInside(icon, m_rule) && IsRegularFile(FindEntry(*campaignFiles, icon))))
            return;
        std::string message = "ICON " + Quoted(icon) + " is not in " + Quoted(kCampaignFilesName) +
                              ": the shortcut looks for the icon in the campaign directory, where only the contents "
                              "of " +
                              Quoted(kCampaignFilesName) + " arrive, so it finds no icon there.";
        const std::vector<std::string> parts = WindowsPathParts(icon);
        if (!parts.empty() && UpperCased(parts.front()) == UpperCased(kCampaignFilesName))
            message += " Name it relative to " + Quoted(kCampaignFilesName) + ", without that folder's name.";
        else if (!IsAbsoluteWindowsPath(icon) && IsRegularFile(FindEntry(m_directory, icon)))
            message += " The package directory has it: move it into " + Quoted(kCampaignFilesName) + ".";
        AddAtKey(Check::IconNotInCampaignFiles, kIconKey, std::move(message));
    }

    void CheckPatchArchive(const fs::path& campaignFiles)
    {
        const std::optional<fs::path> patch = FindEntry(campaignFiles, kPatchArchive);
        if (!IsRegularFile(patch))
            return;
        const std::string file = JoinPath(kCampaignFilesName, patch->filename().string(), m_rule);
        Add(Check::PatchArchiveInCampaignFiles, "",
            Quoted(file) +
                " arrives in the campaign directory, and the uninstall removes it with the game's files, also when "
                "the player chooses to keep the files added since the install.",
            file, std::nullopt);
    }

    void CheckLinkName()
    {
        const std::string& name = m_report.values.campaignName;
        const std::string linkName = SanitiseLinkName(name, m_rule);
        std::string replaced;
        for (std::size_t i = 0; i < name.size(); ++i) {
            if (linkName[i] != name[i] && replaced.find(name[i]) == std::string::npos)
                replaced += name[i];
        }
        if (replaced.empty())
            return;
        std::string shown;
        for (const char c : replaced)
            shown += (shown.empty() ? "" : ", ") + ShowByte(c);
        AddAtKey(Check::LinkNameReplaced, kCampaignNameKey,
                 "CAMPAIGNNAME " + Quoted(name) + " has characters a file name cannot hold (" + shown +
                     "), so the desktop shortcut is called " + Quoted(m_report.shortcut->linkName) + ".");
    }

    PackageReport& m_report;
    fs::path m_directory;
    std::string m_text;
    std::string m_upper;
    unsigned m_codePage;
    LeadByteRule m_rule;
};

}  // namespace

PackageReport CheckPackage(const std::string& packageDirectory, unsigned codePage)
{
    PackageReport report;
    report.packageDirectory = packageDirectory;
    PackageChecker(report, codePage).Run();
    return report;
}

int ExitStatus(const PackageReport& report)
{
    const auto has = [&report](Severity severity) {
        return std::ranges::any_of(report.findings, [severity](const Finding& f) { return f.severity == severity; });
    };
    return has(Severity::Error) ? 2 : has(Severity::Warning) ? 1 : 0;
}

}  // namespace kestrane
