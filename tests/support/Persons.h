#pragma once

// Persons put straight into a register for the tests of the layers above the store.

#include <string_view>

#include <gtest/gtest.h>

#include "core/platform/Prompter.h"
#include "core/store/PublisherDatabase.h"

namespace vardo::test {

/// Appends a person with the next free id at its sorted place and rebuilds the index; returns the id. No
/// change is recorded: this is how the fixture's data was "loaded".
inline PublisherId AddPersonTo(PublisherDatabase& database, std::string_view first, std::string_view last,
                               Prompter& prompter, PublisherCategory category = PublisherCategory::Publisher) {
    PublisherRecord record;
    record.SetFirstName(first);
    record.SetLastName(last);
    record.SetCategory(category);
    record.SetHope('O');
    record.SetId(database.NextFreeId());
    const auto number = database.AppendRecord(record);
    EXPECT_TRUE(number.ok());
    if (number.ok()) {
        EXPECT_TRUE(database.RepositionRecord(number.value(), true, prompter));
    }
    database.RebuildIndex();
    return record.Id();
}

} // namespace vardo::test
