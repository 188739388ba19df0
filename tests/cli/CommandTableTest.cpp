// SPDX-License-Identifier: MIT
// The command table against what describes it elsewhere: the usage text's synopses, the man
// page's synopsis and command list, and the bash completion each name exactly its commands
// and their options.
#include "cli/CommandTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace vantrel::cli {
namespace {

using TNames = std::map<std::string, std::set<std::string>>; // command → its options

std::string SourceFile(const std::string& path) {
    std::ifstream in(std::string(VANTREL_SOURCE_DIR) + "/" + path);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_TRUE(in.good() || in.eof()) << path;
    return text.str();
}

// "--frame" for every \-\-frame (man page) or --frame (elsewhere) in the text.
std::set<std::string> OptionsIn(const std::string& text) {
    static const std::regex option(R"((\\-\\-|--)([a-z][a-z-]*))");
    std::set<std::string> found;
    for (auto m = std::sregex_iterator(text.begin(), text.end(), option);
         m != std::sregex_iterator(); ++m)
        found.insert("--" + (*m)[2].str());
    return found;
}

TNames FromTable() {
    TNames names;
    for (const TCommand& command : Commands()) {
        std::set<std::string>& options = names[std::string(command.Name)];
        for (const TOption& option : command.Options)
            options.insert(std::string(option.Name));
    }
    return names;
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The first word of a man-page line after its macro, its hyphens unescaped: ".BI crop " IN OUT""
// gives "crop", ".BR \-h ", " ..." gives "-h".
std::string FirstWord(const std::string& line) {
    std::istringstream in(line);
    std::string macro, word;
    in >> macro >> word;
    word = std::regex_replace(word, std::regex(R"(\\-)"), "-");
    return word;
}

TEST(CommandTable, SynopsesNameTheirOptions) {
    for (const TCommand& command : Commands()) {
        std::set<std::string> options;
        for (const TOption& option : command.Options)
            options.insert(std::string(option.Name));
        EXPECT_EQ(OptionsIn(std::string(command.Synopsis)), options) << command.Name;
        EXPECT_NE(command.Handler, nullptr) << command.Name;
    }
    EXPECT_EQ(FindCommand("-h"), FindCommand("--help"));
    EXPECT_EQ(FindCommand("frobnicate"), nullptr);
}

// The synopsis (.SY "vantrel\-tiff crop" ... .YS, and --help | --version as commands of their
// own) and the list of commands, each with its options in an indented list (.RS ... .RE).
TEST(CommandTable, ManPageNamesEveryCommandAndOption) {
    const std::vector<std::string> lines = LinesOf(SourceFile("man/vantrel-tiff.1"));
    TNames synopsis, described;
    std::string block; // the synopsis block being read: the command, or "" for the program's
    bool inBlock = false, inCommands = false, heading = false;
    int depth = 0;
    std::string command;
    static const std::regex commandBlock(R"re(^\.SY "vantrel\\-tiff (\S+)"$)re");
    for (const std::string& line : lines) {
        std::smatch m;
        if (std::regex_match(line, m, commandBlock)) {
            inBlock = true;
            block = m[1];
            synopsis[block];
        } else if (line == R"(.SY vantrel\-tiff)") {
            inBlock = true;
            block.clear();
        } else if (line == ".YS") {
            inBlock = false;
        } else if (inBlock) {
            for (const std::string& option : OptionsIn(line))
                block.empty() ? (void)synopsis[option] : (void)synopsis[block].insert(option);
        }

        if (line.starts_with(".SH"))
            inCommands = line == ".SH COMMANDS";
        if (!inCommands)
            continue;
        if (line == ".RS")
            ++depth;
        else if (line == ".RE")
            --depth;
        else if (heading && depth == 0) {
            const TCommand* c = FindCommand(FirstWord(line));
            ASSERT_NE(c, nullptr) << line;
            command = c->Name;
            described[command];
        } else if (heading && depth == 1) {
            for (const std::string& option : OptionsIn(line))
                described[command].insert(option);
        }
        heading = line == ".TP";
    }
    EXPECT_EQ(synopsis, FromTable());
    EXPECT_EQ(described, FromTable());
}

// Each command's options in the array `options`, the commands offered first, and the options
// whose value is typed or a folder (the `case $prev` arms) are those that take a value.
TEST(CommandTable, BashCompletionNamesEveryCommandAndOption) {
    const std::string script = SourceFile("resources/bash-completion/vantrel-tiff");
    TNames completed;
    static const std::regex row(R"re(^\s*\[([a-z]+)\]="([^"]*)"$)re");
    static const std::regex first(R"re(compgen -W "\$\{!options\[\*\]\} ([^"]*)")re");
    static const std::regex arm(R"(^\s*(--[a-z|\s-]+)\)$)");
    std::set<std::string> valued;
    for (const std::string& line : LinesOf(script)) {
        std::smatch m;
        if (std::regex_match(line, m, row))
            completed[m[1]] = OptionsIn(m[2]);
        else if (std::regex_search(line, m, first))
            for (const std::string& command : OptionsIn(m[1]))
                completed[command];
        else if (std::regex_match(line, m, arm))
            for (const std::string& option : OptionsIn(m[1]))
                valued.insert(option);
    }
    EXPECT_EQ(completed, FromTable());

    std::set<std::string> takeValues;
    for (const TCommand& command : Commands())
        for (const TOption& option : command.Options)
            if (option.TakesValue())
                takeValues.insert(std::string(option.Name));
    EXPECT_EQ(valued, takeValues);
}

} // namespace
} // namespace vantrel::cli
