// The command line of every Orvex program (Orvex, Quorvan, orvex-convert, orvex-info,
// orvex-render), read by one set of rules:
//
//  - An option with a value takes it as "--name value" or "--name=value". The value is the
//    next argument whatever it starts with, so "--turn -35" turns by -35 degrees.
//  - Options and other arguments (operands) may come in any order; "--" ends the options,
//    and a lone "-" is an operand.
//  - "-h"/"--help" prints the usage and "--version" prints "PROGRAM VERSION", both on the
//    standard output, and the program ends with status 0. Help wins over the version, and
//    both win over anything else wrong on the line.
//  - An unknown option, an option without its value, a value or operand the program refuses
//    and a flag given a value print "PROGRAM: why" and the usage on the standard error, and
//    the program ends with status 2.
#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace cli {

class CommandLine {
public:
    // `usage` is the whole text --help prints, ending in a newline.
    CommandLine(std::string program, std::string usage);

    // An option without a value, such as "--fit": `*on` becomes true when it is given.
    void Flag(std::string name, bool* on);
    // An option without a value: `given` runs each time it is given.
    void Flag(std::string name, std::function<void()> given);
    // An option with a value. `take` keeps the value and returns false when it refuses it;
    // `complaint` ("--size needs WIDTHxHEIGHT") is the refusal then, and when the value is
    // missing.
    void Value(std::string name, std::function<bool(const std::string&)> take, std::string complaint);
    // An option whose value is kept as it is, whatever it is.
    void Value(std::string name, std::string* value, std::string complaint);
    // Each operand in order: `take` returns "" when it keeps it, otherwise why it is refused.
    // Without it, every operand is refused.
    void Operands(std::function<std::string(const std::string&)> take);

    // Reads argv[1] to argv[argc - 1]. Empty when the program goes on; otherwise the status
    // it ends with, after help or the version on `out` (0) or a refusal on `err` (2).
    std::optional<int> Parse(int argc, const char* const* argv, std::FILE* out = stdout, std::FILE* err = stderr) const;
    // A refusal the program finds once the line is read (a missing operand, options that do
    // not go together): "PROGRAM: why" and the usage on `err`. Returns 2.
    int Refuse(const std::string& why, std::FILE* err = stderr) const;

    const std::string& Usage() const { return usage; }

private:
    struct Option {
        std::string name;
        bool takesValue;
        std::function<bool(const std::string&)> take;
        std::string complaint;
    };

    const Option* Find(const std::string& name) const;

    std::string program;
    std::string usage;
    std::vector<Option> options;
    std::function<std::string(const std::string&)> operands;
};

} // namespace cli
