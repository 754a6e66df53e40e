#include "core/registry/UserCategory.h"

#include "core/platform/Strings.h"
#include "core/registry/TextRules.h"

namespace vardo {

UserCategoryPresenter::UserCategoryPresenter(RegistryContext& context)
    : name(context.settings.userCategoryLabel), enabled(context.settings.userCategoryEnabled != 0), m_context(context) {
}

bool UserCategoryPresenter::NeedsMarksChoice() const {
    return TrimmedRight(name) != m_context.settings.userCategoryLabel;
}

int UserCategoryPresenter::MarkedCount() const {
    const PublisherDatabase& database = m_context.database;
    int count = 0;
    for (RecordNumber r = 1; r < database.Count(); ++r)
        count += database.Record(r).InUserCategory() ? 1 : 0;
    return count;
}

std::string UserCategoryPresenter::MarksQuestion() const {
    return FormatArgs(Str(StrId::UserCategoryMarked),
                      {FormatPrintf("%d ", MarkedCount()), m_context.settings.userCategoryLabel});
}

std::string UserCategoryPresenter::KeepMarksText() const {
    return FormatArgs(Str(StrId::UserCategoryRename), {m_context.settings.userCategoryLabel, TrimmedRight(name)});
}

std::string UserCategoryPresenter::ClearMarksText() {
    return std::string(Str(StrId::UserCategoryClearAll));
}

void UserCategoryPresenter::Store(std::optional<Marks> marks) {
    Settings& settings = m_context.settings;
    const std::string entered = TrimmedRight(name);
    const bool renamed = entered != settings.userCategoryLabel;
    const std::string label = renamed ? CutUserCategoryLabel(entered) : settings.userCategoryLabel;
    const bool on = enabled && !label.empty();
    const bool clear = renamed && marks == Marks::Clear && MarkedCount() > 0;
    if (!renamed && on == (settings.userCategoryEnabled != 0))
        return;

    DocumentChange change(m_context.changes, std::string(Str(StrId::UserCategoryChangeName)));
    change.Touch(clear ? DataArea::Settings | DataArea::Register : DataAreas(DataArea::Settings));
    if (clear) {
        PublisherDatabase& database = m_context.database;
        for (RecordNumber r = 1; r < database.Count(); ++r)
            database.Record(r).SetInUserCategory(false);
    }
    settings.userCategoryLabel = label;
    settings.userCategoryEnabled = on ? 1 : 0;
    change.Commit();
}

} // namespace vardo
