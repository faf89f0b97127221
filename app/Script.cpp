// The session-script reader and runner: tokenizing, typed arguments, the command table and
// the loop that plays a script line by line.
#include "Script.h"
#include "Session.h"

#include <charconv>
#include <cmath>
#include <new>
#include <ostream>

#include "io/AtomicFile.h"
#include "text/Encoding.h"

namespace plotwise::app {

namespace {

// A script is text: a control character (a NUL byte above all, which would cut every
// message that quotes it short) is refused with its place.
void refuseControlCharacters(std::string_view line) {
    for (size_t i = 0; i < line.size(); ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (c >= 0x20 && c != 0x7F) continue;
        if (c == '\t' || c == '\r' || c == '\n') continue;
        static constexpr char kHex[] = "0123456789ABCDEF";
        const std::string what = c == 0 ? std::string("a NUL byte")
                                        : std::string("the control character 0x") + kHex[c >> 4] + kHex[c & 15];
        throw ScriptError("column " + std::to_string(i + 1) + " holds " + what + "; a script holds only text");
    }
}

// The UTF-8 byte-order mark some editors put at the start of a file: skipped there, and
// named anywhere else, where it would make an unknown word that looks like a known one.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void refuseByteOrderMark(std::string_view line) {
    if (const size_t at = line.find(kByteOrderMark); at != std::string_view::npos)
        throw ScriptError("column " + std::to_string(at + 1) +
                          " holds an invisible byte-order mark (U+FEFF); only the start of a script may");
}

}  // namespace

std::vector<Token> tokenize(std::string_view line) {
    refuseControlCharacters(line);
    refuseByteOrderMark(line);
    std::vector<Token> tokens;
    size_t i = 0;
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (i < line.size()) {
        if (space(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '#') break;
        Token token;
        // A bare word, which may end in `=` followed directly by a quoted value (`layer="A B"`).
        while (i < line.size() && !space(line[i]) && line[i] != '"') token.text += line[i++];
        if (i < line.size() && line[i] == '"') {
            const bool attached = !token.text.empty();
            if (attached && token.text.back() != '=')
                throw ScriptError("unexpected quote after \"" + token.text + "\"");
            token.quoted = !attached;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\' || line[i] == 'n')) {
                    token.text += line[i] == 'n' ? '\n' : line[i];
                    ++i;
                    continue;
                }
                token.text += c;
            }
            if (!closed) throw ScriptError("unterminated quoted string");
            if (i < line.size() && !space(line[i]) && line[i] != '#')
                throw ScriptError("a quoted string must be followed by a space");
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

Args::Args(std::string command, std::vector<Token> words) : command_(std::move(command)), words_(std::move(words)) {}

const Token& Args::token(size_t i) const {
    if (i >= words_.size()) throw ScriptError(command_ + ": missing argument " + std::to_string(i + 1));
    return words_[i];
}

bool Args::is(size_t i, std::string_view keyword) const {
    return i < words_.size() && !words_[i].quoted && words_[i].text == keyword;
}

float Args::real(size_t i, std::string_view what) const {
    const std::string& s = text(i);
    float value = 0;
    const char* end = s.data() + s.size();
    const char* begin = s.data();
    if (begin != end && *begin == '+') ++begin;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec == std::errc::result_out_of_range && ptr == end)
        throw ScriptError(command_ + ": " + std::string(what) + " " + s +
                          " is beyond what a 32-bit real holds (about 3.4e38 either way)");
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        throw ScriptError(command_ + ": " + std::string(what) + " must be a number, not \"" + s + "\"");
    return value;
}

int32_t Args::integer(size_t i, std::string_view what) const {
    const std::string& s = text(i);
    int32_t value = 0;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec == std::errc::result_out_of_range && ptr == s.data() + s.size())
        throw ScriptError(command_ + ": " + std::string(what) + " " + s + " is too " +
                          (s.front() == '-' ? "small (at least -2147483648)" : "large (at most 2147483647)"));
    if (ec != std::errc() || ptr != s.data() + s.size())
        throw ScriptError(command_ + ": " + std::string(what) + " must be a whole number, not \"" + s + "\"");
    return value;
}

