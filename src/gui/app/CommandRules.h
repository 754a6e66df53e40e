#pragma once

// Which document commands are enabled, from the state of the document.

namespace vardo {

/// The facts the enabling rules look at.
struct DocumentFacts {
    bool pastMonthMode = false;
    bool modified = false;
    int persons = 0;        ///< persons in the register
    int deletedPersons = 0; ///< persons on the deleted list
};

/// True when the document command `id` is enabled. Commands without a rule of their own are enabled.
bool DocumentCommandEnabled(int id, const DocumentFacts& facts);

} // namespace vardo
