#include "core/doc/DemoCongregation.h"

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/doc/CVardoDoc.h"
#include "core/doc/DemoData.h"
#include "core/platform/Strings.h"

namespace vardo {
namespace {

// SplitMix64: small, fast and the same on every platform and standard library.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    /// A whole number in lo..hi (inclusive).
    int Between(int lo, int hi) {
        if (hi <= lo)
            return lo;
        return lo + static_cast<int>(Next() % static_cast<std::uint64_t>(hi - lo + 1));
    }
    /// True with the given chance in per mille.
    bool PerMille(int chance) { return Between(0, 999) < chance; }
    bool Percent(int chance) { return PerMille(10 * chance); }
    template <class T>
    const T& Pick(std::span<const T> items) {
        return items[static_cast<std::size_t>(Between(0, static_cast<int>(items.size()) - 1))];
    }
    template <class T>
    void Shuffle(std::vector<T>& items) {
        for (std::size_t i = items.size(); i > 1; --i)
            std::swap(items[i - 1], items[static_cast<std::size_t>(Between(0, static_cast<int>(i) - 1))]);
    }

private:
    std::uint64_t m_state;
};

/// A month with no report range.
constexpr int kNever = -100000;

enum class Member { Husband, Wife, Child, Single };

enum class PioneerPlan { None, ContinuousAuxiliary, Regular, Special, FieldMissionary };

/// What the builder decides about one person before writing the record.
struct Plan {
    int household = 0;
    Member member = Member::Single;
    bool male = false;
    int age = 30;
    bool baptized = true;
    PublisherCategory category = PublisherCategory::Publisher;
    /// Report range in MonthCounts (inclusive); reportFrom > reportTo means no reports.
    int reportFrom = kNever;
    int reportTo = kNever;
    /// Months skipped without a report, per mille.
    int skipChance = 20;
    bool lessThanHourSometimes = false;
    PioneerPlan pioneer = PioneerPlan::None;
    /// First month as regular pioneer (MonthCount).
    int pioneerFrom = kNever;
    /// Month of a status change (new, reactivated, moved in, inactive, moved, deleted), kNever when none.
    int statusMonth = kNever;
    std::uint8_t statusFlags = 0;
    RecordNumber record = 0;
};

struct Household {
    const demo::Surname* surname = nullptr;
    std::string address;
    std::string homePhone;
    int group = 1;
    bool interested = false;
    std::vector<int> members; // indexes into the plans
};

std::string Ascii(std::string_view utf8) {
    static constexpr std::pair<std::string_view, char> kLetters[] = {
        {"ą", 'a'}, {"ć", 'c'}, {"ę", 'e'}, {"ł", 'l'}, {"ń", 'n'}, {"ó", 'o'}, {"ś", 's'}, {"ź", 'z'}, {"ż", 'z'},
        {"Ą", 'a'}, {"Ć", 'c'}, {"Ę", 'e'}, {"Ł", 'l'}, {"Ń", 'n'}, {"Ó", 'o'}, {"Ś", 's'}, {"Ź", 'z'}, {"Ż", 'z'},
    };
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        bool replaced = false;
        for (const auto& [letter, ascii] : kLetters) {
            if (utf8.substr(i, letter.size()) == letter) {
                out.push_back(ascii);
                i += letter.size();
                replaced = true;
                break;
            }
        }
        if (replaced)
            continue;
        const char c = utf8[i++];
        if (c >= 'A' && c <= 'Z')
            out.push_back(static_cast<char>(c - 'A' + 'a'));
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            out.push_back(c);
    }
    return out;
}

std::string MobilePhone(Random& rng) {
    static constexpr int kPrefixes[] = {501, 502, 509, 512, 516, 530, 533, 535, 600, 601, 603, 604, 605, 660, 661,
                                        662, 665, 667, 691, 692, 693, 695, 721, 724, 728, 731, 733, 784, 790, 880};
    // Every draw in a statement of its own: the order of function arguments is unspecified.
    const int prefix = rng.Pick(std::span<const int>(kPrefixes));
    const int middle = rng.Between(0, 999);
    const int last = rng.Between(0, 999);
    return FormatPrintf("%d %03d %03d", prefix, middle, last);
}

std::string LandlinePhone(Random& rng) {
    const int exchange = rng.Between(610, 689);
    const int middle = rng.Between(0, 99);
    const int last = rng.Between(0, 99);
    return FormatPrintf("42 %03d %02d %02d", exchange, middle, last);
}

/// A record date of a day of the year.
std::string DayInYear(Random& rng, int year) {
    const int month = rng.Between(1, 12);
    const int day = rng.Between(1, 28);
    return RecordDateText(year, month, day);
}

/// A record date of a month (1st..28th), as the editors write it.
std::string DayInMonth(Random& rng, int year, int month) {
    return RecordDateText(year, month, rng.Between(1, 28));
}

/// A date of the service privileges dialog: "MMDDYYYY" with the month zero-padded.
std::string PrivilegeDate(Random& rng, int monthCount) {
    const int day = rng.Between(1, 28);
    return FormatPrintf("%02d%02d%04d", monthCount % 12 + 1, day, 2000 + monthCount / 12);
}

std::string DateOfMonthCount(Random& rng, int monthCount) {
    return DayInMonth(rng, 2000 + monthCount / 12, monthCount % 12 + 1);
}

class DemoBuilder {
public:
    DemoBuilder(CVardoDoc& doc, const DemoOptions& options)
        : m_doc(doc), m_db(doc.Database()), m_side(doc.Side()), m_month(doc.GetWorkingMonth()), m_rng(options.seed),
          m_people(options.people) {}

    Status Build() {
        DocumentChange change(m_doc.Changes(), "Dane przykładowe");
        change.Touch(kFileAreas);
        PlanCategories();
        PlanHouseholds();
        PlanServices();
        if (Status written = WriteRecords(); !written)
            return written;
        WriteReports();
        if (Status side = WriteSideRecords(); !side)
            return side;
        WriteGroups();
        WriteAttendance();
        WriteCardTotals();
        WriteHeaderAndSettings();
        m_db.SortRecords();
        m_db.CountCategory(PublisherCategory::Publisher);
        m_db.RebuildIndex();
        change.Commit();
        return Status::Ok();
    }

private:
    int WorkingCount() const { return m_month.monthCount; }
    int FirstWindowMonth() const { return m_month.monthCount - 23; }
    int TodayYear() const { return m_month.todayYear; }

