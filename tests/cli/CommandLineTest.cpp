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

// What one run of the parser kept, printed and returned.
struct Parsed {
    std::optional<int> status;
    std::string out, err;
    bool fit = false;
    std::string size = "unset", output = "unset";
    std::vector<std::string> files;
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

Parsed Parse(std::initializer_list<const char*> args)
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
        if (file == "bad")
            return "bad is not a file for demo";
        run.files.push_back(file);
        return "";
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

using Files = std::vector<std::string>;

} // namespace

TEST(CommandLine, ValuesFollowTheNameOrAnEqualsSignAndOptionsMixWithOperands)
{
    const Parsed spaced = Parse({"a.mes", "--size", "12", "-o", "x.png", "--fit", "b.mes"});
    EXPECT_EQ(spaced.status, std::nullopt) << spaced.err;
    EXPECT_EQ(spaced.size, "12");
    EXPECT_EQ(spaced.output, "x.png");
    EXPECT_TRUE(spaced.fit);
    EXPECT_EQ(spaced.files, (Files{"a.mes", "b.mes"}));
    EXPECT_EQ(spaced.out + spaced.err, "");

    const Parsed joined = Parse({"--size=12", "-o=x=y.png", "a.mes"});
    EXPECT_EQ(joined.status, std::nullopt) << joined.err;
    EXPECT_EQ(joined.size, "12");
    EXPECT_EQ(joined.output, "x=y.png"); // split at the first '='
    EXPECT_FALSE(joined.fit);

    // The value is the next argument whatever it looks like; an empty value is a value.
    const Parsed dashed = Parse({"--size", "-35", "-o", "--fit"});
    EXPECT_EQ(dashed.status, std::nullopt) << dashed.err;
    EXPECT_EQ(dashed.size, "-35");
    EXPECT_EQ(dashed.output, "--fit");
    EXPECT_FALSE(dashed.fit);
    EXPECT_EQ(Parse({"-o="}).output, "");
    // A later value replaces an earlier one.
    EXPECT_EQ(Parse({"--size", "1", "--size=2"}).size, "2");
}

TEST(CommandLine, DoubleDashEndsTheOptionsAndALoneDashIsAnOperand)
{
    const Parsed run = Parse({"-", "--fit", "--", "--size", "-o", "--help", "--", ""});
    EXPECT_EQ(run.status, std::nullopt) << run.err;
    EXPECT_TRUE(run.fit);
    EXPECT_EQ(run.size, "unset");
    EXPECT_EQ(run.files, (Files{"-", "--size", "-o", "--help", "--", ""}));
    EXPECT_EQ(run.out, "");
}

TEST(CommandLine, HelpAndVersionPrintOnTheStandardOutputAndEndWithStatusZero)
{
    for (const char* help : {"-h", "--help"}) {
        const Parsed run = Parse({"a.mes", help});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, kUsage);
        EXPECT_EQ(run.err, "");
    }
    const Parsed version = Parse({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("demo ") + ORVEX_VERSION + "\n");
    EXPECT_EQ(version.err, "");

    // Help wins over the version, and both over anything wrong elsewhere on the line.
    EXPECT_EQ(Parse({"--version", "--help"}).out, kUsage);
    EXPECT_EQ(Parse({"--help", "--version"}).out, kUsage);
    for (const auto& args :
         {std::initializer_list<const char*>{"--bogus", "--help"}, {"--help", "--size"}, {"bad", "-h"}}) {
        const Parsed run = Parse(args);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, kUsage);
        EXPECT_EQ(run.err, "");
    }
    const Parsed bogusVersion = Parse({"--size=x", "--version"});
    EXPECT_EQ(bogusVersion.status, 0);
    EXPECT_EQ(bogusVersion.err, "");
}

TEST(CommandLine, RefusalsPrintWhyAndTheUsageOnTheStandardErrorWithStatusTwo)
{
    const struct {
        std::initializer_list<const char*> args;
        const char* why;
    } refusals[] = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"-x", "a.mes"}, "unknown option -x"},
        {{"--bogus=1"}, "unknown option --bogus=1"},
        {{"--siz", "1"}, "unknown option --siz"}, // no abbreviations
        {{"a.mes", "--size"}, "--size needs a number"},
        {{"--size", "twelve"}, "--size needs a number"},
        {{"--size="}, "--size needs a number"},
        {{"-o"}, "-o needs a file name"},
        {{"--fit=yes"}, "--fit takes no value"},
        {{"--help=all"}, "--help takes no value"},
        {{"bad"}, "bad is not a file for demo"},
        // The first refusal is the one told.
        {{"--one", "--two"}, "unknown option --one"},
    };
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.why);
        const Parsed run = Parse(r.args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, std::string("demo: ") + r.why + "\n" + kUsage);
    }
}

TEST(CommandLine, RefusalsFoundAfterTheLineIsReadAndOperandsNobodyTakes)
{
    cli::CommandLine line("demo", kUsage);
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(line.Refuse("no input file", err), 2);
    EXPECT_EQ(ReadBack(err), std::string("demo: no input file\n") + kUsage);

    // A program without operands refuses every one.
    const char* argv[] = {"demo", "stray"};
    std::FILE* out = std::tmpfile();
    err = std::tmpfile();
    EXPECT_EQ(line.Parse(2, argv, out, err), 2);
    EXPECT_EQ(ReadBack(out), "");
    EXPECT_EQ(ReadBack(err), std::string("demo: unexpected argument stray\n") + kUsage);
}
