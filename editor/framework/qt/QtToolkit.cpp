// The toolkit on Qt: the QApplication.
#include "framework/Toolkit.h"
#include "framework/qt/QtWnd.h"

#include <QApplication>

namespace fw {

struct Toolkit::Impl {
    QApplication application;
    Impl(int& argc, char** argv) : application(argc, argv) {}
};

Toolkit::Toolkit(int& argc, char** argv, const std::string& desktopName) : m_impl(std::make_unique<Impl>(argc, argv))
{
    QGuiApplication::setDesktopFileName(qt::ToQ(desktopName));
}

Toolkit::~Toolkit() = default;

} // namespace fw