    // --- Plans -------------------------------------------------------------------------------------------

    void PlanCategories() {
        const bool withOverseer = m_people >= 10;
        const int persons = m_people - (withOverseer ? 1 : 0);
        m_hasOverseer = withOverseer;
        // Shares of a real congregation; every list holds at most 300.
        std::array<int, kListedCategories> wanted{};
        wanted[1] = persons * 7 / 100; // Inactive
        wanted[2] = persons * 9 / 100; // NonPublisher
        wanted[3] = persons * 4 / 100; // Moved
        wanted[4] = persons * 2 / 100; // Deleted
        for (int c = 1; c < kListedCategories; ++c)
            wanted[static_cast<std::size_t>(c)] = std::min(wanted[static_cast<std::size_t>(c)], kCategoryListCapacity);
        int rest = persons - wanted[1] - wanted[2] - wanted[3] - wanted[4];
        wanted[0] = std::min(rest, kCategoryListCapacity);
        rest -= wanted[0];
        // Beyond 300 publishers the other lists take the rest, as far as they have room.
        for (int c = 1; c < kListedCategories && rest > 0; ++c) {
            const int room = kCategoryListCapacity - wanted[static_cast<std::size_t>(c)];
            const int taken = std::min(room, rest);
            wanted[static_cast<std::size_t>(c)] += taken;
            rest -= taken;
        }
        m_quota = wanted;
    }

    std::string Address(const demo::Street& street, int number, int flat) const {
        std::string text = std::string(street.name) + " " + std::to_string(number);
        if (flat > 0)
            text += " m. " + std::to_string(flat);
        return text + ", " + std::string(street.postalCode) + " " + std::string(demo::Town());
    }

    Household NewHousehold(bool interested) {
        Household h;
        h.surname = &m_rng.Pick(demo::Surnames());
        const auto streets = demo::Streets();
        const int streetIndex = m_rng.Between(0, static_cast<int>(streets.size()) - 1);
        const int flat = m_rng.Percent(70) ? m_rng.Between(1, 60) : 0;
        h.address = Address(streets[static_cast<std::size_t>(streetIndex)], m_rng.Between(1, 180), flat);
        if (m_rng.Percent(35))
            h.homePhone = LandlinePhone(m_rng);
        h.group = streetIndex % GroupCount() + 1;
        h.interested = interested;
        return h;
    }

    int GroupCount() const { return std::clamp((m_quota[0] + 9) / 12, 1, GroupTable::kMaxGroups); }

    int AddPlan(Household& h, Member member, bool male, int age) {
        Plan p;
        p.household = static_cast<int>(m_households.size());
        p.member = member;
        p.male = male;
        p.age = age;
        m_plans.push_back(p);
        h.members.push_back(static_cast<int>(m_plans.size()) - 1);
        return static_cast<int>(m_plans.size()) - 1;
    }

    void FillHousehold(Household& h, int size) {
        const int kind = m_rng.Between(0, 99);
        if (size == 1) {
            const bool male = m_rng.Percent(35);
            AddPlan(h, Member::Single, male, m_rng.Between(19, 88));
            return;
        }
        if (kind < 80) {
            const int husbandAge = m_rng.Between(24, 80);
            AddPlan(h, Member::Husband, true, husbandAge);
            AddPlan(h, Member::Wife, false, std::max(20, husbandAge - m_rng.Between(0, 6)));
            for (int c = 2; c < size; ++c) {
                const bool male = m_rng.Percent(50);
                AddPlan(h, Member::Child, male, m_rng.Between(8, std::min(19, husbandAge - 18)));
            }
        } else {
            // A single parent with children.
            const int parentAge = m_rng.Between(30, 55);
            AddPlan(h, Member::Single, m_rng.Percent(15), parentAge);
            for (int c = 1; c < size; ++c) {
                const bool male = m_rng.Percent(50);
                AddPlan(h, Member::Child, male, m_rng.Between(8, 19));
            }
        }
    }

    void PlanHouseholds() {
        const int interestedPersons = m_quota[2];
        int planned = 0;
        while (planned < interestedPersons) {
            Household h = NewHousehold(true);
            const int size = std::min(interestedPersons - planned, m_rng.Percent(70) ? 1 : 2);
            FillHousehold(h, size);
            planned += size;
            m_households.push_back(std::move(h));
        }
        const int witnesses = m_quota[0] + m_quota[1] + m_quota[3] + m_quota[4];
        planned = 0;
        while (planned < witnesses) {
            Household h = NewHousehold(false);
            const int roll = m_rng.Between(0, 99);
            int size = roll < 35 ? 1 : roll < 65 ? 2 : roll < 80 ? 3 : roll < 92 ? 4 : 5;
            size = std::min(size, witnesses - planned);
            FillHousehold(h, size);
            planned += size;
            m_households.push_back(std::move(h));
        }

        // Categories: interested households are non-publishers; among the others adults fill the inactive,
        // moved and deleted quotas, everybody else is a publisher.
        std::vector<int> adults;
        for (std::size_t i = 0; i < m_plans.size(); ++i) {
            Plan& p = m_plans[i];
            if (m_households[static_cast<std::size_t>(p.household)].interested) {
                p.category = PublisherCategory::NonPublisher;
                p.baptized = false;
            } else if (p.age >= 18) {
                adults.push_back(static_cast<int>(i));
            }
        }
        m_rng.Shuffle(adults);
        std::size_t next = 0;
        for (const auto category : {PublisherCategory::Inactive, PublisherCategory::Moved, PublisherCategory::Deleted})
            for (int n = 0; n < m_quota[static_cast<std::size_t>(category)] && next < adults.size(); ++n)
                m_plans[static_cast<std::size_t>(adults[next++])].category = category;
        // Children fill what the adults could not (very small congregations).
        for (std::size_t c = 1; c < kListedCategories; ++c) {
            int missing = m_quota[c];
            for (const Plan& p : m_plans)
                missing -= p.category == static_cast<PublisherCategory>(c) ? 1 : 0;
            for (Plan& p : m_plans) {
                if (missing <= 0)
                    break;
                if (p.category == PublisherCategory::Publisher && p.member == Member::Child) {
                    p.category = static_cast<PublisherCategory>(c);
                    --missing;
                }
            }
        }
    }

