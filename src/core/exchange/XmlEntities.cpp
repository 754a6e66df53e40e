#include <algorithm>
#include <string_view>
#include <vector>

#include "core/exchange/XmlSyntax.h"

namespace vardo::xml {
namespace {

// The named character references: the HTML 4.01 entities (which include the XML ones quot, amp, lt and gt)
// plus apos. Each entry is packed as one digit of name length, four digits of decimal code point, the name.
constexpr std::string_view kEntities =
    "40160nbsp50161iexcl40162cent50163pound60164curren30165yen60166brvbar40167sect30168uml40169copy"
    "40170ordf50171laquo30172not30173shy30174reg40175macr30176deg60177plusmn40178sup240179sup350180acute"
    "50181micro40182para60183middot50184cedil40185sup140186ordm50187raquo60188frac1460189frac12"
    "60190frac3460191iquest60192Agrave60193Aacute50194Acirc60195Atilde40196Auml50197Aring50198AElig"
    "60199Ccedil60200Egrave60201Eacute50202Ecirc40203Euml60204Igrave60205Iacute50206Icirc40207Iuml"
    "30208ETH60209Ntilde60210Ograve60211Oacute50212Ocirc60213Otilde40214Ouml50215times60216Oslash"
    "60217Ugrave60218Uacute50219Ucirc40220Uuml60221Yacute50222THORN50223szlig60224agrave60225aacute"
    "50226acirc60227atilde40228auml50229aring50230aelig60231ccedil60232egrave60233eacute50234ecirc"
    "40235euml60236igrave60237iacute50238icirc40239iuml30240eth60241ntilde60242ograve60243oacute"
    "50244ocirc60245otilde40246ouml60247divide60248oslash60249ugrave60250uacute50251ucirc40252uuml"
    "60253yacute50254thorn40255yuml40402fnof50913Alpha40914Beta50915Gamma50916Delta70917Epsilon40918Zeta"
    "30919Eta50920Theta40921Iota50922Kappa60923Lambda20924Mu20925Nu20926Xi70927Omicron20928Pi30929Rho"
    "50931Sigma30932Tau70933Upsilon30934Phi30935Chi30936Psi50937Omega50945alpha40946beta50947gamma"
    "50948delta70949epsilon40950zeta30951eta50952theta40953iota50954kappa60955lambda20956mu20957nu20958xi"
    "70959omicron20960pi30961rho60962sigmaf50963sigma30964tau70965upsilon30966phi30967chi30968psi"
    "50969omega80977thetasym50978upsih30982piv48226bull68230hellip58242prime58243Prime58254oline"
    "58260frasl68472weierp58465image48476real58482trade78501alefsym48592larr48593uarr48594rarr48595darr"
    "48596harr58629crarr48656lArr48657uArr48658rArr48659dArr48660hArr68704forall48706part58707exist"
    "58709empty58711nabla48712isin58713notin28715ni48719prod38721sum58722minus68727lowast58730radic"
    "48733prop58734infin38736ang38743and28744or38745cap38746cup38747int68756there438764sim48773cong"
    "58776asymp28800ne58801equiv28804le28805ge38834sub38835sup48836nsub48838sube48839supe58853oplus"
    "68855otimes48869perp48901sdot58968lceil58969rceil68970lfloor68971rfloor49001lang49002rang39674loz"
    "69824spades59827clubs69829hearts59830diams40034quot30038amp20060lt20062gt50338OElig50339oelig"
    "60352Scaron60353scaron40376Yuml40710circ50732tilde48194ensp48195emsp68201thinsp48204zwnj38205zwj"
    "38206lrm38207rlm58211ndash58212mdash58216lsquo58217rsquo58218sbquo58220ldquo58221rdquo58222bdquo"
    "68224dagger68225Dagger68240permil68249lsaquo68250rsaquo48364euro40039apos";

struct Entity {
    std::string_view name;
    char32_t codePoint;
};

std::vector<Entity> UnpackEntities() {
    std::vector<Entity> entities;
    std::size_t pos = 0;
    while (pos + 5 <= kEntities.size()) {
        const auto length = static_cast<std::size_t>(kEntities[pos] - '0');
        char32_t cp = 0;
        for (std::size_t i = 1; i <= 4; ++i)
            cp = cp * 10 + static_cast<char32_t>(kEntities[pos + i] - '0');
        entities.push_back({kEntities.substr(pos + 5, length), cp});
        pos += 5 + length;
    }
    std::sort(entities.begin(), entities.end(), [](const Entity& a, const Entity& b) { return a.name < b.name; });
    return entities;
}

} // namespace

char32_t LookupEntity(std::string_view name) {
    static const std::vector<Entity> entities = UnpackEntities();
    const auto at = std::lower_bound(entities.begin(), entities.end(), name,
                                     [](const Entity& e, std::string_view n) { return e.name < n; });
    return at != entities.end() && at->name == name ? at->codePoint : 0;
}

} // namespace vardo::xml
