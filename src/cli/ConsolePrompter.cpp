#include "cli/ConsolePrompter.h"

#include <algorithm>

namespace vardo::cli {
namespace {

const char* AnswerText(Answer answer) {
    switch (answer) {
    case Answer::Ok:
        return "OK";
    case Answer::Cancel:
        return "Anuluj";
    case Answer::Yes:
        return "Tak";
    case Answer::No:
        return "Nie";
    case Answer::Retry:
        return "Ponów";
    }
    return "?";
}

bool Offers(Buttons buttons, Answer answer) {
    switch (buttons) {
    case Buttons::Ok:
        return answer == Answer::Ok;
    case Buttons::OkCancel:
        return answer == Answer::Ok || answer == Answer::Cancel;
    case Buttons::YesNo:
        return answer == Answer::Yes || answer == Answer::No;
    case Buttons::YesNoCancel:
        return answer == Answer::Yes || answer == Answer::No || answer == Answer::Cancel;
    case Buttons::RetryCancel:
        return answer == Answer::Retry || answer == Answer::Cancel;
    }
    return false;
}

} // namespace

bool ConsolePrompter::FromArgs(std::vector<std::string>& args, ConsolePrompter& prompter) {
    const bool yes = std::find(args.begin(), args.end(), "--yes") != args.end();
    const bool no = std::find(args.begin(), args.end(), "--no") != args.end();
    std::erase_if(args, [](const std::string& a) { return a == "--yes" || a == "--no"; });
    if (yes && no)
        return false;
    prompter.m_policy = yes ? Policy::Yes : no ? Policy::No : Policy::Default;
    return true;
}

void ConsolePrompter::Message(std::string_view text, Severity severity) {
    const char* prefix = severity == Severity::Error ? "błąd: " : severity == Severity::Warning ? "uwaga: " : "";
    std::fprintf(m_out, "%s%.*s\n", prefix, static_cast<int>(text.size()), text.data());
}

Answer ConsolePrompter::Ask(std::string_view text, Buttons buttons, Answer defaultAnswer) {
    Answer answer = defaultAnswer;
    if (buttons == Buttons::RetryCancel) {
        answer = Answer::Cancel;
    } else if (m_policy == Policy::Yes) {
        answer = Offers(buttons, Answer::Yes) ? Answer::Yes : Answer::Ok;
    } else if (m_policy == Policy::No) {
        answer = Offers(buttons, Answer::No)       ? Answer::No
                 : Offers(buttons, Answer::Cancel) ? Answer::Cancel
                                                   : Answer::Ok;
    }
    if (!Offers(buttons, answer))
        answer = buttons == Buttons::YesNo ? Answer::No : buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    std::fprintf(m_out, "%.*s\n  -> %s\n", static_cast<int>(text.size()), text.data(), AnswerText(answer));
    return answer;
}

} // namespace vardo::cli