    void PlanServices() {
        const int start = FirstWindowMonth();
        const int working = WorkingCount();
        for (Plan& p : m_plans) {
            p.baptized = p.category != PublisherCategory::NonPublisher && (p.member != Member::Child || p.age >= 13) &&
                         (p.member != Member::Child || m_rng.Percent(55));
            p.reportFrom = start - 36; // long before the window
            p.reportTo = working;
            p.skipChance = m_rng.Percent(8) ? 300 : 15;
            p.lessThanHourSometimes = p.age >= 78 && m_rng.Percent(40);
            switch (p.category) {
            case PublisherCategory::Inactive:
                p.statusMonth = working - m_rng.Between(1, 20);
                p.reportTo = p.statusMonth - 6;
                break;
            case PublisherCategory::Moved:
                p.statusMonth = working - m_rng.Between(1, 22);
                p.reportTo = p.statusMonth;
                break;
            case PublisherCategory::Deleted:
                p.statusMonth = working - m_rng.Between(2, 22);
                p.reportTo = p.statusMonth - 1;
                break;
            case PublisherCategory::NonPublisher:
                p.reportFrom = kNever;
                p.reportTo = kNever - 1;
                break;
            default:
                break;
            }
        }

        // New, reactivated and moved-in publishers.
        std::vector<int> publishers;
        for (std::size_t i = 0; i < m_plans.size(); ++i)
            if (m_plans[i].category == PublisherCategory::Publisher)
                publishers.push_back(static_cast<int>(i));
        m_rng.Shuffle(publishers);
        const int count = static_cast<int>(publishers.size());
        int pick = 0;
        auto take = [&](int wanted, auto apply) {
            for (int n = 0; n < wanted && pick < count; ++n)
                apply(m_plans[static_cast<std::size_t>(publishers[static_cast<std::size_t>(pick++)])]);
        };
        take(std::max(1, count * 4 / 100), [&](Plan& p) {
            p.statusMonth = working - m_rng.Between(0, 9);
            p.statusFlags = 1;
            p.reportFrom = p.statusMonth;
            p.baptized = p.member != Member::Child && m_rng.Percent(30);
        });
        take(std::max(1, count * 2 / 100), [&](Plan& p) {
            p.statusMonth = working - m_rng.Between(1, 10);
            p.statusFlags = 2;
            p.baptized = true;
        });
        take(count * 2 / 100, [&](Plan& p) {
            p.statusMonth = working - m_rng.Between(1, 14);
            p.statusFlags = 4;
            p.baptized = true;
        });

        // Pioneers among the baptized publishers of working age; a reactivated one keeps his gap.
        std::vector<int> candidates;
        for (int index : publishers) {
            const Plan& p = m_plans[static_cast<std::size_t>(index)];
            if (p.baptized && p.statusFlags == 0 && p.age >= 18 && p.age <= 75)
                candidates.push_back(index);
        }
        std::size_t c = 0;
        auto pioneer = [&](int wanted, PioneerPlan plan) {
            for (int n = 0; n < wanted && c < candidates.size(); ++n) {
                Plan& p = m_plans[static_cast<std::size_t>(candidates[c++])];
                p.pioneer = plan;
                p.skipChance = 0;
                p.lessThanHourSometimes = false;
                if (plan == PioneerPlan::Regular)
                    p.pioneerFrom = m_rng.Percent(70) ? start - m_rng.Between(1, 60) : working - m_rng.Between(0, 18);
                else
                    p.pioneerFrom = start - m_rng.Between(1, 60);
            }
        };
        pioneer(count >= 60 ? 1 : 0, PioneerPlan::Special);
        pioneer(count >= 100 ? 1 : 0, PioneerPlan::FieldMissionary);
        pioneer(std::max(1, count * 9 / 100), PioneerPlan::Regular);
        pioneer(std::max(count >= 30 ? 1 : 0, count * 3 / 100), PioneerPlan::ContinuousAuxiliary);
    }

    // --- Records -----------------------------------------------------------------------------------------

    bool UniqueName(const std::string& first, const std::string& last) {
        return m_names.insert(last + "\n" + first).second;
    }

    PublisherId NextId() {
        m_nextId = static_cast<PublisherId>(m_nextId + 1 + (m_rng.Percent(6) ? m_rng.Between(1, 3) : 0));
        return m_nextId;
    }

    /// Stores names that scramble cleanly and are not taken yet.
    void SetNames(PublisherRecord& record, const Plan& p, const demo::Surname& surname) {
        const std::string last(p.male ? surname.male : surname.female);
        for (int attempt = 0; attempt < 200; ++attempt) {
            const std::string first(m_rng.Pick(p.male ? demo::MaleFirstNames() : demo::FemaleFirstNames()));
            record.SetFirstName(first);
            record.SetLastName(last);
            const auto bad = UnstorableTextFields(record);
            const bool clean = std::find(bad.begin(), bad.end(), TextField::FirstName) == bad.end() &&
                               std::find(bad.begin(), bad.end(), TextField::LastName) == bad.end();
            if (clean && UniqueName(first, last))
                return;
        }
        // Every first name with this surname is taken: a numbered surname keeps the register unique.
        const std::string numbered = last.substr(0, 10) + " " + std::to_string(m_names.size());
        record.SetLastName(numbered);
        UniqueName(record.FirstName(), numbered);
    }

    void SetAddress(PublisherRecord& record, std::string address) {
        for (int attempt = 0; attempt < 20; ++attempt) {
            record.SetAddress(address);
            const auto bad = UnstorableTextFields(record);
            if (std::find(bad.begin(), bad.end(), TextField::Address) == bad.end())
                return;
            // A character that the file cannot hold at this position: one more space moves it.
            address.insert(address.find(' '), " ");
        }
        record.SetAddress({});
    }

