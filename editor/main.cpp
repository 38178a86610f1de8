// Quorvan, the mesh viewer and editor.
#include "Quorvan.h"

#include "framework/Toolkit.h"
#include "orvex/OrvexVersion.h"

#include <cstdio>
#include <cstring>

namespace {

const char* const kUsage = "usage: Quorvan [FILE.mes]\n"
                           "\n"
                           "Opens the mesh scene FILE.mes, or starts with an empty scene. Qt's own options\n"
                           "(-platform, -style, ...) are taken as well.\n"
                           "\n"
                           "  -h, --help  prints this text\n"
                           "  --version   prints the version\n";

} // namespace

int main(int argc, char** argv)
{
    // Answered before the toolkit starts, so that they work without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Quorvan %s\n", ORVEX_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    // Desktops match the window to quorvan.desktop by this name (its icon, its launcher).
    fw::Toolkit toolkit(argc, argv, "quorvan");
    CQuorvanApp app;
    return app.Run();
}
