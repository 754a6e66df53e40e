#include "core/exchange/XmlPath.h"

#include <string>
#include <vector>

namespace vardo::xml {
namespace {

/// One step of a path: a name ("*" or empty for any) with at most one test.
struct PathStep {
    std::string_view name;
    std::size_t position = 0; ///< [n], from 1; 0 = no position test
    std::string_view attribute;
    std::string_view value;
    bool testValue = false;
};

bool ParseStep(std::string_view text, PathStep& step) {
    const std::size_t bracket = text.find('[');
    step.name = text.substr(0, bracket);
    if (bracket == std::string_view::npos)
        return true;
    if (text.back() != ']' || text.size() - bracket < 3)
        return false;
    std::string_view test = text.substr(bracket + 1, text.size() - bracket - 2);
    if (test[0] == '@') {
        const std::size_t equals = test.find('=');
        step.attribute = test.substr(1, equals == std::string_view::npos ? std::string_view::npos : equals - 1);
        if (step.attribute.empty())
            return false;
        if (equals != std::string_view::npos) {
            std::string_view quoted = test.substr(equals + 1);
            if (quoted.size() < 2 || (quoted[0] != '\'' && quoted[0] != '"') || quoted.back() != quoted[0])
                return false;
            step.value = quoted.substr(1, quoted.size() - 2);
            step.testValue = true;
        }
        return true;
    }
    std::size_t position = 0;
    for (char c : test) {
        if (c < '0' || c > '9' || position > 100000000)
            return false;
        position = position * 10 + static_cast<std::size_t>(c - '0');
    }
    step.position = position;
    return position != 0;
}

bool StepMatches(const Tree& tree, XmlIndex i, const PathStep& step) {
    if (!tree.Matches(i, step.name))
        return false;
    if (step.attribute.empty())
        return true;
    std::string value;
    return tree.FindAttribute(i, step.attribute, &value) && (!step.testValue || value == step.value);
}

/// Whether i is the step's position-th match among its siblings (or the step has no position test).
bool AtPosition(const Tree& tree, XmlIndex i, const PathStep& step) {
    if (step.position == 0)
        return true;
    std::size_t count = 0;
    for (XmlIndex s = tree[tree[i].parent].firstChild; s != 0; s = tree[s].next) {
        if (StepMatches(tree, s, step))
            ++count;
        if (s == i)
            return count == step.position;
    }
    return false;
}

bool Satisfies(const Tree& tree, XmlIndex i, const PathStep& step) {
    return StepMatches(tree, i, step) && AtPosition(tree, i, step);
}

} // namespace

PathMatch FindPath(const Tree& tree, XmlIndex parent, XmlIndex main, std::string_view path) {
    if (path.starts_with("//")) {
        PathStep step;
        if (!ParseStep(path.substr(2), step) || step.name.find('/') != std::string_view::npos)
            return {};
        XmlIndex i = main != 0 ? tree.NextInDocument(main) : tree[parent].firstChild;
        if (main == 0 && i == 0 && parent != 0)
            i = tree.NextInDocument(parent);
        for (; i != 0; i = tree.NextInDocument(i))
            if (Satisfies(tree, i, step))
                return {tree[i].parent, i};
        return {};
    }

    const XmlIndex start = parent;
    if (path.starts_with('/')) {
        parent = 0;
        path.remove_prefix(1);
    }
    std::vector<PathStep> steps;
    while (true) {
        const std::size_t slash = path.find('/');
        PathStep step;
        if (!ParseStep(path.substr(0, slash), step))
            return {};
        steps.push_back(step);
        if (slash == std::string_view::npos)
            break;
        path.remove_prefix(slash + 1);
    }
    for (std::size_t s = 0; s + 1 < steps.size(); ++s) {
        XmlIndex found = 0;
        for (XmlIndex i = tree[parent].firstChild; i != 0 && found == 0; i = tree[i].next)
            if (Satisfies(tree, i, steps[s]))
                found = i;
        if (found == 0)
            return {};
        parent = found;
    }
    const PathStep& last = steps.back();
    const bool continuing = parent == start && main != 0;
    for (XmlIndex i = continuing ? tree[main].next : tree[parent].firstChild; i != 0; i = tree[i].next)
        if (Satisfies(tree, i, last))
            return {parent, i};
    return {};
}

} // namespace vardo::xml