    Status WriteRecords() {
        const int working = WorkingCount();
        for (std::size_t hi = 0; hi < m_households.size(); ++hi) {
            Household& h = m_households[hi];
            PublisherId headId = 0;
            for (int index : h.members) {
                Plan& p = m_plans[static_cast<std::size_t>(index)];
                PublisherRecord r;
                SetNames(r, p, *h.surname);
                SetAddress(r, h.address);
                r.SetPhone1(h.homePhone);
                if (p.age >= 14 && m_rng.Percent(90))
                    r.SetPhone2(MobilePhone(m_rng));
                if (p.age >= 25 && p.age < 65 && m_rng.Percent(8))
                    r.SetPhone3(LandlinePhone(m_rng));
                const int birthYear = TodayYear() - p.age;
                r.SetBirthDate(DayInYear(m_rng, birthYear));
                if (p.baptized) {
                    const int baptismYear = std::min(TodayYear() - 1, birthYear + m_rng.Between(12, 40));
                    r.SetBaptismDate(DayInYear(m_rng, baptismYear));
                    r.SetHope('O');
                }
                r.SetGroup(h.group);
                r.SetId(NextId());
                r.SetCategory(p.category);
                r.SetMale(p.male);
                r.SetFemale(!p.male);
                r.SetNeedsFlags(PublisherRecord::kNeedsInitialised);
                if (h.members.size() > 1) {
                    if (headId == 0) {
                        r.SetHeadOfFamily(true);
                        headId = r.Id();
                    } else {
                        r.SetFamilyHead(headId);
                    }
                }
                WriteStatus(r, p, working);
                if ((p.category == PublisherCategory::Inactive || p.category == PublisherCategory::NonPublisher) &&
                    m_rng.Percent(10))
                    r.SetHidesGroup(true);
                auto appended = m_db.AppendRecord(r);
                if (!appended)
                    return appended.status();
                p.record = appended.value();
            }
        }
        PlanAppointments();
        if (m_hasOverseer)
            return WriteCircuitOverseer();
        return Status::Ok();
    }

    void WriteStatus(PublisherRecord& r, const Plan& p, int working) {
        if (p.statusMonth == kNever)
            return;
        const auto month = static_cast<std::uint8_t>(((p.statusMonth % 12) + 1) << 4);
        r.SetStatusChangeMonth(static_cast<MonthCount>(p.statusMonth));
        if (p.category == PublisherCategory::Inactive) {
            r.SetStatusMonth(month);
            r.SetStatusYear(ToYearByte(2000 + p.statusMonth / 12));
            return;
        }
        if (p.statusFlags != 0) {
            const auto byte = static_cast<std::uint8_t>(month | p.statusFlags);
            r.SetStatusMonth(byte);
            r.SetStatusYear(byte);
        }
        if (p.statusFlags == 1) {
            r.SetHasThirdDate(true);
            r.SetThirdDate(DateOfMonthCount(m_rng, std::min(p.statusMonth, working)));
        }
    }

    PublisherRecord& RecordOf(const Plan& p) { return m_db.Record(p.record); }

    void PlanAppointments() {
        int publishers = 0;
        std::vector<Plan*> brothers;
        for (Plan& p : m_plans) {
            if (p.category != PublisherCategory::Publisher)
                continue;
            ++publishers;
            if (p.male && p.baptized && p.age >= 20)
                brothers.push_back(&p);
        }
        // Older brothers first for elders, then ministerial servants.
        std::stable_sort(brothers.begin(), brothers.end(),
                         [](const Plan* a, const Plan* b) { return a->age > b->age; });
        const int elders = std::max(1, publishers / 14);
        const int servants = std::max(1, publishers / 13);
        int made = 0;
        for (Plan* p : brothers) {
            if (p->age < 30 || made >= elders)
                continue;
            if (m_rng.Percent(25))
                continue;
            RecordOf(*p).SetAppointment(Appointment::Elder);
            ++made;
        }
        // Many congregations have an elder in regular pioneer service; make sure the demo shows one.
        const auto isElder = [&](const Plan* p) { return RecordOf(*p).GetAppointment() == Appointment::Elder; };
        const bool elderPioneer = std::any_of(brothers.begin(), brothers.end(), [&](const Plan* p) {
            return isElder(p) && p->pioneer == PioneerPlan::Regular;
        });
        for (Plan* p : brothers) {
            if (elderPioneer || !isElder(p) || p->pioneer != PioneerPlan::None || p->statusFlags != 0 || p->age > 75)
                continue;
            p->pioneer = PioneerPlan::Regular;
            p->pioneerFrom = FirstWindowMonth() - 24;
            p->skipChance = 0;
            p->lessThanHourSometimes = false;
            break;
        }
        made = 0;
        for (Plan* p : brothers) {
            PublisherRecord& r = RecordOf(*p);
            if (r.GetAppointment() != Appointment::None)
                continue;
            if (made < servants && m_rng.Percent(60)) {
                r.SetAppointment(Appointment::MinisterialServant);
                ++made;
            } else {
                r.SetAppointment(Appointment::BaptizedBrother);
            }
        }
        for (Plan& p : m_plans) {
            PublisherRecord& r = RecordOf(p);
            switch (p.pioneer) {
            case PioneerPlan::ContinuousAuxiliary:
                r.SetContinuousAuxiliary(true);
                break;
            case PioneerPlan::Special:
                r.SetSpecialFullTime(true);
                break;
            case PioneerPlan::FieldMissionary:
                r.SetSpecialFullTime(true);
                r.SetFieldMissionary(true);
                break;
            default:
                break;
            }
            if (p.category == PublisherCategory::Publisher && p.baptized && m_rng.Percent(5))
                r.SetInUserCategory(true);
        }
    }

    Status WriteCircuitOverseer() {
        PublisherRecord r;
        r.SetFirstName("Zbigniew");
        r.SetLastName("Sadowski");
        UniqueName("Zbigniew", "Sadowski");
        SetAddress(r, "ul. Długa 7 m. 2, 95-100 Zgierz");
        r.SetPhone2(MobilePhone(m_rng));
        r.SetBirthDate(RecordDateText(TodayYear() - 52, 4, 17));
        r.SetBaptismDate(RecordDateText(TodayYear() - 36, 7, 12));
        r.SetHope('O');
        r.SetId(kCircuitOverseerId);
        r.SetCategory(PublisherCategory::CircuitOverseer);
        r.SetMale(true);
        r.SetAppointment(Appointment::Elder);
        r.SetNeedsFlags(PublisherRecord::kNeedsInitialised);
        auto appended = m_db.AppendRecord(r);
        return appended ? Status::Ok() : appended.status();
    }

