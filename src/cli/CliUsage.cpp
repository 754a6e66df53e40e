#include "cli/CliUsage.h"

#include <algorithm>

namespace vardo::cli {
namespace {

bool IsGrouping(char c) {
    return c == '[' || c == ']' || c == '(' || c == ')' || c == '|';
}

// Words and single grouping characters, in order.
std::vector<std::string> Tokenize(std::string_view usage) {
    std::vector<std::string> tokens;
    std::string word;
    const auto flush = [&] {
        if (word.ends_with("..."))
            word.resize(word.size() - 3);
        if (!word.empty())
            tokens.push_back(word);
        word.clear();
    };
    for (const char c : usage) {
        if (c == ' ' || c == '\t' || c == '\n') {
            flush();
        } else if (IsGrouping(c)) {
            flush();
            tokens.emplace_back(1, c);
        } else {
            word += c;
        }
    }
    flush();
    return tokens;
}

bool IsWord(const std::string& token) {
    return token.size() != 1 || !IsGrouping(token[0]);
}

} // namespace

bool IsPlaceholder(std::string_view word) {
    bool capital = false;
    for (const char c : word) {
        if (c >= 'A' && c <= 'Z')
            capital = true;
        else if (!(c >= '0' && c <= '9') && c != '-' && c != '_' && c != '.')
            return false;
    }
    return capital && !word.starts_with('-');
}

UsageParts ParseUsage(std::string_view usage) {
    const std::vector<std::string> tokens = Tokenize(usage);
    UsageParts parts;
    const auto addOption = [&](UsageOption option) {
        const bool known = std::any_of(parts.options.begin(), parts.options.end(),
                                       [&](const UsageOption& o) { return o.name == option.name; });
        if (!known)
            parts.options.push_back(std::move(option));
    };
    bool lastWasPositional = false;
    bool afterBar = false;
    // The first word is the command's name.
    std::size_t i = tokens.empty() || !IsWord(tokens.front()) ? 0 : 1;
    for (; i < tokens.size(); ++i) {
        const std::string& token = tokens[i];
        if (!IsWord(token)) {
            afterBar = token == "|";
            continue;
        }
        if (token.starts_with('-')) {
            UsageOption option;
            const std::size_t equals = token.find('=');
            if (equals != std::string::npos) {
                option.name = token.substr(0, equals);
                option.value = token.substr(equals + 1);
            } else {
                option.name = token;
                if (i + 1 < tokens.size() && IsPlaceholder(tokens[i + 1]))
                    option.value = tokens[++i];
            }
            addOption(std::move(option));
            lastWasPositional = false;
        } else if (afterBar && lastWasPositional) {
            parts.positionals.back() += '|' + token;
        } else {
            parts.positionals.push_back(token);
            lastWasPositional = true;
        }
        afterBar = false;
    }
    return parts;
}

} // namespace vardo::cli
