#pragma once

#include <functional>
#include <string>

#include <QString>
#include <QUrl>

namespace vardo {

class Prompter;

/// Dialling a number through the desktop's handler of tel: links.
class Telephony {
public:
    /// Whether the desktop has a handler for tel: links; and the call that hands a link to it.
    using HandlerCheck = std::function<bool()>;
    using Opener = std::function<bool(const QUrl&)>;

    /// The desktop's own services (xdg-mime and QDesktopServices).
    Telephony();
    Telephony(HandlerCheck hasHandler, Opener open) : m_hasHandler(std::move(hasHandler)), m_open(std::move(open)) {}

    /// The link handed over: tel:<number> with the blanks, dashes and brackets of the written number removed
    /// (a leading '+' kept), with the application name "VARDO" and the called party's name as parameters:
    /// "tel:+48601234567;app=VARDO;name=Jan%20Nowak".
    static QUrl CallUrl(const std::string& number, const std::string& calledParty);

    /// DialNumber: without a handler "Telephone service not available"; when the handler does not take the
    /// link "bad procaddress". Returns whether the call was handed over.
    bool DialNumber(const std::string& number, const std::string& calledParty, Prompter& prompter) const;

private:
    HandlerCheck m_hasHandler;
    Opener m_open;
};

} // namespace vardo