    // --- Reports -----------------------------------------------------------------------------------------

    PioneerCode PioneerOf(const Plan& p, int monthCount) {
        switch (p.pioneer) {
        case PioneerPlan::Special:
            return PioneerCode::Special;
        case PioneerPlan::Regular:
            return monthCount >= p.pioneerFrom ? PioneerCode::Regular : PioneerCode::None;
        case PioneerPlan::ContinuousAuxiliary:
            return PioneerCode::Auxiliary;
        default:
            break;
        }
        // Auxiliary pioneers: many in March and April, a few in the other months.
        const int month = monthCount % 12;
        const int chance = month == 2 || month == 3 ? 150 : 35;
        return p.age >= 14 && p.baptized && m_rng.PerMille(chance) ? PioneerCode::Auxiliary : PioneerCode::None;
    }

    ReportCell OlderFormatCell(const Plan& p, PioneerCode code) {
        ReportCell cell;
        cell.SetPioneer(code);
        const bool fullTime = code == PioneerCode::Special || p.pioneer == PioneerPlan::FieldMissionary;
        int hours = 0;
        if (fullTime)
            hours = m_rng.Between(100, 130);
        else if (code == PioneerCode::Regular)
            hours = m_rng.Between(55, 82);
        else if (code == PioneerCode::Auxiliary)
            hours = m_rng.Between(30, 42);
        else if (p.lessThanHourSometimes && m_rng.Percent(50))
            hours = 0;
        else {
            hours = m_rng.Between(1, 12);
            hours = std::max(1, hours + m_rng.Between(0, 4) - (p.age > 70 ? 3 : 0));
        }
        if (hours == 0) {
            cell.SetFlag(true); // less than one hour
            return cell;
        }
        cell.hours = static_cast<std::uint16_t>(hours);
        if (m_rng.Percent(code == PioneerCode::None ? 8 : 20))
            cell.SetQuarterHours(m_rng.Between(1, 3));
        cell.placements = static_cast<std::uint16_t>(m_rng.Between(0, hours / 2 + 2));
        cell.videos = static_cast<std::uint16_t>(m_rng.Between(0, hours / 4 + 1));
        cell.returnVisits = static_cast<std::uint16_t>(m_rng.Between(0, hours / 3 + 1));
        const int studies = fullTime                       ? m_rng.Between(3, 9)
                            : code == PioneerCode::Regular ? m_rng.Between(1, 5)
                            : m_rng.Percent(18)            ? m_rng.Between(1, 2)
                                                           : 0;
        cell.SetBibleStudies(studies);
        return cell;
    }

    ReportCell NewerFormatCell(const Plan& p, PioneerCode code) {
        ReportCell cell;
        cell.SetPioneer(code);
        cell.SetFlag(true); // participated in the ministry
        const bool fullTime = code == PioneerCode::Special || p.pioneer == PioneerPlan::FieldMissionary;
        int studies = m_rng.Percent(25) ? m_rng.Between(1, 2) : 0;
        if (fullTime) {
            cell.hours = static_cast<std::uint16_t>(m_rng.Between(95, 125));
            studies = m_rng.Between(2, 8);
        } else if (code == PioneerCode::Regular) {
            cell.hours = static_cast<std::uint16_t>(m_rng.Between(44, 72));
            studies = m_rng.Between(0, 6);
        } else if (code == PioneerCode::Auxiliary) {
            cell.hours = static_cast<std::uint16_t>(m_rng.Percent(15) ? m_rng.Between(15, 22) : m_rng.Between(30, 41));
            studies = m_rng.Between(0, 3);
        }
        cell.SetBibleStudies(studies);
        return cell;
    }

    void AddRemark(PublisherRecord& r, MonthIndex month, YearSlot slot, std::string_view text) {
        RemarkEntry entry;
        if (!entry.SetText(text))
            return;
        entry.SetMonthByte(static_cast<std::uint8_t>(month + 1));
        entry.SetSlotByte(static_cast<std::uint8_t>(slot));
        entry.SetId(r.Id());
        auto number = m_side.remarks.Append(entry);
        if (number)
            r.SetRow(MonthRow::Remark, month, slot, number.value());
    }

    void WriteReports() {
        const int working = WorkingCount();
        for (Plan& p : m_plans) {
            if (p.reportFrom > p.reportTo)
                continue;
            PublisherRecord& r = RecordOf(p);
            for (int mc = FirstWindowMonth(); mc <= working; ++mc) {
                const MonthIndex month = mc % 12;
                const YearSlot slot = SlotOfMonthCount(static_cast<MonthCount>(mc));
                const bool active = mc >= p.reportFrom && mc <= p.reportTo;
                // A reactivated publisher had stopped half a year or more before coming back.
                const bool inGap = p.statusFlags == 2 && mc < p.statusMonth && mc >= p.statusMonth - 9;
                const bool reported =
                    active && !inGap && !m_rng.PerMille(p.skipChance) && (mc < working || m_rng.Percent(72));
                if (!reported) {
                    if (active && mc < working && m_rng.Percent(12))
                        AddRemark(r, month, slot, m_rng.Pick(demo::MissingReportRemarks()));
                    continue;
                }
                const PioneerCode code = PioneerOf(p, mc);
                ReportCell cell = mc > kNewReportFormatStart ? NewerFormatCell(p, code) : OlderFormatCell(p, code);
                if (code == PioneerCode::Regular && m_rng.Percent(12))
                    cell.creditHours = static_cast<std::uint16_t>(m_rng.Between(5, 20));
                // Reports entered in a later month than their own carry that month (1..12).
                if (mc < working && m_rng.Percent(mc == working - 1 ? 7 : 3))
                    cell.lateMarker = static_cast<std::uint8_t>((mc + 1) % 12 + 1);
                // The participation flag of cells that count as the older format for tlt15.dat survives the
                // save only without hours and quarter hours; where it does not, hours already tell that the
                // person took part.
                if (cell.Flag() && (cell.hours != 0 || cell.studyWord >= 4096) &&
                    ParticipationFlags::IsOlderFormatCell(m_month.yearIndex, m_month.monthIndex, month, slot))
                    cell.SetFlag(false);
                r.SetCell(month, slot, cell);
                if (m_rng.Percent(2))
                    AddRemark(r, month, slot, m_rng.Pick(demo::ReportRemarks()));
            }
        }
        // Bible study conductors of interested persons.
        std::vector<const Plan*> conductors;
        for (const Plan& p : m_plans)
            if (p.category == PublisherCategory::Publisher && p.baptized && p.age >= 20)
                conductors.push_back(&p);
        for (const Plan& p : m_plans) {
            if (p.category != PublisherCategory::NonPublisher || conductors.empty() || !m_rng.Percent(60))
                continue;
            const Plan& conductor =
                *conductors[static_cast<std::size_t>(m_rng.Between(0, static_cast<int>(conductors.size()) - 1))];
            RecordOf(p).SetConductorText(m_db.DisplayNameOfRecord(conductor.record, false));
        }
    }

