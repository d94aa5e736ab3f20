#include "check/ReportFormat.h"

#include "common/Text.h"

#include <algorithm>
#include <cstdio>

namespace kestrane {
namespace {

std::string Counted(std::size_t count, std::string_view what)
{
    return std::to_string(count) + " " + std::string(what) + (count == 1 ? "" : "s");
}

std::size_t CountOf(const PackageReport& report, Severity severity)
{
    return static_cast<std::size_t>(std::ranges::count(report.findings, severity, &Finding::severity));
}

std::string Location(const Finding& finding)
{
    std::string location = finding.file;
    if (finding.line)
        location += " line " + std::to_string(*finding.line);
    return location.empty() ? location : location + ": ";
}

std::string KeyLine(const KeyReading& reading, const PackageReport& report)
{
    std::string line = "  " + std::string(reading.key);
    line.append(14 - reading.key.size(), ' ');
    line += Quoted(reading.value);
    line += reading.line ? "  (line " + std::to_string(*reading.line) + ")" : "  (not read)";
    if (reading.key == kInstallDirKey && reading.value != report.values.installDir)
        line += ", cleaned to " + Quoted(report.values.installDir);
    return line + "\n";
}

std::string Row(std::string_view label, std::string_view value)
{
    std::string row = "  " + std::string(label);
    row.append(20 - label.size(), ' ');
    return row + std::string(value) + "\n";
}

std::string DialogText(const std::optional<DialogView>& dialog)
{
    if (!dialog)
        return "unknown: no background bitmap to measure";
    const auto rows = [](Extent picture, Placement controls) {
        return "picture " + std::to_string(picture.width) + " x " + std::to_string(picture.height) +
               "; folder field and buttons in rows " + std::to_string(controls.y) + " to " +
               std::to_string(controls.Bottom() - 1);
    };
    return "at 100 %: " + rows(dialog->picture, dialog->controls) +
           "; at 150 %: " + rows(dialog->picture150, dialog->controls150);
}

// A small writer for the one document: members are written in the order given, each object
// and array on lines of its own, two blanks deeper per level.
class JsonWriter {
public:
    std::string Take() { return std::move(m_out) + "\n"; }

    void Open(char bracket)
    {
        m_out += bracket;
        ++m_depth;
        m_first = true;
    }
    void Close(char bracket)
    {
        --m_depth;
        if (!m_first)
            NewLine();
        m_out += bracket;
        m_first = false;
    }
    void Key(std::string_view name)
    {
        Separate();
        m_out += JsonQuoted(name) + ": ";
    }
    void Element() { Separate(); }
    void Raw(std::string_view value)
    {
        m_out += value;
        m_first = false;
    }
    void String(std::string_view value) { Raw(JsonQuoted(value)); }
    void Number(long long value) { Raw(std::to_string(value)); }
    void Null() { Raw("null"); }

private:
    void Separate()
    {
        if (!m_first)
            m_out += ',';
        NewLine();
        m_first = true;
    }
    void NewLine()
    {
        m_out += '\n';
        m_out.append(2 * m_depth, ' ');
    }

