// The toolkit on Qt: the QApplication.
#include "framework/Toolkit.h"
#include "framework/qt/QtWnd.h"

#include <QApplication>

namespace fw {

struct Toolkit::Impl {
    // QApplication keeps the count and the texts for as long as it lives.
    std::vector<std::string> arguments;
    std::vector<char*> argv;
    int argc = 0;
    std::unique_ptr<QApplication> application;

    explicit Impl(std::vector<std::string> given) : arguments(std::move(given))
    {
        if (arguments.empty())
            arguments.push_back("Quorvan");
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        argc = static_cast<int>(arguments.size());
        application = std::make_unique<QApplication>(argc, argv.data());
    }
};

Toolkit::Options Toolkit::CommandLineOptions()
{
    Options options;
    options.withValue = {"-platform",        "-platformpluginpath", "-platformtheme", "-plugin",
                         "-qwindowgeometry", "-qwindowicon",        "-qwindowtitle",  "-session",
                         "-display",         "-geometry",           "-style",         "-stylesheet"};
    options.flags = {"-reverse", "-widgetcount"};
    options.usage = "Qt's own options (-platform, -style, ...) are taken as well.";
    return options;
}

Toolkit::Toolkit(std::vector<std::string> arguments, const std::string& desktopName)
    : m_impl(std::make_unique<Impl>(std::move(arguments)))
{
    QGuiApplication::setDesktopFileName(qt::ToQ(desktopName));
}

Toolkit::~Toolkit() = default;

} // namespace fw
