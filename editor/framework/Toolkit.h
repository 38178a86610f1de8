#pragma once
// The toolkit under the framework, started by main before anything else of the framework and
// stopped after everything (one per process).
#include <memory>
#include <string>
#include <vector>

namespace fw {

class Toolkit {
public:
    struct Impl;

    // The toolkit's own command-line options, which the program's parser takes and hands on:
    // those that take a value, those that do not, and a sentence for the program's usage text
    // ("" when the toolkit takes none).
    struct Options {
        std::vector<std::string> withValue;
        std::vector<std::string> flags;
        std::string usage;
    };
    static Options CommandLineOptions();

    // arguments: the program's name, then the toolkit's own options as found on the command
    // line. desktopName: the name desktops match the program's windows by (its .desktop file).
    Toolkit(std::vector<std::string> arguments, const std::string& desktopName);
    ~Toolkit();
    Toolkit(const Toolkit&) = delete;
    Toolkit& operator=(const Toolkit&) = delete;

private:
    std::unique_ptr<Impl> m_impl;
};

} // namespace fw
