// Editor tests run inside one QApplication (xcb under Xvfb). The profile goes to a temporary
// folder so no test reads or writes the user's settings, and user messages are recorded.
#include "SceneTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <dlfcn.h>
#include <link.h>

#include <cstring>

namespace {

// Mesa unloads its GL driver when the program's X connection closes, before the leak check at
// exit; the driver's own allocations then show up without names, past the suppressions for
// the system's GL. A reference taken here keeps the driver modules mapped to the end.
void KeepGlDriverLoaded()
{
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            const char* name = info->dlpi_name;
            if (name != nullptr &&
                (std::strstr(name, "/dri/") != nullptr || std::strstr(name, "libgallium") != nullptr)) {
                dlopen(name, RTLD_NOW | RTLD_NOLOAD);
            }
            return 0;
        },
        nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no display: the build lists them outside Xvfb.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0)
            return RUN_ALL_TESTS();
    }
    if (testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();

    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QTemporaryDir profile;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, profile.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, profile.path());
    // Messages for the user are recorded, never shown: a modal box would stop the run.
    RecordUserMessages();
    const int result = RUN_ALL_TESTS();
    KeepGlDriverLoaded();
    return result;
}
