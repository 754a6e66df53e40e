# Turns a program's --help text into parts of a roff manual page and fills them into a template.
# Variables: help_file (the --help text), kinds_file (report kinds: name TAB number TAB "group" or nothing; may be
# empty), version, date. Files: help_file, kinds_file, then the template.
#
# The --help text: "Usage: ..." (continued by indented lines) gives the synopsis; a line "Title:" opens a
# section; in it "  TERM  TEXT" (two or more spaces apart) is one entry, a line indented deeper continues the
# text, and a term with no text on its line takes the lines below it.
# The template's lines "@SYNOPSIS@", "@SECTIONS@" and "@REPORT_KINDS@" are replaced by those parts;
# "@VERSION@" and "@DATE@" anywhere by the variables.

function escape(text) {
    gsub(/\\/, "\\e", text)
    return text
}

# Options get real minus signs (so that they can be searched for and pasted); hyphens inside words stay hyphens.
function minus(word) {
    if (word ~ /^-/)
        gsub(/-/, "\\-", word)
    return word
}

# A description: plain text with its options set as options.
function text_roff(text, n, words, i, out) {
    n = split(escape(text), words, " ")
    out = ""
    for (i = 1; i <= n; i++)
        out = out (i > 1 ? " " : "") minus(words[i])
    return out
}

# A usage or a term: options and command words in bold, placeholders in italics, grouping characters plain.
function usage_roff(text, n, words, i, word, lead, tail, core, out, font) {
    n = split(escape(text), words, " ")
    out = ""
    for (i = 1; i <= n; i++) {
        word = words[i]
        lead = ""
        tail = ""
        if (match(word, /^[[(|]+/)) {
            lead = substr(word, 1, RLENGTH)
            word = substr(word, RLENGTH + 1)
        }
        if (match(word, /[])|,.]+$/)) {
            tail = substr(word, RSTART)
            word = substr(word, 1, RSTART - 1)
        }
        if (word == "")
            core = ""
        else if (word ~ /^[A-Z0-9_.-]+$/ && word ~ /[A-Z]/)
            core = "\\fI" word "\\fR"
        else {
            # Long lists of alternatives may break after each bar.
            core = minus(word)
            gsub(/\|/, "|\\\\:", core)
            core = "\\fB" core "\\fR"
        }
        out = out (i > 1 ? " " : "") lead core tail
    }
    return out
}

function flush_entry() {
    if (term == "")
        return
    sections = sections ".TP\n" usage_roff(term) "\n" text_roff(body) "\n"
    term = ""
    body = ""
}

function safe_line(line) {
    return line ~ /^[.']/ ? "\\&" line : line
}

# The --help text.
FILENAME == help_file && /^Usage: / {
    synopsis = substr($0, 8)
    in_usage = 1
    next
}
FILENAME == help_file && in_usage && /^ +[^ ]/ {
    line = $0
    sub(/^ +/, "", line)
    synopsis = synopsis " " line
    next
}
FILENAME == help_file && /^[A-Z][^:]*:$/ {
    flush_entry()
    in_usage = 0
    title = toupper(substr($0, 1, length($0) - 1))
    sections = sections ".SH " escape(title) "\n"
    next
}
FILENAME == help_file && /^  [^ ]/ && title != "" {
    flush_entry()
    line = substr($0, 3)
    if (match(line, /  +/)) {
        term = substr(line, 1, RSTART - 1)
        body = substr(line, RSTART + RLENGTH)
    } else {
        term = line
        body = ""
    }
    next
}
FILENAME == help_file && /^   +[^ ]/ && term != "" {
    line = $0
    sub(/^ +/, "", line)
    body = body (body == "" ? "" : " ") line
    next
}
FILENAME == help_file {
    in_usage = 0
    flush_entry()
    next
}

# The report kinds.
FILENAME == kinds_file {
    split($0, field, "\t")
    kinds = kinds "\\fB" minus(escape(field[1])) "\\fR" (field[2] == "" ? "" : "\t" field[2])
    if (field[3] == "group")
        kinds = kinds "\tfor one group: \\fB\\-\\-group\\fR \\fIN\\fR"
    kinds = kinds "\n"
    next
}

# The template.
{
    flush_entry()
    gsub(/@VERSION@/, version)
    gsub(/@DATE@/, date)
    if ($0 == "@SYNOPSIS@") {
        name = synopsis
        sub(/ .*/, "", name)
        rest = substr(synopsis, length(name) + 2)
        printf ".B %s\n%s\n", minus(escape(name)), safe_line(usage_roff(rest))
    } else if ($0 == "@SECTIONS@") {
        printf "%s", sections
    } else if ($0 == "@REPORT_KINDS@") {
        printf ".PP\n.nf\n.ta 26n 32n\n%s.fi\n", kinds
    } else {
        print
    }
}
