// Start-up's path rules: the argument text after the program's name, the quotes taken
// out, the current directory out of its buffer. Each against a plain reference, and the
// argument text also against command lines built from a known program and argument.
#include <cstdint>
#include <string>

#include "core/app/command_line.h"
#include "fuzz/fuzz_input.h"

using namespace quillet;
using namespace quillet::fuzz;

namespace {

bool Blank(char c) {
    return c == ' ' || c == '\t';
}

std::string RefArgumentText(const std::string& line) {
    size_t i = 0;
    if (line.rfind('"', 0) == 0) {
        const size_t close = line.find('"', 1);
        i = close == std::string::npos ? line.size() : close + 1;
    } else {
        i = std::min(line.find(' '), line.find('\t'));
        i = i == std::string::npos ? line.size() : i;
    }
    const size_t arg = line.find_first_not_of(" \t", i);
    return arg == std::string::npos ? std::string() : line.substr(arg);
}

std::string Without(std::string s, const char* chars) {
    std::string out;
    for (char c : s) {
        if (std::string(chars).find(c) == std::string::npos) {
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in(data, size);
    const uint32_t count = in.U32();
    const size_t split = in.Byte();
    const std::string line = in.Rest();

    const std::string argumentText = ArgumentText(line);
    FUZZ_CHECK(argumentText == RefArgumentText(line));
    FUZZ_CHECK(argumentText.empty() || !Blank(argumentText[0]));
    const std::string unquoted = RemoveQuotes(line);
    FUZZ_CHECK(unquoted == Without(line, "\""));
    FUZZ_CHECK(CurrentDirectoryFrom(line, count) ==
               line.substr(0, std::min<size_t>(count, line.size())));

    // A program name (bare, or quoted and then holding blanks), blanks, an argument that
    // doesn't start with a blank: the argument comes back exactly.
    const std::string head = line.substr(0, std::min(split, line.size()));
    std::string argument = line.substr(head.size());
    argument.erase(0, std::min(argument.find_first_not_of(" \t"), argument.size()));
    const std::string bare = Without(head, " \t\"");
    const std::string quoted = "\"" + Without(head, "\"") + "\"";
    const std::string blanks = (split & 1) != 0 ? " \t " : " ";
    if (!bare.empty()) {
        FUZZ_CHECK(ArgumentText(bare + blanks + argument) == argument);
    }
    FUZZ_CHECK(ArgumentText(quoted + blanks + argument) == argument);
    FUZZ_CHECK(ArgumentText(quoted + argument) == argument);
    return 0;
}