    // --- Side records ------------------------------------------------------------------------------------

    Status WriteSideRecords() {
        const DataFolder& folder = m_doc.Folder();
        const int working = WorkingCount();
        for (Plan& p : m_plans) {
            PublisherRecord& r = RecordOf(p);
            const auto id = r.Id();
            // Consent to the processing of personal data.
            if (m_rng.Percent(86))
                (void)m_side.appointments.SetAppointment(
                    id, static_cast<std::uint16_t>(AppointmentType::Consent),
                    PrivilegeDate(m_rng, m_rng.Between(ToMonthCount(2018, 4), working)));
            const int baptismMonth = ToMonthCount(std::max(2001, TodayYear() - std::max(1, p.age - 20)), 0);
            switch (r.GetAppointment()) {
            case Appointment::Elder: {
                const int elderFrom = m_rng.Between(baptismMonth, working - 6);
                if (m_rng.Percent(60)) {
                    const int servantFrom = std::max(baptismMonth, elderFrom - m_rng.Between(24, 60));
                    SetPrivilege(id, AppointmentType::MinisterialServant, servantFrom, elderFrom);
                }
                SetPrivilege(id, AppointmentType::Elder, elderFrom, kNever);
                break;
            }
            case Appointment::MinisterialServant:
                SetPrivilege(id, AppointmentType::MinisterialServant, m_rng.Between(baptismMonth, working - 3), kNever);
                break;
            default:
                break;
            }
            switch (p.pioneer) {
            case PioneerPlan::Regular:
                SetPrivilege(id, AppointmentType::RegularPioneer, p.pioneerFrom, kNever);
                break;
            case PioneerPlan::ContinuousAuxiliary:
                SetPrivilege(id, AppointmentType::ContinuousAuxiliaryPioneer, p.pioneerFrom, kNever);
                break;
            case PioneerPlan::Special:
                SetPrivilege(id, AppointmentType::RegularPioneer, p.pioneerFrom - 60, p.pioneerFrom);
                SetPrivilege(id, AppointmentType::SpecialPioneer, p.pioneerFrom, kNever);
                break;
            case PioneerPlan::FieldMissionary:
                SetPrivilege(id, AppointmentType::FieldMissionary, p.pioneerFrom, kNever);
                break;
            case PioneerPlan::None:
                if (p.baptized && p.age > 40 && m_rng.Percent(6)) {
                    const int from = working - m_rng.Between(70, 120);
                    SetPrivilege(id, AppointmentType::RegularPioneer, from, working - m_rng.Between(30, 60));
                }
                break;
            }

            // E-mail, long name and further contact text.
            if (p.age >= 16 && p.category != PublisherCategory::Deleted && m_rng.Percent(40)) {
                ExtensionRecord extension;
                extension.SetOwner(id);
                const std::string first = Ascii(r.FirstName());
                const std::string last = Ascii(r.LastName());
                (void)extension.SetEmail(m_rng.Percent(50) ? first + "." + last + "@example.pl"
                                                           : first.substr(0, 1) + last + std::to_string(p.age % 100) +
                                                                 "@poczta.example.com");
                if (m_rng.Percent(20))
                    (void)extension.SetLongName(
                        r.FirstName() + " " +
                        std::string(m_rng.Pick(p.male ? demo::MaleFirstNames() : demo::FemaleFirstNames())) + " " +
                        r.LastName());
                if (m_rng.Percent(12))
                    (void)extension.SetExtra(m_rng.Pick(demo::ExtraTexts()));
                auto key = m_side.extensions.Write(folder, extension);
                if (!key)
                    return key.status();
                r.SetExtensionKey(key.value());
            }

            // Special needs of elderly and disabled persons.
            if ((p.age >= 75 && m_rng.Percent(35)) || m_rng.PerMille(8)) {
                SpecialNeedsRecord needs;
                (void)needs.SetText(m_rng.Pick(demo::SpecialNeeds()));
                auto key = m_side.specialNeeds.Add(folder, needs, SpecialNeedsKeysOf(m_doc.Persons()));
                if (!key)
                    return key.status();
                r.SetSpecialNeedsKey(key.value());
                const int which = m_rng.Between(0, 5);
                r.SetDeaf(which == 0);
                r.SetBlind(which == 1);
                r.SetConfined(which == 2 || which == 3);
            }
        }

        // One emergency contact per family, shared by its members.
        for (const Household& h : m_households) {
            if (h.interested || !m_rng.Percent(65))
                continue;
            EmergencyContactRecord contact;
            const bool male = m_rng.Percent(40);
            const demo::Surname& surname = m_rng.Percent(60) ? *h.surname : m_rng.Pick(demo::Surnames());
            const std::string first(m_rng.Pick(male ? demo::MaleFirstNames() : demo::FemaleFirstNames()));
            const std::string relation(m_rng.Pick(demo::Relations()));
            const std::string name =
                first + " " + std::string(male ? surname.male : surname.female) + " (" + relation + ")";
            (void)contact.SetName(name);
            (void)contact.SetInformation(m_rng.Pick(demo::EmergencyNotes()));
            (void)contact.SetMobilePhone(MobilePhone(m_rng));
            if (m_rng.Percent(30))
                (void)contact.SetHomePhone(LandlinePhone(m_rng));
            contact.SetWitness(m_rng.Percent(45));
            auto key = m_side.emergency.Add(folder, contact, EmergencyKeysOf(m_doc.Persons()));
            if (!key)
                return key.status();
            for (int index : h.members)
                RecordOf(m_plans[static_cast<std::size_t>(index)]).SetEmergencyKey(key.value());
        }
        return Status::Ok();
    }

