#include "core/reporting/StatusViews.h"

#include <functional>
#include <string>

#include "core/platform/Strings.h"
#include "core/registry/PublisherEditor.h"
#include "core/reporting/ReportRules.h"

namespace vardo {
namespace {

using LineMaker = std::function<bool(const PublisherRecord&, StatusLine&)>;

bool InGroup(const PublisherRecord& person, int group) {
    return group == 0 || person.Group() == group;
}

std::string Phones(const PublisherRecord& person) {
    std::string text;
    for (const std::string& phone : {person.Phone1(), person.Phone2(), person.Phone3()}) {
        if (phone.empty())
            continue;
        if (!text.empty())
            text += ", ";
        text += phone;
    }
    return text;
}

std::string IsoDate(std::string_view recordDate) {
    const std::string iso = RecordDateToIso(recordDate);
    return iso.empty() ? std::string(recordDate) : iso;
}

// Months of the twelve up to the working month: index → slot.
YearSlot SlotOfChosenMonth(const StatusBasis& basis, MonthIndex month) {
    return basis.month.SlotOf(month);
}

std::string YearAndMonth(int year, int month) {
    return std::to_string(year) + " " + std::string(MonthName(month - 1));
}

bool HoldsPrivilege(const PublisherRecord& p, PrivilegeChoice privilege, const StatusBasis& basis) {
    const WalkMonth now = MonthBack(basis.month, 0);
    switch (privilege) {
    case PrivilegeChoice::Servants:
        return p.GetAppointment() == Appointment::MinisterialServant;
    case PrivilegeChoice::Elders:
        return p.GetAppointment() == Appointment::Elder;
    case PrivilegeChoice::RegularPioneers:
        return p.Pioneer(now.month, now.slot) == PioneerCode::Regular;
    case PrivilegeChoice::ContinuousAuxiliary:
        return p.IsContinuousAuxiliary();
    case PrivilegeChoice::SpecialPioneers:
        return p.Pioneer(now.month, now.slot) == PioneerCode::Special;
    case PrivilegeChoice::SpecialFullTime:
        return p.IsSpecialFullTime();
    case PrivilegeChoice::FieldMissionaries:
        return p.IsFieldMissionary();
    }
    return false;
}

std::uint16_t PrivilegeType(PrivilegeChoice privilege) {
    switch (privilege) {
    case PrivilegeChoice::Servants:
        return static_cast<std::uint16_t>(AppointmentType::MinisterialServant);
    case PrivilegeChoice::Elders:
        return static_cast<std::uint16_t>(AppointmentType::Elder);
    case PrivilegeChoice::RegularPioneers:
        return static_cast<std::uint16_t>(AppointmentType::RegularPioneer);
    case PrivilegeChoice::ContinuousAuxiliary:
        return static_cast<std::uint16_t>(AppointmentType::ContinuousAuxiliaryPioneer);
    case PrivilegeChoice::SpecialPioneers:
        return static_cast<std::uint16_t>(AppointmentType::SpecialPioneer);
    case PrivilegeChoice::FieldMissionaries:
        return static_cast<std::uint16_t>(AppointmentType::FieldMissionary);
    case PrivilegeChoice::SpecialFullTime:
        break;
    }
    return 0;
}

std::string NeedsText(const PublisherRecord& p) {
    std::string text;
    const std::pair<bool, StrId> needs[] = {
        {p.IsDeaf(), StrId::NeedDeaf}, {p.IsBlind(), StrId::NeedBlind}, {p.IsConfined(), StrId::NeedConfined}};
    for (const auto& [has, id] : needs) {
        if (!has)
            continue;
        if (!text.empty())
            text += ", ";
        text += Str(id);
    }
    return text;
}

bool HasSpecialNeed(const PublisherRecord& p) {
    return (p.NeedsFlags() & 0x7) != 0;
}

std::vector<StatusLine> Collect(const PublisherDatabase& db, PublisherCategory category, int group,
                                const LineMaker& make) {
    std::vector<StatusLine> lines;
    for (const IndexEntry& entry : db.List(category)) {
        const PublisherRecord& p = *entry.record;
        if (!InGroup(p, group))
            continue;
        StatusLine line;
        if (!make(p, line))
            continue;
        line.record = entry.recordNumber;
        line.id = p.Id();
        line.name = db.DisplayNameOfRecord(entry.recordNumber, true);
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace

std::vector<StatusPeriod> PeriodsOf(StatusViewKind kind) {
    using P = StatusPeriod;
    switch (kind) {
    case StatusViewKind::New:
    case StatusViewKind::Reactivated:
        return {P::SixMonths, P::ServiceYear, P::TwelveMonths, P::TwentyFourMonths};
    case StatusViewKind::Inactive:
        return {P::SixMonths, P::ServiceYear, P::TwelveMonths, P::OverTwelveMonths, P::All};
    case StatusViewKind::Moved:
    case StatusViewKind::AuxiliaryPioneers:
    case StatusViewKind::Conductors:
        return {P::SixMonths, P::ServiceYear, P::TwelveMonths};
    default:
        return {};
    }
}

std::string_view PeriodText(StatusPeriod period) {
    switch (period) {
    case StatusPeriod::SixMonths:
        return Str(StrId::PeriodSixMonths);
    case StatusPeriod::ServiceYear:
        return Str(StrId::PeriodServiceYear);
    case StatusPeriod::TwelveMonths:
        return Str(StrId::PeriodTwelveMonths);
    case StatusPeriod::TwentyFourMonths:
        return Str(StrId::PeriodTwentyFourMonths);
    case StatusPeriod::OverTwelveMonths:
        return Str(StrId::PeriodOverTwelveMonths);
    case StatusPeriod::All:
        break;
    }
    return Str(StrId::PeriodAll);
}

bool HasGroupFilter(StatusViewKind kind) {
    switch (kind) {
    case StatusViewKind::NoReport:
    case StatusViewKind::Irregular:
    case StatusViewKind::Unbaptised:
    case StatusViewKind::Interested:
    case StatusViewKind::CollectionForm:
    case StatusViewKind::Consent:
    case StatusViewKind::NoConsent:
    case StatusViewKind::UserCategory:
    case StatusViewKind::SpecialNeeds:
    case StatusViewKind::InactiveCandidates:
        return true;
    default:
        return false;
    }
}

bool HasMonthChoice(StatusViewKind kind) {
    return kind == StatusViewKind::NoReport || kind == StatusViewKind::CollectionForm;
}

std::string_view PrivilegeText(PrivilegeChoice privilege) {
    switch (privilege) {
    case PrivilegeChoice::Servants:
        return Str(StrId::Servants);
    case PrivilegeChoice::Elders:
        return Str(StrId::Elders);
    case PrivilegeChoice::RegularPioneers:
        return Str(StrId::RegularPioneers);
    case PrivilegeChoice::ContinuousAuxiliary:
        return Str(StrId::ContinuousAuxiliaryPioneers);
    case PrivilegeChoice::SpecialPioneers:
        return Str(StrId::SpecialPioneers);
    case PrivilegeChoice::SpecialFullTime:
        return Str(StrId::SpecialFullTimeService);
    case PrivilegeChoice::FieldMissionaries:
        break;
    }
    return Str(StrId::FieldMissionaries);
}

std::string StatusViewTitle(const StatusData& data, const StatusQuery& query) {
    switch (query.kind) {
    case StatusViewKind::NoReport:
        return FormatArgs(Str(StrId::NoReportFor), {MonthName(query.month)});
    case StatusViewKind::Irregular:
        return std::string(Str(StrId::IrregularPublishers));
    case StatusViewKind::New:
        return std::string(Str(StrId::NewPublishers));
    case StatusViewKind::Reactivated:
        return std::string(Str(StrId::ReactivatedPublishers));
    case StatusViewKind::Inactive:
        return std::string(Str(StrId::InactivePublishers));
    case StatusViewKind::Moved:
        return std::string(Str(StrId::MovedPersons));
    case StatusViewKind::Baptised:
        return std::string(Str(StrId::BaptisedInYear));
    case StatusViewKind::AuxiliaryPioneers:
        return std::string(Str(StrId::AuxiliaryPioneers));
    case StatusViewKind::Conductors:
        return std::string(Str(StrId::StudyConductors));
    case StatusViewKind::Unbaptised:
        return std::string(Str(StrId::UnbaptisedPublishers));
    case StatusViewKind::Interested:
        return std::string(Str(StrId::InterestedPersons));
    case StatusViewKind::CollectionForm:
        return std::string(Str(StrId::CollectionForm));
    case StatusViewKind::Privileges:
        return std::string(Str(StrId::ServicePrivileges));
    case StatusViewKind::Consent:
        return std::string(Str(StrId::ConsentGiven));
    case StatusViewKind::NoConsent:
        return std::string(Str(StrId::ConsentMissing));
    case StatusViewKind::UserCategory:
        return data.settings.userCategoryLabel;
    case StatusViewKind::SpecialNeeds:
        return std::string(Str(StrId::SpecialNeedsView));
    case StatusViewKind::InactiveCandidates:
        break;
    }
    return std::string(Str(StrId::InactiveCandidatesTitle));
}

std::string StatusViewCaption(const StatusData& data, const StatusQuery& query, std::size_t lines) {
    return FormatPrintf("%s ( %d )", StatusViewTitle(data, query).c_str(), static_cast<int>(lines));
}

std::vector<StatusLine> BuildStatusView(const StatusData& data, const StatusQuery& query) {
    const PublisherDatabase& db = data.database;
    const StatusBasis& basis = data.basis;
    const int group = HasGroupFilter(query.kind) ? query.group : 0;
    const StatusPeriod period = query.period;
    using C = PublisherCategory;
    switch (query.kind) {
    case StatusViewKind::NoReport: {
        const YearSlot slot = SlotOfChosenMonth(basis, query.month);
        return Collect(db, C::Publisher, group, [&](const PublisherRecord& p, StatusLine& line) {
            const bool remark = basis.remarks != nullptr && basis.remarks->HasRemark(p.RemarkNumber(query.month, slot));
            if (HasReport(p, query.month, slot) || remark)
                return false;
            line.detail = group == 0 ? "(" + std::to_string(p.Group()) + ")\t" + Phones(p) : Phones(p);
            line.reason = FormatArgs(Str(StrId::ReasonNoReportOrRemark), {MonthAbbrevLower(query.month)});
            return true;
        });
    }
    case StatusViewKind::Irregular:
        return Collect(db, C::Publisher, group, [&](const PublisherRecord& p, StatusLine& line) {
            const std::uint16_t mask = MissedMonths(p, basis);
            if (mask == 0)
                return false;
            for (int i = MonthsInService(p, basis) - 1; i >= 0; --i) {
                const WalkMonth m = MonthBack(basis.month, i);
                if ((mask & (1u << m.month)) == 0)
                    continue;
                line.detail += line.detail.empty() ? "" : " ";
                line.detail += MonthAbbreviation(m.month);
                if (basis.remarks != nullptr && basis.remarks->HasRemark(p.RemarkNumber(m.month, m.slot)))
                    line.detail += "!";
            }
            line.reason = IrregularReason(p, basis);
            return true;
        });
    case StatusViewKind::New:
    case StatusViewKind::Reactivated: {
        const StatusBit bit = query.kind == StatusViewKind::New ? StatusBit::New : StatusBit::Reactivated;
        return Collect(db, C::Publisher, 0, [&](const PublisherRecord& p, StatusLine& line) {
            const int m = StatusMonthIn(p, bit, period, basis);
            if (m == 0)
                return false;
            line.detail = YearAndMonth(StatusYearOf(p, m, basis), m);
            line.reason = StatusReason(p, bit, period, basis);
            return true;
        });
    }
    case StatusViewKind::Inactive:
        return Collect(db, C::Inactive, 0, [&](const PublisherRecord& p, StatusLine& line) {
            if (!InactiveIn(p, period, basis))
                return false;
            const int m = p.StatusMonth() >> 4;
            line.detail = m >= 1 && m <= 12 ? FormatPrintf("%02d/%04d", m, InactiveYear(p)) : std::string();
            line.detail += "\t" + std::string(Str(StrId::GroupDefaultName)) + std::to_string(p.Group());
            line.reason = InactiveReason(p, period);
            return true;
        });
    case StatusViewKind::Moved:
        return Collect(db, C::Moved, 0, [&](const PublisherRecord& p, StatusLine& line) {
            if (!MovedIn(p, period, basis))
                return false;
            line.detail = std::string(MonthAbbreviation((p.StatusMonth() >> 4) - 1));
            line.reason = MovedReason(p, period);
            return true;
        });
    case StatusViewKind::Baptised:
        return Collect(db, C::Publisher, 0, [&](const PublisherRecord& p, StatusLine& line) {
            const std::optional<int> years = YearsSinceBaptism(p, data.todayYear, data.todayMonth);
            if (!years || !InBaptismClass(*years, query.baptismClass))
                return false;
            line.detail = IsoDate(p.BaptismDate());
            line.reason = FormatArgs(Str(StrId::ReasonBaptised), {line.detail, YearsText(*years)});
            return true;
        });
    case StatusViewKind::AuxiliaryPioneers:
        return Collect(db, C::Publisher, 0, [&](const PublisherRecord& p, StatusLine& line) {
            if (!AuxiliaryPioneerIn(p, period, basis))
                return false;
            line.reason = AuxiliaryPioneerReason(p, period, basis);
            return true;
        });
    case StatusViewKind::Conductors:
        return Collect(db, C::Publisher, 0, [&](const PublisherRecord& p, StatusLine& line) {
            if (!ConductorIn(p, period, basis))
                return false;
            line.reason = ConductorReason(p, period, basis);
            return true;
        });
    case StatusViewKind::Unbaptised:
        return Collect(db, C::Publisher, group, [&](const PublisherRecord& p, StatusLine& line) {
            if (!HasNoBaptismDate(p))
                return false;
            line.reason = std::string(Str(StrId::ReasonNoBaptismDate));
            return true;
        });
    case StatusViewKind::Interested:
        return Collect(db, C::NonPublisher, group, [&](const PublisherRecord& p, StatusLine& line) {
            const std::string phones = Phones(p);
            if (!phones.empty())
                line.detail = "( " + phones + " )";
            const std::string conductor = p.ConductorText();
            line.reason = conductor.empty() ? std::string(Str(StrId::ReasonNoConductor))
                                            : FormatArgs(Str(StrId::ReasonConductor), {conductor});
            return true;
        });
    case StatusViewKind::CollectionForm:
        return Collect(db, C::Publisher, group, [&](const PublisherRecord&, StatusLine& line) {
            line.reason = std::string(Str(StrId::ReasonActivePublisher));
            return true;
        });
    case StatusViewKind::Privileges:
        return Collect(db, C::Publisher, 0, [&](const PublisherRecord& p, StatusLine& line) {
            if (!HoldsPrivilege(p, query.privilege, basis))
                return false;
            const std::uint16_t type = PrivilegeType(query.privilege);
            const std::string start = type != 0 ? data.appointments.GetAppointment(p.Id(), type) : std::string();
            const std::string_view what = PrivilegeText(query.privilege);
            line.detail = start.empty() ? std::string() : IsoDate(start);
            line.reason = start.empty() ? FormatArgs(Str(StrId::ReasonPrivilegeNoDate), {what})
                                        : FormatArgs(Str(StrId::ReasonPrivilegeSince), {what, line.detail});
            return true;
        });
    case StatusViewKind::Consent:
    case StatusViewKind::NoConsent: {
        const bool wanted = query.kind == StatusViewKind::Consent;
        return Collect(db, C::Publisher, group, [&](const PublisherRecord& p, StatusLine& line) {
            if (data.appointments.HasConsent(p.Id()) != wanted)
                return false;
            if (wanted) {
                const std::string date =
                    data.appointments.GetAppointment(p.Id(), static_cast<std::uint16_t>(AppointmentType::Consent));
                line.detail = IsoDate(date);
                line.reason = FormatArgs(Str(StrId::ReasonConsentSince), {line.detail});
            } else {
                line.reason = std::string(Str(StrId::ReasonNoConsent));
            }
            return true;
        });
    }
    case StatusViewKind::UserCategory:
        return Collect(db, C::Publisher, group, [&](const PublisherRecord& p, StatusLine& line) {
            if (!p.InUserCategory())
                return false;
            line.reason = FormatArgs(Str(StrId::ReasonUserCategory), {data.settings.userCategoryLabel});
            return true;
        });
    case StatusViewKind::SpecialNeeds:
        return Collect(db, C::Publisher, group, [&](const PublisherRecord& p, StatusLine& line) {
            if (!HasSpecialNeed(p))
                return false;
            line.detail = NeedsText(p);
            line.reason = FormatArgs(Str(StrId::ReasonSpecialNeeds), {line.detail});
            return true;
        });
    case StatusViewKind::InactiveCandidates:
        return Collect(db, C::Publisher, group, [&](const PublisherRecord& p, StatusLine& line) {
            if (!IsInactiveCandidate(p, basis))
                return false;
            line.reason = InactiveCandidateReason(p, basis);
            return true;
        });
    }
    return {};
}

std::vector<QuickFigure> QuickResults(const StatusData& data) {
    const PublisherDatabase& db = data.database;
    const StatusBasis& basis = data.basis;
    const WalkMonth now = MonthBack(basis.month, 0);
    const std::string monthBox(MonthName(basis.month.monthIndex));
    std::vector<QuickFigure> figures;

    auto count = [&](std::string box, StrId label, PublisherCategory category,
                     const std::function<bool(const PublisherRecord&, std::string&)>& rule) {
        QuickFigure figure{std::move(box), std::string(Str(label)), {}, {}};
        figure.persons =
            Collect(db, category, 0, [&](const PublisherRecord& p, StatusLine& line) { return rule(p, line.reason); });
        figure.value = FormatPrintf("%3d", static_cast<int>(figure.persons.size()));
        figures.push_back(std::move(figure));
    };
    auto average = [&](StrId label, PioneerCode code) {
        QuickFigure figure{monthBox, std::string(Str(label)), {}, {}};
        double sum = 0;
        figure.persons = Collect(db, PublisherCategory::Publisher, 0, [&](const PublisherRecord& p, StatusLine& line) {
            if (p.Pioneer(now.month, now.slot) != code || p.Hours(now.month, now.slot) == 0)
                return false;
            const ReportCell cell = p.Cell(now.month, now.slot);
            sum += cell.TotalHours();
            line.reason = FormatArgs(Str(StrId::ReasonHours),
                                     {MonthAbbrevLower(now.month), FormatHours(cell.hours, cell.QuarterHours())});
            return true;
        });
        const bool newFormat = IsNewReportFormat(basis.month.monthCount);
        if (!(newFormat && code == PioneerCode::None) && !figure.persons.empty())
            figure.value = FormatPrintf("%4.1f", sum / static_cast<double>(figure.persons.size()));
        figures.push_back(std::move(figure));
    };
    const std::string monthAbbr = MonthAbbrevLower(now.month);
    auto holds = [&](std::string& reason, std::string_view what) {
        reason = FormatArgs(Str(StrId::ReasonHolds), {what, monthAbbr});
    };

    count(monthBox, StrId::QuickActive, PublisherCategory::Publisher, [](const PublisherRecord&, std::string& r) {
        r = std::string(Str(StrId::ReasonActivePublisher));
        return true;
    });
    count(monthBox, StrId::QuickRegular, PublisherCategory::Publisher, [&](const PublisherRecord& p, std::string& r) {
        if (IsIrregular(p, basis))
            return false;
        r = IrregularReason(p, basis);
        return true;
    });
    count(monthBox, StrId::QuickBaptised, PublisherCategory::Publisher, [&](const PublisherRecord& p, std::string& r) {
        if (!CountsAsBaptised(p))
            return false;
        const std::optional<int> years = YearsSinceBaptism(p, data.todayYear, data.todayMonth);
        r = FormatArgs(Str(StrId::ReasonBaptised), {IsoDate(p.BaptismDate()), YearsText(years.value_or(0))});
        return true;
    });
    auto codeRule = [&](PioneerCode code, std::string_view what) {
        return [&, code, what](const PublisherRecord& p, std::string& r) {
            if (p.Pioneer(now.month, now.slot) != code)
                return false;
            holds(r, what);
            return true;
        };
    };
    count(monthBox, StrId::QuickRegularPioneers, PublisherCategory::Publisher,
          codeRule(PioneerCode::Regular, Str(StrId::RegularPioneers)));
    count(monthBox, StrId::QuickElders, PublisherCategory::Publisher, [](const PublisherRecord& p, std::string& r) {
        r = std::string(Str(StrId::Elders));
        return p.GetAppointment() == Appointment::Elder;
    });
    count(monthBox, StrId::QuickServants, PublisherCategory::Publisher, [](const PublisherRecord& p, std::string& r) {
        r = std::string(Str(StrId::Servants));
        return p.GetAppointment() == Appointment::MinisterialServant;
    });
    count(monthBox, StrId::QuickAuxiliary, PublisherCategory::Publisher,
          codeRule(PioneerCode::Auxiliary, Str(StrId::AuxiliaryPioneers)));
    average(StrId::QuickAverageHours, PioneerCode::None);
    average(StrId::QuickAverageRegular, PioneerCode::Regular);
    average(StrId::QuickAverageAuxiliary, PioneerCode::Auxiliary);

    for (StatusPeriod period : {StatusPeriod::ServiceYear, StatusPeriod::SixMonths}) {
        const std::string box(
            Str(period == StatusPeriod::ServiceYear ? StrId::QuickServiceYear : StrId::QuickSixMonths));
        count(box, StrId::QuickPeriodAuxiliary, PublisherCategory::Publisher,
              [&](const PublisherRecord& p, std::string& r) {
                  if (!AuxiliaryPioneerIn(p, period, basis))
                      return false;
                  r = AuxiliaryPioneerReason(p, period, basis);
                  return true;
              });
        count(box, StrId::QuickPeriodNew, PublisherCategory::Publisher, [&](const PublisherRecord& p, std::string& r) {
            if (StatusMonthIn(p, StatusBit::New, period, basis) == 0)
                return false;
            r = StatusReason(p, StatusBit::New, period, basis);
            return true;
        });
        count(box, StrId::QuickPeriodInactive, PublisherCategory::Inactive,
              [&](const PublisherRecord& p, std::string& r) {
                  if (!InactiveIn(p, period, basis))
                      return false;
                  r = InactiveReason(p, period);
                  return true;
              });
        count(box, StrId::QuickPeriodReactivated, PublisherCategory::Publisher,
              [&](const PublisherRecord& p, std::string& r) {
                  if (StatusMonthIn(p, StatusBit::Reactivated, period, basis) == 0)
                      return false;
                  r = StatusReason(p, StatusBit::Reactivated, period, basis);
                  return true;
              });
        count(box, StrId::QuickPeriodMoved, PublisherCategory::Moved, [&](const PublisherRecord& p, std::string& r) {
            if (!MovedIn(p, period, basis))
                return false;
            r = MovedReason(p, period);
            return true;
        });
    }

    const std::string needsBox(Str(StrId::SpecialNeedsView));
    const std::pair<StrId, int> needs[] = {{StrId::QuickDeaf, 0}, {StrId::QuickBlind, 1}, {StrId::QuickConfined, 2}};
    for (const auto& need : needs) {
        const int bit = need.second; // clang 14 cannot capture a structured binding
        count(needsBox, need.first, PublisherCategory::Publisher, [bit](const PublisherRecord& p, std::string& r) {
            if (!p.Bit16(196, bit))
                return false;
            r = FormatArgs(Str(StrId::ReasonSpecialNeeds), {NeedsText(p)});
            return true;
        });
    }
    if (data.settings.userCategoryEnabled != 0) {
        QuickFigure figure{needsBox, data.settings.userCategoryLabel, {}, {}};
        StatusQuery query;
        query.kind = StatusViewKind::UserCategory;
        figure.persons = BuildStatusView(data, query);
        figure.value = FormatPrintf("%3d", static_cast<int>(figure.persons.size()));
        figures.push_back(std::move(figure));
    }
    return figures;
}

StatusCounts RecountStatus(const PublisherDatabase& database, const StatusBasis& basis) {
    StatusCounts counts;
    for (const IndexEntry& entry : database.List(PublisherCategory::Publisher)) {
        ++counts.active;
        const PublisherRecord& p = *entry.record;
        if (IsIrregular(p, basis))
            ++counts.irregular;
        if (IsInactiveCandidate(p, basis))
            ++counts.inactiveCandidates;
    }
    counts.regular = counts.active - counts.irregular;
    counts.inactive = static_cast<int>(database.List(PublisherCategory::Inactive).size());
    counts.interested = static_cast<int>(database.List(PublisherCategory::NonPublisher).size());
    counts.moved = static_cast<int>(database.List(PublisherCategory::Moved).size());
    counts.deleted = static_cast<int>(database.List(PublisherCategory::Deleted).size());
    return counts;
}

} // namespace vardo