    std::string m_out;
    std::size_t m_depth = 0;
    bool m_first = true;
};

void WriteKeys(JsonWriter& json, const PackageReport& report)
{
    json.Open('{');
    for (const KeyReading& reading : report.keys) {
        json.Key(reading.key);
        json.Open('{');
        json.Key("value");
        json.String(reading.key == kInstallDirKey ? report.values.installDir : reading.value);
        if (reading.key == kInstallDirKey) {
            json.Key("written");
            json.String(reading.value);
        }
        json.Key("line");
        if (reading.line)
            json.Number(*reading.line);
        else
            json.Null();
        json.Close('}');
    }
    json.Close('}');
}

void WriteDialog(JsonWriter& json, const std::optional<DialogView>& dialog)
{
    if (!dialog) {
        json.Null();
        return;
    }
    json.Open('{');
    json.Key("pictureWidth");
    json.Number(dialog->picture.width);
    json.Key("pictureHeight");
    json.Number(dialog->picture.height);
    json.Key("controlsTop");
    json.Number(dialog->controls.y);
    json.Close('}');
}

void WriteShortcut(JsonWriter& json, const std::optional<ShortcutValues>& shortcut)
{
    if (!shortcut) {
        json.Null();
        return;
    }
    json.Open('{');
    json.Key("linkName");
    json.String(shortcut->linkName);
    json.Key("description");
    json.String(shortcut->description);
    json.Key("target");
    json.String(shortcut->target);
    json.Key("iconLocation");
    json.String(shortcut->iconLocation);
    json.Close('}');
}

void WriteFindings(JsonWriter& json, const std::vector<Finding>& findings)
{
    json.Open('[');
    for (const Finding& finding : findings) {
        json.Element();
        json.Open('{');
        json.Key("severity");
        json.String(NameOf(finding.severity));
        json.Key("code");
        json.String(CodeOf(finding.check));
        json.Key("message");
        json.String(finding.message);
        json.Key("file");
        if (finding.file.empty())
            json.Null();
        else
            json.String(finding.file);
        json.Key("line");
        if (finding.line)
            json.Number(*finding.line);
        else
            json.Null();
        json.Close('}');
    }
    json.Close(']');
}

}  // namespace

std::string FormatReportText(const PackageReport& report)
{
    std::string text = "Package " + report.packageDirectory + "\n\n";
    if (report.descriptionRead) {
        text += "install.ini, as the installer reads it:\n";
        for (const KeyReading& reading : report.keys)
            text += KeyLine(reading, report);
        text += "\nWhat the player gets:\n";
        text += Row("window title", Quoted(report.windowTitle));
        text += Row("dialog", DialogText(report.dialog));
        text += Row("campaign directory", report.campaignDirectory);
        if (report.shortcut) {
            text += Row("shortcut",
                        Quoted(report.shortcut->linkName) + ", described as " + Quoted(report.shortcut->description));
            text += Row("shortcut icon", report.shortcut->iconLocation);
        } else {
            text += Row("shortcut", "none offered, as the campaign has no name");
        }
        text += "\n";
    }

    if (report.findings.empty())
        return text + "No findings.\n";
    text += "Findings: " + Counted(CountOf(report, Severity::Error), "error") + ", " +
            Counted(CountOf(report, Severity::Warning), "warning") + "\n";
    for (const Finding& finding : report.findings) {
        std::string severity(NameOf(finding.severity));
        severity.resize(9, ' ');
        text += "  " + severity + Location(finding) + finding.message + "\n";
    }
    return text;
}

std::string FormatReportJson(const PackageReport& report)
{
    JsonWriter json;
    json.Open('{');
    json.Key("package");
    json.String(report.packageDirectory);
    json.Key("values");
    if (report.descriptionRead)
        WriteKeys(json, report);
    else
        json.Null();
    json.Key("windowTitle");
    if (report.descriptionRead)
        json.String(report.windowTitle);
    else
        json.Null();
    json.Key("dialog");
    WriteDialog(json, report.dialog);
    json.Key("campaignDirectory");
    if (report.descriptionRead)
        json.String(report.campaignDirectory);
    else
        json.Null();
    json.Key("shortcut");
    WriteShortcut(json, report.shortcut);
    json.Key("findings");
    WriteFindings(json, report.findings);
    json.Key("errors");
    json.Number(static_cast<long long>(CountOf(report, Severity::Error)));
    json.Key("warnings");
    json.Number(static_cast<long long>(CountOf(report, Severity::Warning)));
    json.Key("exitStatus");
    json.Number(ExitStatus(report));
    json.Close('}');
    return json.Take();
}

std::string JsonQuoted(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (byte < 0x20 || byte >= 0x7F) {
                char escaped[8];
                // Six characters and the terminating zero always fit.
                static_cast<void>(std::snprintf(escaped, sizeof escaped, "\\u%04X", byte));
                quoted += escaped;
            } else {
                quoted += c;
            }
        }
    }
    return quoted + "\"";
}

}  // namespace kestrane
