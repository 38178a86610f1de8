#pragma once
// The toolkit under the framework, started by main before anything else of the framework and
// stopped after everything (one per process). It takes its own options from the command line.
#include <memory>
#include <string>

namespace fw {

class Toolkit {
public:
    struct Impl;

    // desktopName: the name desktops match the program's windows by (its .desktop file).
    Toolkit(int& argc, char** argv, const std::string& desktopName);
    ~Toolkit();
    Toolkit(const Toolkit&) = delete;
    Toolkit& operator=(const Toolkit&) = delete;

private:
    std::unique_ptr<Impl> m_impl;
};

} // namespace fw