    void SetPrivilege(PublisherId id, AppointmentType type, int from, int to) {
        const auto code = static_cast<std::uint16_t>(type);
        const int working = WorkingCount();
        (void)m_side.appointments.SetAppointment(id, code, PrivilegeDate(m_rng, std::min(from, working)));
        if (to != kNever)
            (void)m_side.appointments.SetAppointmentEnd(id, code, PrivilegeDate(m_rng, std::min(to, working)));
    }

    // --- Groups, attendance, totals ----------------------------------------------------------------------

    void WriteGroups() {
        GroupTable& groups = m_side.groups;
        const int count = GroupCount();
        groups.SetCount(count);
        static constexpr std::string_view kTimes[] = {"9:30", "10:00", "16:30", "17:00", "18:00"};
        auto nameOf = [&](const Plan* p) { return m_db.DisplayNameOfRecord(p->record, false); };
        for (int g = 0; g < count; ++g) {
            std::vector<const Plan*> elders;
            std::vector<const Plan*> servants;
            for (const Plan& p : m_plans) {
                const PublisherRecord& r = RecordOf(p);
                if (p.category != PublisherCategory::Publisher || r.Group() != g + 1)
                    continue;
                if (r.GetAppointment() == Appointment::Elder)
                    elders.push_back(&p);
                else if (r.GetAppointment() == Appointment::MinisterialServant ||
                         r.GetAppointment() == Appointment::BaptizedBrother)
                    servants.push_back(&p);
            }
            const Plan* overseer = !elders.empty() ? elders.front() : !servants.empty() ? servants.front() : nullptr;
            // A group without an appointed brother of its own is looked after by one from another group.
            if (!overseer)
                overseer = SpareBrother(count);
            const Plan* assistant = elders.size() > 1                                   ? elders[1]
                                    : !servants.empty() && servants.front() != overseer ? servants.front()
                                    : servants.size() > 1                               ? servants[1]
                                                                                        : nullptr;
            if (overseer) {
                m_helpers.insert(overseer);
                (void)groups.SetOverseer(g, nameOf(overseer));
            }
            if (assistant)
                (void)groups.SetAssistant(g, nameOf(assistant));
            (void)groups.SetPlace(g, g == 0 ? std::string_view("Sala Królestwa") : m_rng.Pick(demo::GroupPlaces()));
            (void)groups.SetTime(g, m_rng.Pick(std::span<const std::string_view>(kTimes)));
            groups.SetMeetingDay(g, m_rng.Percent(75) ? 5 : m_rng.Between(0, 6));
            if (m_rng.Percent(35)) {
                (void)groups.SetName(g, demo::GroupNames()[static_cast<std::size_t>(g) % demo::GroupNames().size()]);
                groups.SetUsesName(g, true);
            }
        }
    }

    /// An elder or ministerial servant who is neither overseer nor assistant of a group of his own.
    const Plan* SpareBrother(int groups) {
        for (const Appointment wanted : {Appointment::Elder, Appointment::MinisterialServant}) {
            for (const Plan& p : m_plans) {
                const PublisherRecord& r = RecordOf(p);
                if (p.category != PublisherCategory::Publisher || r.GetAppointment() != wanted ||
                    m_helpers.count(&p) != 0)
                    continue;
                // Brothers of groups that have only them stay with their own group.
                int sameGroup = 0;
                for (const Plan& q : m_plans)
                    sameGroup += q.category == PublisherCategory::Publisher && RecordOf(q).Group() == r.Group() &&
                                         RecordOf(q).GetAppointment() != Appointment::None &&
                                         RecordOf(q).GetAppointment() != Appointment::BaptizedBrother
                                     ? 1
                                     : 0;
                if (sameGroup > 2 || r.Group() > groups) {
                    m_helpers.insert(&p);
                    return &p;
                }
            }
        }
        return nullptr;
    }

    /// Number of a weekday (0 = Monday) in a month, up to (excluding) day `before`.
    static int WeekdaysIn(int year, int month, int weekday, int before) {
        int n = 0;
        for (int day = 1; day <= DaysInMonth(year, month) && day < before; ++day)
            n += Date{year, month, day}.DayOfWeek() == weekday ? 1 : 0;
        return n;
    }

    void FillMeetingMonth(MeetingRecord& record, MonthIndex month, YearSlot slot, int meetings, int base) {
        int total = 0;
        int held = 0;
        for (int week = 0; week < 5; ++week) {
            std::uint16_t value = 0;
            // Now and then a week without the meeting (a convention or an assembly).
            if (week < meetings && !m_rng.Percent(6))
                value = static_cast<std::uint16_t>(std::max(1, base + m_rng.Between(-base / 10 - 2, base / 10 + 2)));
            record.SetWeek(week, month, slot, value);
            total += value;
            held += value != 0 ? 1 : 0;
        }
        record.SetValue(MeetingRow::Meetings, month, slot, static_cast<std::uint16_t>(held));
        record.SetValue(MeetingRow::Total, month, slot, static_cast<std::uint16_t>(total));
        record.SetValue(MeetingRow::Average, month, slot,
                        static_cast<std::uint16_t>(held == 0 ? 0 : (2 * total + held) / (2 * held)));
    }

