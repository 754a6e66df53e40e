#include "gui/app/Telephony.h"

#include <QDesktopServices>
#include <QProcess>

#include "core/platform/Prompter.h"
#include "gui/app/QtText.h"

namespace vardo {
namespace {

bool DesktopHasTelHandler() {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/tel")});
    if (!query.waitForFinished(3000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return false;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

Telephony::Telephony()
    : m_hasHandler(DesktopHasTelHandler), m_open([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {}

QUrl Telephony::CallUrl(const std::string& number, const std::string& calledParty) {
    QString digits;
    const QString written = ToQt(number).trimmed();
    for (qsizetype i = 0; i < written.size(); ++i) {
        const QChar c = written[i];
        if (c.isDigit() || (c == u'+' && digits.isEmpty()) || c == u'*' || c == u'#')
            digits += c;
    }
    // RFC 3966 extension parameters carry the program's and the called party's names.
    QByteArray link = "tel:" + digits.toLatin1() + ";app=VARDO";
    if (!calledParty.empty())
        link += ";name=" + QUrl::toPercentEncoding(ToQt(calledParty));
    return QUrl::fromEncoded(link, QUrl::StrictMode);
}

bool Telephony::DialNumber(const std::string& number, const std::string& calledParty, Prompter& prompter) const {
    if (!m_hasHandler || !m_hasHandler()) {
        prompter.Message("Telephone service not available");
        return false;
    }
    if (!m_open || !m_open(CallUrl(number, calledParty))) {
        prompter.Message("bad procaddress");
        return false;
    }
    return true;
}

} // namespace vardo
