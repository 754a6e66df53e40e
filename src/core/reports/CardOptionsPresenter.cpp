#include "core/reports/CardOptionsPresenter.h"

namespace vardo {
namespace {

int Bit(CardHiddenPart part) {
    return 1 << static_cast<int>(part);
}

} // namespace

CardOptionsPresenter::CardOptionsPresenter(const CardOptions& current) : m_values(current) {
    m_values.hiddenAverages &= 0x0F;
}

bool CardOptionsPresenter::Hidden(CardHiddenPart part) const {
    return (m_values.hiddenAverages & Bit(part)) != 0;
}

void CardOptionsPresenter::SetHidden(CardHiddenPart part, bool on) {
    if (on)
        m_values.hiddenAverages |= Bit(part);
    else
        m_values.hiddenAverages &= ~Bit(part);
}

bool CardOptionsPresenter::Store(Settings& settings) const {
    const Settings before = settings;
    StoreCardOptions(m_values, settings);
    return !(settings == before);
}

} // namespace vardo