    void WriteAttendance() {
        int publishers = 0;
        int interested = 0;
        for (const Plan& p : m_plans) {
            publishers += p.category == PublisherCategory::Publisher ? 1 : 0;
            interested += p.category == PublisherCategory::NonPublisher ? 1 : 0;
        }
        MeetingRecord& midweek = m_side.attendance.Record(MeetingKind::Midweek);
        MeetingRecord& weekend = m_side.attendance.Record(MeetingKind::Weekend);
        const int midweekBase = publishers * 85 / 100 + interested / 3;
        const int weekendBase = publishers * 95 / 100 + interested / 2 + 3;
        for (int mc = FirstWindowMonth(); mc <= WorkingCount(); ++mc) {
            const int year = 2000 + mc / 12;
            const int month = mc % 12 + 1;
            const YearSlot slot = SlotOfMonthCount(static_cast<MonthCount>(mc));
            FillMeetingMonth(midweek, mc % 12, slot, WeekdaysIn(year, month, 2, 32), midweekBase);
            FillMeetingMonth(weekend, mc % 12, slot, WeekdaysIn(year, month, 6, 32), weekendBase);
        }
        // The calendar month in progress (slot 2): the meetings held before today.
        const int next = WorkingCount() + 1;
        const int year = 2000 + next / 12;
        const int month = next % 12 + 1;
        const int before = m_month.todayYear == year && m_month.todayMonth == month ? m_month.todayDay : 1;
        FillMeetingMonth(midweek, next % 12, 2, WeekdaysIn(year, month, 2, before), midweekBase);
        FillMeetingMonth(weekend, next % 12, 2, WeekdaysIn(year, month, 6, before), weekendBase);
    }

    void WriteCardTotals() {
        CardTotals& totals = m_side.cardTotals;
        for (int mc = FirstWindowMonth(); mc <= WorkingCount(); ++mc) {
            const MonthIndex month = mc % 12;
            const YearSlot slot = SlotOfMonthCount(static_cast<MonthCount>(mc));
            std::array<std::array<int, CardTotals::kValues>, CardTotals::kCategories> sums{};
            int active = 0;
            for (const Plan& p : m_plans) {
                if (p.category == PublisherCategory::NonPublisher)
                    continue;
                const PublisherRecord& r = RecordOf(p);
                const ReportCell cell = r.Cell(month, slot);
                const bool reported = cell.hours != 0 || cell.QuarterHours() != 0 || cell.Flag();
                active += mc >= p.reportFrom && mc <= p.reportTo ? 1 : 0;
                if (!reported)
                    continue;
                auto& row = sums[static_cast<std::size_t>(cell.Pioneer())];
                const bool publisherRow = cell.Pioneer() == PioneerCode::None;
                const bool newer = mc > kNewReportFormatStart;
                if (!(newer && publisherRow)) {
                    row[0] += cell.placements;
                    row[1] += cell.videos;
                    row[2] += cell.hours;
                    row[3] += cell.returnVisits;
                }
                row[4] += cell.BibleStudies();
                row[8] += 1;
            }
            sums[0][5] = active;
            for (int c = 0; c < CardTotals::kCategories; ++c)
                for (int v = 0; v < CardTotals::kValues; ++v)
                    totals.SetValue(
                        month, c, v, slot,
                        static_cast<std::uint16_t>(sums[static_cast<std::size_t>(c)][static_cast<std::size_t>(v)]));
        }
    }

    void WriteHeaderAndSettings() {
        HeaderRecord& header = m_db.Header();
        header.SetU16(196, static_cast<std::uint16_t>(header.U16(196) | PublisherRecord::kNeedsInitialised));
        for (int mc = FirstWindowMonth(); mc <= WorkingCount(); ++mc) {
            const MonthIndex month = mc % 12;
            header.SetInitialisedYear(month, SlotOfMonthCount(static_cast<MonthCount>(mc)),
                                      static_cast<std::uint16_t>(mc / 12));
            header.SetMonthState(month, mc == WorkingCount() ? MonthState::Open : MonthState::Closed);
        }

        Settings& s = m_doc.GetSettings();
        s.congregationName = "Łódź-Bałuty";
        s.secretaryEmail = "sekretarz.baluty@example.pl";
        s.userCategoryEnabled = 1;
        s.userCategoryLabel = "Sprzątanie Sali";
        s.gridLines = 1;
        const Date lastBackup = Date::FromDaysSinceEpoch(
            Date{m_month.todayYear, m_month.todayMonth, std::min(m_month.todayDay, 28)}.DaysSinceEpoch() - 6);
        s.lastBackupDate = lastBackup.ToIso();
    }

    CVardoDoc& m_doc;
    PublisherDatabase& m_db;
    SideTables& m_side;
    const WorkingMonth& m_month;
    Random m_rng;
    int m_people;
    bool m_hasOverseer = false;
    std::array<int, kListedCategories> m_quota{};
    std::vector<Plan> m_plans;
    std::vector<Household> m_households;
    std::set<std::string> m_names;
    std::set<const Plan*> m_helpers;
    PublisherId m_nextId = kFirstFreeId - 1;
};

} // namespace

Status BuildDemoCongregation(CVardoDoc& doc, const DemoOptions& options) {
    if (!doc.IsLoaded())
        return Status::Fail(std::string(Str(StrId::DemoNotLoaded)));
    if (doc.Database().PersonCount() > 0)
        return Status::Fail(std::string(Str(StrId::DemoRegisterNotEmpty)));
    if (options.people < 1 || options.people > kDemoMaxPeople)
        return Status::Fail(FormatArgs(Str(StrId::DemoPeopleRange), {std::to_string(kDemoMaxPeople)}));
    return DemoBuilder(doc, options).Build();
}

Status WriteDemoCongregation(const DataFolder& folder, const Clock& clock, const DemoOptions& options,
                             Prompter& prompter) {
    if (options.people < 1 || options.people > kDemoMaxPeople)
        return Status::Fail(FormatArgs(Str(StrId::DemoPeopleRange), {std::to_string(kDemoMaxPeople)}));
    if (Status created = DataFolder().CreateFolder(folder.Root().string()); !created)
        return created;
    for (StrId name : {StrId::DatabaseFileName, StrId::LegacyDatabaseFileName})
        if (folder.Exists(Str(name)))
            return Status::Fail(FormatArgs(Str(StrId::DemoFolderHasData), {folder.Root().string(), Str(name)}));
    CVardoDoc doc;
    StartupOptions startup;
    startup.showStartupNote = false;
    if (Status loaded = doc.Load(folder, clock, prompter, startup); !loaded)
        return loaded;
    Status built = BuildDemoCongregation(doc, options);
    if (built)
        built = doc.Save(prompter);
    doc.Close();
    return built;
}

} // namespace vardo
