// The rules every Orvex program's command line follows, on a made-up program "demo": option
// forms, "--", help and version, and the refusals that end with the usage and status 2.
#include "CommandLine.h"

#include "orvex/OrvexVersion.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace {

const char* const kUsage = "usage: demo [--fit] [--size N] [-o OUT] FILE...\n";
using Args = std::initializer_list<const char*>;
using Files = std::vector<std::string>;

// What one run of the parser kept and printed, and its status.
struct Parsed {
    std::optional<int> status;
    std::string out, err;
    bool fit = false;
    std::string size = "unset", output = "unset";
    Files files;
};

std::string ReadBack(std::FILE* file)
{
    std::string text;
    std::rewind(file);
    for (int c; (c = std::fgetc(file)) != EOF;)
        text += static_cast<char>(c);
    std::fclose(file);
    return text;
}

Parsed Parse(Args args)
{
    Parsed run;
    cli::CommandLine line("demo", kUsage);
    line.Flag("--fit", &run.fit);
    line.Value(
        "--size",
        [&run](const std::string& value) {
            run.size = value;
            return !value.empty() && value.find_first_not_of("-0123456789") == std::string::npos;
        },
        "--size needs a number");
    line.Value("-o", &run.output, "-o needs a file name");
    line.Operands([&run](const std::string& file) -> std::string {
        run.files.push_back(file);
        return file == "bad" ? "bad is not a file for demo" : "";
    });
    std::vector<const char*> argv = {"demo"};
    argv.insert(argv.end(), args);
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    run.status = line.Parse(static_cast<int>(argv.size()), argv.data(), out, err);
    run.out = ReadBack(out);
    run.err = ReadBack(err);
    return run;
}

} // namespace

TEST(CommandLine, ValuesFollowTheNameOrAnEqualsSignAndDoubleDashEndsTheOptions)
{
    const struct {
        Args args;
        const char* size;
        const char* output;
        bool fit;
        Files files;
    } cases[] = {
        {{"a.mes", "--size", "12", "-o", "x.png", "--fit", "b.mes"}, "12", "x.png", true, {"a.mes", "b.mes"}},
        {{"--size=12", "-o=x=y.png"}, "12", "x=y.png", false, {}}, // split at the first '='
        // The value is the next argument whatever it looks like; an empty value is a value.
        {{"--size", "-35", "-o", "--fit"}, "-35", "--fit", false, {}},
        {{"-o=", "--size", "1", "--size=2"}, "2", "", false, {}}, // the last value counts
        // "--" ends the options; a lone "-" and everything after "--" are operands.
        {{"-", "--fit", "--", "-o", "--help", "--", ""}, "unset", "unset", true, {"-", "-o", "--help", "--", ""}},
    };
    for (const auto& c : cases) {
        const Parsed run = Parse(c.args);
        SCOPED_TRACE(*c.args.begin());
        EXPECT_EQ(run.status, std::nullopt) << run.err;
        EXPECT_EQ(run.size, c.size);
        EXPECT_EQ(run.output, c.output);
        EXPECT_EQ(run.fit, c.fit);
        EXPECT_EQ(run.files, c.files);
        EXPECT_EQ(run.out + run.err, "");
    }
}

// Help wins over the version, and both over anything wrong elsewhere on the line.
TEST(CommandLine, HelpAndVersionPrintOnTheStandardOutputAndEndWithStatusZero)
{
    const std::string version = std::string("demo ") + ORVEX_VERSION + "\n";
    const struct {
        Args args;
        std::string out;
    } cases[] = {
        {{"a.mes", "-h"}, kUsage},       {{"--help"}, kUsage},
        {{"--version"}, version},        {{"--version", "--help"}, kUsage},
        {{"--bogus", "--help"}, kUsage}, {{"--help", "--size"}, kUsage},
        {{"bad", "--version"}, version},
    };
    for (const auto& c : cases) {
        const Parsed run = Parse(c.args);
        EXPECT_EQ(run.status, 0) << *c.args.begin();
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, "");
    }
}

TEST(CommandLine, RefusalsPrintWhyAndTheUsageOnTheStandardErrorWithStatusTwo)
{
    const struct {
        Args args;
        const char* why;
    } refusals[] = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"-x", "a.mes"}, "unknown option -x"},
        {{"--siz", "1"}, "unknown option --siz"}, // no abbreviations
        {{"a.mes", "--size"}, "--size needs a number"},
        {{"--size", "twelve"}, "--size needs a number"},
        {{"-o"}, "-o needs a file name"},
        {{"--fit=yes"}, "--fit takes no value"},
        {{"--help=all"}, "--help takes no value"},
        {{"bad"}, "bad is not a file for demo"},
        {{"--one", "--two"}, "unknown option --one"}, // the first refusal is told
    };
    for (const auto& r : refusals) {
        const Parsed run = Parse(r.args);
        EXPECT_EQ(run.status, 2) << r.why;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, std::string("demo: ") + r.why + "\n" + kUsage);
    }

    // A refusal the program finds afterwards reads the same; without operands, each is refused.
    cli::CommandLine line("demo", kUsage);
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(line.Refuse("no input file", err), 2);
    const char* argv[] = {"demo", "stray"};
    EXPECT_EQ(line.Parse(2, argv, stdout, err), 2);
    EXPECT_EQ(ReadBack(err),
              std::string("demo: no input file\n") + kUsage + "demo: unexpected argument stray\n" + kUsage);
}