void Args::requireCount(size_t min, size_t max) const {
    if (words_.size() < min || words_.size() > max) {
        std::string expected = min == max ? std::to_string(min) : std::to_string(min) + " to " + std::to_string(max);
        throw ScriptError(command_ + ": expected " + expected + " argument" + (max == 1 ? "" : "s") + ", got " +
                          std::to_string(words_.size()));
    }
}

Args Args::subcommand() const {
    const Token& first = token(0);
    return Args(command_ + " " + first.text, std::vector<Token>(words_.begin() + 1, words_.end()));
}

void CommandTable::add(Command command) {
    const std::string name = command.name;
    if (auto it = byName_.find(name); it != byName_.end()) {
        commands_[it->second] = std::move(command);
        return;
    }
    byName_.emplace(name, commands_.size());
    commands_.push_back(std::move(command));
}

const Command* CommandTable::find(std::string_view name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : &commands_[it->second];
}

ScriptRunner::ScriptRunner(const CommandTable& table, Session& session, std::ostream& errors)
    : table_(table), session_(session), errors_(errors) {
    session_.setWarnings(errors_);
}

int ScriptRunner::runFile(const std::string& path) {
    std::string text, error;
    if (!standin::io::readWholeFile(path, standin::io::kScriptFile, text, error)) {
        errors_ << error << '\n';
        return ++failures_;
    }
    return runText(text, path);
}

int ScriptRunner::runText(std::string_view text, const std::string& name) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    int lineNumber = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        ++lineNumber;
        if (!runLine(text.substr(start, end - start), name, lineNumber)) return failures_;
        start = end + 1;
    }
    reportUntakenAnswers();
    return failures_;
}

// A script played to its end has given answers for every dialog and alert it meant to meet:
// one left over is a dialog that never opened, reported at the line that gave it.
void ScriptRunner::reportUntakenAnswers() {
    if (!session_.hasEvents()) return;
    const standin::DialogManager& dialogs = session_.events().dialogs();
    for (const standin::ModalAnswer& a : dialogs.modalAnswers()) {
        errors_ << a.origin << ": answer: no dialog \"" << standin::text::platformToUtf8(a.dialog)
                << "\" opened to take this answer\n";
        ++failures_;
    }
    for (const standin::AlertAnswer& a : dialogs.alertAnswers()) {
        errors_ << a.origin << ": answer: no alert was shown to take this answer\n";
        ++failures_;
    }
}

bool ScriptRunner::runLine(std::string_view line, const std::string& name, int lineNumber) {
    const auto report = [&](const std::string& message) {
        errors_ << name << ':' << lineNumber << ": " << message << '\n';
        ++failures_;
    };
    // A plug-in that ran out of memory in its part of the command (a notification it
    // answered, say) left its work unfinished: the run goes no further, and says why in words
    // whatever else the command reports.
    const uint64_t outOfMemory = session_.hasEvents() ? session_.events().outOfMemoryAnswers() : 0;
    const auto pluginsRanOut = [&] {
        return session_.hasEvents() && session_.events().outOfMemoryAnswers() != outOfMemory;
    };
    constexpr const char* kPluginsRanOut = "there was not enough memory for the plug-ins to finish the command";
    try {
        std::vector<Token> tokens = tokenize(line);
        if (tokens.empty()) return true;
        if (tokens.front().quoted) throw ScriptError("a command name cannot be quoted");
        const Command* command = table_.find(tokens.front().text);
        if (!command) throw ScriptError("unknown command \"" + tokens.front().text + "\"");
        std::string commandName = tokens.front().text;
        tokens.erase(tokens.begin());
        session_.setWhere(name + ':' + std::to_string(lineNumber));
        command->run(session_, Args(std::move(commandName), std::move(tokens)));
        if (pluginsRanOut()) {
            report(kPluginsRanOut);
            return false;
        }
        return true;
    } catch (const ExpectationFailed& e) {
        report(e.what());
        return true;
    } catch (const std::bad_alloc&) {
        report("there was not enough memory to carry out the command");
        return false;
    } catch (const std::exception& e) {
        report(pluginsRanOut() ? kPluginsRanOut : e.what());
        return false;
    }
}

}  // namespace plotwise::app
