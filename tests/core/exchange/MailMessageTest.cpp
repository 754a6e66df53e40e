#include "core/exchange/MailMessage.h"

#include <gtest/gtest.h>

#include "TempDataFolder.h"

namespace vardo {
namespace {

TEST(MailMessage, GroupFileAndReminderTexts) {
    const MailMessage group = GroupFileMail(3, 1, "nadzorca@zbor.pl; ", "/data/Grupa3.t09");
    EXPECT_EQ(group.recipients, std::vector<std::string>{"nadzorca@zbor.pl"});
    EXPECT_EQ(group.subject, "Dołączone Raporty - luty - Grupa 3");
    EXPECT_NE(group.note.find(".t19"), std::string::npos);
    EXPECT_EQ(group.originator, "VARDO");

    const MailMessage reminder = ReminderMail(0, "a@b.pl;c@d.pl", "s@z.pl");
    EXPECT_EQ(reminder.recipients.size(), 2u);
    EXPECT_EQ(reminder.subject, "Brak raportu dla styczeń ");
    EXPECT_EQ(reminder.note, "Proszę przesłać raport dla styczeń. \nDziękuję Ci.");
    EXPECT_EQ(reminder.originator, "s@z.pl");
    EXPECT_EQ(ReminderMail(0, "a@b.pl", "a@b").originator, "VARDO");
    EXPECT_EQ(ReminderMail(0, "a@b.pl", "", "z listy").note, "z listy");
}

TEST(MailMessage, EmlHeadersBodyAndAttachment) {
    MailMessage message;
    message.recipients = {"a@b.pl", "c@d.pl"};
    message.subject = "Zażółć";
    message.note = "x\ny";
    message.attachmentPath = "/tmp/Grupa1.t09";
    const std::string eml = EmlText(message, std::string("\x00\x01\xFF", 3), "Mon, 10 Mar 2025 10:00:00 +0000");
    EXPECT_NE(eml.find("To: a@b.pl, c@d.pl\r\n"), std::string::npos);
    EXPECT_NE(eml.find("Subject: =?UTF-8?B?WmHFvMOzxYLEhw==?=\r\n"), std::string::npos);
    EXPECT_NE(eml.find("From: VARDO\r\n"), std::string::npos);
    EXPECT_NE(eml.find("eA0KeQ==\r\n"), std::string::npos) << "the note with CRLF, base64";
    EXPECT_NE(eml.find("filename=\"Grupa1.t09\""), std::string::npos);
    EXPECT_NE(eml.find("AAH/\r\n"), std::string::npos) << "the attachment's bytes, base64";
    EXPECT_TRUE(eml.ends_with("--=_vardo_part_boundary--\r\n"));
}

class SendMailTest : public test::TempDataFolderTest {};

TEST_F(SendMailTest, HandedOverToTheDesktopMailProgram) {
    std::vector<std::string> seen;
    const MailMessage message = GroupFileMail(2, 1, "n@z.pl", "/x/Grupa2.t09");
    const auto sent = SendMail(message, m_folder, "d", [&](const std::vector<std::string>& argv) {
        seen = argv;
        return 0;
    });
    ASSERT_TRUE(sent.ok());
    EXPECT_EQ(sent.value().kind, MailOutcome::Kind::HandedOver);
    EXPECT_EQ(seen, (std::vector<std::string>{"xdg-email", "--utf8", "--subject", message.subject, "--body",
                                              message.note, "--attach", "/x/Grupa2.t09", "n@z.pl"}));
    EXPECT_FALSE(m_dir.Exists("Outbox"));
}

TEST_F(SendMailTest, NoMailProgramWritesTheMessageIntoTheOutbox) {
    m_dir.WriteFile("Grupa2.t09", "plik");
    const MailMessage message = GroupFileMail(2, 1, "n@z.pl", (m_dir.Path() / "Grupa2.t09").string());
    for (int exitCode : {-1, 3}) {
        const auto sent = SendMail(message, m_folder, "d", [&](const std::vector<std::string>&) { return exitCode; });
        ASSERT_TRUE(sent.ok()) << sent.error();
        EXPECT_EQ(sent.value().kind, MailOutcome::Kind::WrittenToOutbox);
        EXPECT_NE(sent.value().text.find(sent.value().path), std::string::npos);
        EXPECT_NE(sent.value().text.find("Nie znaleziono programu pocztowego"), std::string::npos);
    }
    EXPECT_TRUE(m_dir.Exists("Outbox/Do____czone_Raporty_-_luty_-_Grupa_2.eml"));
    EXPECT_TRUE(m_dir.Exists("Outbox/Do____czone_Raporty_-_luty_-_Grupa_2-2.eml"))
        << "a second message keeps the first";
    EXPECT_NE(m_dir.ReadFile("Outbox/Do____czone_Raporty_-_luty_-_Grupa_2.eml").find("cGxpaw=="), std::string::npos);
}

TEST_F(SendMailTest, NothingIsSentWithoutRecipientOrAttachment) {
    const auto none = SendMail(GroupFileMail(1, 0, " ; ", ""), m_folder, "d", [](auto&) { return 0; });
    EXPECT_EQ(none.code(), Failure::Invalid);
    const auto missing =
        SendMail(GroupFileMail(1, 0, "a@b.pl", "/nonexistent/G.t09"), m_folder, "d", [](auto&) { return 1; });
    EXPECT_EQ(missing.code(), Failure::Io);
    EXPECT_FALSE(m_dir.Exists("Outbox"));
}

} // namespace
} // namespace vardo
