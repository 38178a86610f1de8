// Quorvan, the mesh viewer and editor.
#include "CommandLine.h"
#include "Quorvan.h"
#include "framework/Toolkit.h"

#include <optional>
#include <string>
#include <vector>

namespace {

std::string Usage(const std::string& toolkitOptions)
{
    return "usage: Quorvan [FILE.mes]\n"
           "\n"
           "Opens the mesh scene FILE.mes, or starts with an empty scene.\n" +
           (toolkitOptions.empty() ? std::string() : toolkitOptions + "\n") +
           "\n"
           "  -h, --help  prints this text\n"
           "  --version   prints the version\n";
}

} // namespace

int main(int argc, char** argv)
{
    // The toolkit's own options are handed on to it; the one operand is the file to open.
    const fw::Toolkit::Options toolkitOptions = fw::Toolkit::CommandLineOptions();
    std::vector<std::string> toolkitArguments = {argc > 0 ? argv[0] : "Quorvan"};
    std::optional<std::string> file;
    cli::CommandLine line("Quorvan", Usage(toolkitOptions.usage));
    for (const std::string& name : toolkitOptions.withValue) {
        line.Value(
            name,
            [&toolkitArguments, name](const std::string& value) {
                toolkitArguments.insert(toolkitArguments.end(), {name, value});
                return true;
            },
            name + " needs a value");
    }
    for (const std::string& name : toolkitOptions.flags)
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

    // Desktops match the window to quorvan.desktop by this name (its icon, its launcher).
    fw::Toolkit toolkit(std::move(toolkitArguments), "quorvan");
    CQuorvanApp app;
    if (file)
        app.SetCommandLine({*file});
    return app.Run();
}
