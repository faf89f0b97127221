// Session scripts: the reader that splits a script into commands (one a line, `#` comments,
// double-quoted strings), the table of commands the `plotwise` command understands, and the
// runner that plays a script against a session, reporting each failure as FILE:LINE: message.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace plotwise::app {

class Session;

// A failed command or expectation; the runner adds the file and line.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Token {
    std::string text;
    bool quoted = false;  // written wholly in double quotes: never a keyword
};

// Splits one line into tokens. Outside quotes, whitespace separates and `#` ends the line.
// Inside quotes, \" \\ and \n stand for a quote, a backslash and a line break. A word ending
// in `=` may be followed directly by a quoted value: `layer="Part A"` is the one word
// `layer=Part A`. Throws ScriptError on a malformed quote.
std::vector<Token> tokenize(std::string_view line);

// The words of one command after its name, with typed, checked access.
class Args {
public:
    Args(std::string command, std::vector<Token> words);

    size_t size() const { return words_.size(); }
    bool empty() const { return words_.empty(); }
    const std::string& command() const { return command_; }
    const Token& token(size_t i) const;
    const std::string& text(size_t i) const { return token(i).text; }
    // True when word i exists, is not quoted and equals the keyword.
    bool is(size_t i, std::string_view keyword) const;
    // A finite 32-bit real, a 32-bit integer or an art id; `what` names it in errors.
    float real(size_t i, std::string_view what) const;
    int32_t integer(size_t i, std::string_view what) const;
    // Fails unless the count of words lies in [min, max].
    void requireCount(size_t min, size_t max) const;
    // The words after the first, named "command first" (for subcommands such as `layer add`).
    Args subcommand() const;

private:
    std::string command_;
    std::vector<Token> words_;
};

using CommandHandler = std::function<void(Session&, const Args&)>;

struct Command {
    std::string name;
    std::string usage;    // e.g. "rect X Y W H"
    std::string summary;  // one line for --help
    CommandHandler run;
};

// Commands by name. Each group of commands adds its rows (documents and art here, the
// event commands in their own file), so adding a group never touches the runner.
class CommandTable {
public:
    void add(Command command);
    const Command* find(std::string_view name) const;
    const std::vector<Command>& all() const { return commands_; }

private:
    std::vector<Command> commands_;
    std::map<std::string, size_t, std::less<>> byName_;
};

// Plays scripts. A failed command stops the script; a failed expectation is reported and
// the script goes on, so one run lists every expectation that does not hold.
class ScriptRunner {
public:
    ScriptRunner(const CommandTable& table, Session& session, std::ostream& errors);

    // Returns the number of failures (0 = success).
    int runFile(const std::string& path);
    int runText(std::string_view text, const std::string& name);

private:
    // False when the script must stop.
    bool runLine(std::string_view line, const std::string& name, int lineNumber);
    void reportUntakenAnswers();

    const CommandTable& table_;
    Session& session_;
    std::ostream& errors_;
    int failures_ = 0;
};

// Thrown by `expect` so the runner can tell a failed expectation from a failed command.
class ExpectationFailed : public ScriptError {
public:
    using ScriptError::ScriptError;
};

}  // namespace plotwise::app
