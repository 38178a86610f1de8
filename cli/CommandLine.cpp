#include "CommandLine.h"

#include "orvex/OrvexVersion.h"

#include <utility>

namespace cli {

CommandLine::CommandLine(std::string program, std::string usage) : program(std::move(program)), usage(std::move(usage))
{
}

void CommandLine::Flag(std::string name, bool* on)
{
    Flag(std::move(name), [on] { *on = true; });
}

void CommandLine::Flag(std::string name, std::function<void()> given)
{
    options.push_back({std::move(name), false,
                       [given = std::move(given)](const std::string&) {
                           given();
                           return true;
                       },
                       std::string()});
}

void CommandLine::Value(std::string name, std::function<bool(const std::string&)> take, std::string complaint)
{
    options.push_back({std::move(name), true, std::move(take), std::move(complaint)});
}

void CommandLine::Value(std::string name, std::string* value, std::string complaint)
{
    Value(
        std::move(name),
        [value](const std::string& given) {
            *value = given;
            return true;
        },
        std::move(complaint));
}

void CommandLine::Operands(std::function<std::string(const std::string&)> take)
{
    operands = std::move(take);
}

const CommandLine::Option* CommandLine::Find(const std::string& name) const
{
    for (const Option& option : options) {
        if (option.name == name)
            return &option;
    }
    return nullptr;
}

std::optional<int> CommandLine::Parse(int argc, const char* const* argv, std::FILE* out, std::FILE* err) const
{
    bool help = false;
    bool version = false;
    bool optionsEnded = false;
    // The first refusal is the one told; the rest of the line is still read for help.
    std::string refusal;
    const auto refuse = [&refusal](std::string why) {
        if (refusal.empty())
            refusal = std::move(why);
    };
    const auto argument = [argv](int i) { return std::string(argv[i] != nullptr ? argv[i] : ""); };

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argument(i);
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            if (!operands)
                refuse("unexpected argument " + arg);
            else if (std::string why = operands(arg); !why.empty())
                refuse(std::move(why));
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const bool inlineValue = equals != std::string::npos;
        const std::string name = arg.substr(0, equals);
        const Option* option = Find(name);
        const bool builtIn = name == "-h" || name == "--help" || name == "--version";
        if (option == nullptr && !builtIn) {
            refuse("unknown option " + arg);
        } else if (option == nullptr || !option->takesValue) {
            if (inlineValue)
                refuse(name + " takes no value");
            else if (option != nullptr)
                option->take(std::string());
            else
                (name == "--version" ? version : help) = true;
        } else if (inlineValue) {
            if (!option->take(arg.substr(equals + 1)))
                refuse(option->complaint);
        } else if (i + 1 >= argc) {
            refuse(option->complaint);
        } else if (!option->take(argument(++i))) {
            refuse(option->complaint);
        }
    }

    if (help) {
        std::fputs(usage.c_str(), out);
        return 0;
    }
    if (version) {
        std::fprintf(out, "%s %s\n", program.c_str(), ORVEX_VERSION);
        return 0;
    }
    if (!refusal.empty())
        return Refuse(refusal, err);
    return std::nullopt;
}

int CommandLine::Refuse(const std::string& why, std::FILE* err) const
{
    std::fprintf(err, "%s: %s\n%s", program.c_str(), why.c_str(), usage.c_str());
    return 2;
}

} // namespace cli
