#include "core/doc/DocumentJson.h"

#include <string>

#include <gtest/gtest.h>

#include "TempDataFolder.h"
#include "core/doc/CVardoDoc.h"
#include "core/doc/JsonWriter.h"

namespace vardo {
namespace {

TEST(JsonWriter, EscapesWhatJsonRequiresAndKeepsPolishLetters) {
    EXPECT_EQ(JsonWriter::Quote("Żółć \"cytat\" a\\b"), R"("Żółć \"cytat\" a\\b")");
    EXPECT_EQ(JsonWriter::Quote("wiersz\r\n\tdalej\x01"), R"("wiersz\r\n\tdalej\u0001")");
    // Invalid UTF-8 (a lone Windows-1250 byte, a cut sequence, an overlong form) becomes U+FFFD.
    EXPECT_EQ(JsonWriter::Quote("a\xB3z"), "\"a\xEF\xBF\xBDz\"");
    EXPECT_EQ(JsonWriter::Quote("\xC5"), "\"\xEF\xBF\xBD\"");
    EXPECT_EQ(JsonWriter::Quote("\xC0\xAF"), "\"\xEF\xBF\xBD\xEF\xBF\xBD\"");
}

TEST(JsonWriter, NestsIndentedAndCompactContainers) {
    JsonWriter json;
    json.BeginObject();
    json.Field("nazwa", "Zbór");
    json.Key("liczby");
    json.BeginArray(true);
    json.Int(1);
    json.Int(-2);
    json.BeginObject();
    json.Field("t", true);
    json.EndObject();
    json.EndArray();
    json.Key("pusta");
    json.BeginArray();
    json.EndArray();
    json.Key("brak");
    json.Null();
    json.EndObject();
    EXPECT_EQ(json.Take(), "{\n  \"nazwa\": \"Zbór\",\n  \"liczby\": [1, -2, {\"t\": true}],\n  \"pusta\": [],\n"
                           "  \"brak\": null\n}\n");
    EXPECT_EQ(json.Take(), "\n");
}

class DocumentDump : public test::TempDataFolderTest {};

TEST_F(DocumentDump, DecodesAPersonAndTheMonthsOfBothReportFormats) {
    CVardoDoc doc;
    ScriptedPrompter prompter;
    StartupOptions quiet;
    quiet.showStartupNote = false;
    ASSERT_TRUE(doc.Load(m_folder, FixedClock({2024, 3, 15}), prompter, quiet).ok());

    PublisherRecord p;
    p.SetFirstName("Józef");
    p.SetLastName("Wiśniewski");
    p.SetAddress("ul. Źródłowa 5, 91-733 Łódź");
    p.SetBaptismDate(" 5141998");
    p.SetId(321);
    p.SetGroup(2);
    p.SetMale(true);
    p.SetAppointment(Appointment::Elder);
    p.SetStatusMonth(0x21); // February, new publisher
    ReportCell older;       // August 2023: the older format
    older.SetPioneer(PioneerCode::Auxiliary);
    older.hours = 31;
    older.SetQuarterHours(2);
    older.placements = 7;
    older.SetBibleStudies(2);
    p.SetCell(7, 1, older);
    ReportCell newer; // February 2024: the newer format
    newer.SetFlag(true);
    newer.SetBibleStudies(1);
    newer.lateMarker = 3;
    p.SetCell(1, 0, newer);
    ASSERT_TRUE(doc.Database().AppendRecord(p).ok());
    RemarkEntry remark;
    ASSERT_TRUE(remark.SetText("Sprawozdanie przez telefon").ok());
    remark.SetMonthByte(2);
    remark.SetSlotByte(0);
    remark.SetId(321);
    const auto number = doc.Side().remarks.Append(remark);
    ASSERT_TRUE(number.ok());
    doc.Database().Record(1).SetRow(MonthRow::Remark, 1, 0, number.value());
    ASSERT_TRUE(doc.Side().appointments.SetAppointment(321, 20, "05252018").ok());

    const std::string json = DocumentToJson(doc);
    for (const char* expected : {
             R"("format": "vardo-dump",)",
             R"("workingMonth": {)",
             R"("monthCount": 289,)",
             R"("counts": {"persons": 1, "Publisher": 1, "Inactive": 0,)",
             R"("displayName": "Wiśniewski, Józef",)",
             R"("address": "ul. Źródłowa 5, 91-733 Łódź",)",
             R"("baptismDate": "1998-05-14",)",
             R"("birthDate": null,)",
             R"("appointment": "Elder",)",
             R"("statusMonth": {"month": 2, "newPublisher": true, "reactivated": false, "movedIn": false, "raw": 33},)",
             R"("consent": "2018-05-25",)",
             R"({"year": 2023, "month": 8, "slot": 1, "format": "older", "pioneer": "Auxiliary", "placements": 7, )"
             R"("videos": 0, "hours": 31, "quarterHours": 2, "returnVisits": 0, "bibleStudies": 2, )"
             R"("lessThanOneHour": false, "creditHours": 0, "remark": null, "yearTag": 0, "lateMarker": 0})",
             R"({"year": 2024, "month": 2, "slot": 0, "format": "newer", "pioneer": "None", "placements": 0, )"
             R"("videos": 0, "hours": 0, "quarterHours": 0, "returnVisits": 0, "bibleStudies": 1, )"
             R"("participated": true, "creditHours": 0, "remark": "Sprawozdanie przez telefon", "yearTag": 0, )"
             R"("lateMarker": 3})",
             R"({"id": 321, "type": 20, "typeName": "Consent", "start": "2018-05-25", "end": null})",
             R"({"number": 1, "id": 321, "month": 2, "slot": 0, "text": "Sprawozdanie przez telefon"})",
             R"("name": "Zebranie w tygodniu",)",
         })
        EXPECT_NE(json.find(expected), std::string::npos) << expected;
    // Two years of months per person, oldest first: March 2022 .. February 2024.
    const auto reports = json.find("\"reports\"");
    EXPECT_NE(json.find(R"({"year": 2022, "month": 3, "slot": 0, "format": "older")", reports), std::string::npos);
    EXPECT_EQ(json.find(R"({"year": 2022, "month": 2,)", reports), std::string::npos);
}

} // namespace
} // namespace vardo
