// Quorvan, the mesh viewer and editor.
#include "Quorvan.h"

#include "CommandLine.h"

#include <QApplication>
#include <QFile>

#include <optional>
#include <string>
#include <vector>

namespace {

const char* const kUsage = "usage: Quorvan [FILE.mes]\n"
                           "\n"
                           "Opens the mesh scene FILE.mes, or starts with an empty scene. Qt's own options\n"
                           "(-platform, -style, ...) are taken as well.\n"
                           "\n"
                           "  -h, --help  prints this text\n"
                           "  --version   prints the version\n";

// Qt's own options, handed on to QApplication: those that take a value and those that do not.
const char* const kToolkitValues[] = {"-platform",        "-platformpluginpath", "-platformtheme", "-plugin",
                                      "-qwindowgeometry", "-qwindowicon",        "-qwindowtitle",  "-session",
                                      "-display",         "-geometry",           "-style",         "-stylesheet"};
const char* const kToolkitFlags[] = {"-reverse", "-widgetcount"};

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> toolkitArguments = {argc > 0 ? argv[0] : "Quorvan"};
    std::optional<std::string> file;
    cli::CommandLine line("Quorvan", kUsage);
    for (const char* name : kToolkitValues) {
        line.Value(
            name,
            [&toolkitArguments, name](const std::string& value) {
                toolkitArguments.insert(toolkitArguments.end(), {name, value});
                return true;
            },
            std::string(name) + " needs a value");
    }
    for (const char* name : kToolkitFlags)
        line.Flag(name, [&toolkitArguments, name] { toolkitArguments.push_back(name); });
    line.Operands([&file](const std::string& arg) -> std::string {
        if (file)
            return "more than one file: " + *file + " and " + arg;
        file = arg;
        return "";
    });
    // Answered before the toolkit starts, so that help and the version work without a display.
    if (const std::optional<int> status = line.Parse(argc, argv))
        return *status;

    // QApplication keeps the count and the texts for as long as it lives.
    std::vector<char*> toolkitArgv;
    for (std::string& argument : toolkitArguments)
        toolkitArgv.push_back(argument.data());
    toolkitArgv.push_back(nullptr);
    int toolkitArgc = static_cast<int>(toolkitArguments.size());
    QApplication toolkit(toolkitArgc, toolkitArgv.data());
    // Desktops match the window to quorvan.desktop by this name (its icon, its launcher).
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvan"));
    CQuorvanApp app;
    if (file)
        app.SetCommandLine({QFile::decodeName(file->c_str())});
    return app.Run();
}
